// Ctrl+C during a transfer: kq70-cli in a process of its own, interrupted with SIGINT while
// the radio is read or written.

#include "CliApp.h"
#include "SimulatorSeed.h"
#include "doc/DataFile.h"
#include "support/RadioSimProcess.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <functional>
#include <poll.h>
#include <sstream>
#include <unistd.h>

namespace kq70 {
namespace {

constexpr int EXIT_INTERRUPTED = 130;
constexpr std::size_t MARKER_OFFSET = 0x0170; // EEPROM word 0xB8

// kq70-cli in a child process, its error stream (the progress and messages) on a pipe.
class CliProcess : public test::ChildProcess {
public:
    explicit CliProcess(std::vector<std::string> arguments)
        : ChildProcess(KQ70_CLI_PATH, std::move(arguments), STDERR_FILENO) {}

    // Reads error lines until `wanted` accepts one; false after `timeoutMs` without a line or
    // at the end of the stream.
    bool waitForLine(const std::function<bool(const std::string&)>& wanted, int timeoutMs) {
        std::string line;
        char c = 0;
        pollfd pfd{output(), POLLIN, 0};
        while (::poll(&pfd, 1, timeoutMs) == 1 && ::read(output(), &c, 1) == 1) {
            errors += c;
            if (c != '\n') {
                line += c;
            } else if (wanted(line)) {
                return true;
            } else {
                line.clear();
            }
        }
        return false;
    }

    // SIGINT, then the exit code (-1 when the program did not exit by itself).
    int interrupt() {
        signal(SIGINT);
        char buffer[256];
        ssize_t n = 0;
        while ((n = ::read(output(), buffer, sizeof buffer)) > 0) {
            errors.append(buffer, static_cast<std::size_t>(n));
        }
        return finish(0);
    }

    std::string errors;
};

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The percentage at the end of a progress line, or -1.
int percentOf(const std::string& line) {
    const std::size_t sign = line.rfind('%');
    const std::size_t start = line.find_last_of(' ', sign);
    if (sign == std::string::npos || start == std::string::npos) {
        return -1;
    }
    return std::atoi(line.substr(start + 1, sign - start - 1).c_str());
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(dir);
    }
    return names;
}

TEST(InterruptEndToEndTest, CtrlCDuringAnUploadSavesNothing) {
    test::TempFolder home;
    test::TempFolder target;
    CliProcess cli(
        {"--home", home.path(), "upload", "--sim", "--baud", "9600", target.file("radio.k70")});
    // About a quarter of the radio read.
    ASSERT_TRUE(cli.waitForLine(
        [](const std::string& line) {
            const int percent = percentOf(line);
            return contains(line, text::NOW_UPLOADING) && percent >= 20 && percent < 100;
        },
        20000))
        << cli.errors;

    EXPECT_EQ(cli.interrupt(), EXIT_INTERRUPTED) << cli.errors;
    EXPECT_TRUE(contains(cli.errors, text::UPLOAD_CANCELLED)) << cli.errors;
    EXPECT_TRUE(filesIn(target.path()).empty()); // no data file, no temporary file
}

TEST(InterruptEndToEndTest, CtrlCAfterTheFirstWriteLeavesTheRadioMarkedIncomplete) {
    test::TempFolder home;
    test::ScriptedPrompt quiet;
    const std::string path = home.file("radio.k70");
    ASSERT_TRUE(WriteDataFile(path, makeSimulatorSeedImage(), quiet));
    test::RadioSimProcess sim({"--pace", "--baud", "38400", "--restart-ms", "200"});
    const std::string port = sim.firstLine(10000);
    ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    {
        CliProcess cli(
            {"--home", home.path(), "download", "--port", port, "--baud", "38400", "--yes", path});
        // The reading ends at 100 %; the writing starts again at 0 %.
        bool readingDone = false;
        ASSERT_TRUE(cli.waitForLine(
            [&readingDone](const std::string& line) {
                if (contains(line, text::NOW_DOWNLOADING) && contains(line, "100%")) {
                    readingDone = true;
                }
                return readingDone && contains(line, "  0%");
            },
            20000))
            << cli.errors;

        EXPECT_EQ(cli.interrupt(), EXIT_INTERRUPTED) << cli.errors;
        EXPECT_TRUE(contains(cli.errors, text::DOWNLOAD_CANCELLED_PARTLY_WRITTEN)) << cli.errors;
    }

    // Read back: the radio knows its data is incomplete.
    const std::string readBack = home.file("back.k70");
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runCli({"--home", home.path(), "upload", "--port", port, "--baud", "38400", readBack},
                     in, out, err, false),
              0)
        << err.str();
    RadioImage radio;
    ASSERT_TRUE(ReadDataFile(readBack, radio, quiet));
    EXPECT_EQ(radio.be16(MARKER_OFFSET), 0xFFFF);
    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

} // namespace
} // namespace kq70
