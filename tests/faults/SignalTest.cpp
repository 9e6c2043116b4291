// Signals during the radio commands of kq70-cli, in a process of its own: Ctrl+C (SIGINT), a
// kill (SIGTERM) and a closed terminal (SIGHUP) each stop a command at a safe point, leave
// the radio knowing what it holds, and end the program with exit code 130.

#include "SimulatorSeed.h"
#include "support/BuiltPrograms.h"
#include "support/CliRun.h"
#include "support/CompletionMarker.h"
#include "support/DataFiles.h"
#include "support/RadioSimProcess.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace kq70 {
namespace {

using namespace test;

constexpr int EXIT_INTERRUPTED = 130;
constexpr int WAIT_MS = 60000;

// kq70-cli with its output and error streams on one pipe.
class CliProcess : public test::ChildProcess {
public:
    explicit CliProcess(std::vector<std::string> arguments)
        : ChildProcess(test::cliProgram(), std::move(arguments), BOTH_STREAMS) {}

    bool waitFor(const std::function<bool(const std::string&)>& wanted) {
        return waitForLine(text, wanted, WAIT_MS);
    }
    // Sends `number` and returns the exit code once the program has ended by itself.
    int stop(int number) {
        signal(number);
        readToEnd(text, WAIT_MS);
        return finish(0);
    }

    std::string text;
};

// A progress line of `status` somewhere in the middle of its phase ("... 45%").
std::function<bool(const std::string&)> midway(std::string_view status) {
    return [status](const std::string& line) {
        const std::size_t sign = line.rfind('%');
        const std::size_t start = line.find_last_of(' ', sign);
        if (!contains(line, status) || sign == std::string::npos || start == std::string::npos) {
            return false;
        }
        const int percent = std::atoi(line.substr(start + 1, sign - start - 1).c_str());
        return percent >= 20 && percent < 100;
    };
}

TEST(SignalTest, EveryStopSignalCancelsAnUploadAndSavesNothing) {
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(::strsignal(number));
        test::TempFolder home;
        test::TempFolder target;
        CliProcess cli(
            {"--home", home.path(), "upload", "--sim", "--baud", "9600", target.file("radio.k70")});
        ASSERT_TRUE(cli.waitFor(midway(text::NOW_UPLOADING))) << cli.text;

        EXPECT_EQ(cli.stop(number), EXIT_INTERRUPTED) << cli.text;
        EXPECT_TRUE(contains(cli.text, text::UPLOAD_CANCELLED)) << cli.text;
        EXPECT_TRUE(filesIn(target.path()).empty()); // no data file, no temporary file
    }
}

TEST(SignalTest, AHangUpAfterTheFirstWriteLeavesTheRadioMarkedIncomplete) {
    test::TempFolder home;
    const std::string path = test::writeDataFile(home.file("radio.k70"), makeSimulatorSeedImage());
    test::RadioSimProcess sim({"--pace", "--baud", "38400", "--restart-ms", "200"});
    const std::string port = sim.firstLine(10000);
    ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    {
        CliProcess cli(
            {"--home", home.path(), "download", "--port", port, "--baud", "38400", "--yes", path});
        // The reading ends at 100 %; the writing starts again at 0 %.
        bool readingDone = false;
        ASSERT_TRUE(cli.waitFor([&readingDone](const std::string& line) {
            if (contains(line, text::NOW_DOWNLOADING) && contains(line, "100%")) {
                readingDone = true;
            }
            return readingDone && contains(line, "  0%");
        })) << cli.text;

        EXPECT_EQ(cli.stop(SIGHUP), EXIT_INTERRUPTED) << cli.text;
        EXPECT_TRUE(contains(cli.text, text::DOWNLOAD_CANCELLED_PARTLY_WRITTEN)) << cli.text;
    }

    const std::string readBack = home.file("back.k70");
    const CliRun upload =
        runCliWith({"upload", "--port", port, "--baud", "38400", readBack}, home.path());
    ASSERT_EQ(upload.code, 0) << upload.err;
    EXPECT_EQ(test::readDataFile(readBack).be16(MARKER_OFFSET), MARKER_IN_PROGRESS);
    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

TEST(SignalTest, ATerminatedRecoveryResetsTheRadioAndWritesNothing) {
    test::TempFolder home;
    CliProcess cli({"--home", home.path(), "recover", "--sim", "--baud", "9600", "--mode", "1",
                    "--mode-password", "Quiet Harbours", "--yes"});
    ASSERT_TRUE(cli.waitFor(midway(text::NOW_UPLOADING))) << cli.text;
    EXPECT_EQ(cli.stop(SIGTERM), EXIT_INTERRUPTED) << cli.text;
    EXPECT_TRUE(contains(cli.text, text::RECOVERY_CANCELLED)) << cli.text;
}

// kq70-cli align against kq70-radiosim over a pseudo-terminal, stopped or left without its
// radio in the middle of the pass; the radio is read back afterwards with kq70-cli upload.
class AlignmentInterruptTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TempFolder::writeText(home.file("KQ70_ADJ.ini"), tightVcoLimits());
        port = sim->firstLine(10000);
        ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    }

    std::vector<std::string> align() const {
        return {"--home",          home.path(), "align", "--port",  port,
                "--mode-password", "MUL-PEK",   "--yes", "--steps", "vco-rx"};
    }

    RadioImage radioNow() const {
        const std::string path = home.file("after.k70");
        const CliRun upload = runCliWith({"upload", "--port", port, path}, home.path());
        EXPECT_EQ(upload.code, 0) << upload.err;
        return test::readDataFile(path);
    }

    // "" when `image` holds the simulated radio's own data in every part a pass changes.
    static std::string ownData(const RadioImage& image) {
        const RadioImage seed = makeSimulatorSeedImage();
        return test::firstDifference(image, seed, FLASH_OFFSET, 0x0E * FLASH_PAGE_SIZE) +
               test::firstDifference(image, seed, FLASH_OFFSET + 0x49 * FLASH_PAGE_SIZE,
                                     7 * FLASH_PAGE_SIZE);
    }

    test::TempFolder home;
    std::unique_ptr<test::RadioSimProcess> sim = std::make_unique<test::RadioSimProcess>(
        std::vector<std::string>{"--restart-ms", "200", "--noise-seed", "5"});
    std::string port;
};

TEST_F(AlignmentInterruptTest, AStopInTheWindowOrWhileTheRadioIsWrittenGivesTheRadioItsData) {
    struct Case {
        const char* where;
        int number;
        std::function<bool(const std::string&)> when;
    };
    const Case cases[] = {
        {"while the alignment channels are written", SIGHUP, midway(text::NOW_DOWNLOADING)},
        {"in the window", SIGTERM,
         [](const std::string& line) { return contains(line, "RX VCO High: D/A"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        CliProcess cli(align());
        ASSERT_TRUE(cli.waitFor(c.when)) << cli.text;
        EXPECT_EQ(cli.stop(c.number), EXIT_INTERRUPTED) << cli.text;
        EXPECT_EQ(ownData(radioNow()), "");
        EXPECT_TRUE(filesIn(home.path(), "align-").empty()) << "the saved data was not removed";
    }
    EXPECT_EQ(sim->finish(SIGTERM), 0);
}

TEST_F(AlignmentInterruptTest, ARadioThatVanishesLeavesItsDataInANamedFile) {
    CliProcess cli(align());
    ASSERT_TRUE(cli.waitFor([](const std::string& line) { return contains(line, "RX VCO"); }))
        << cli.text;
    sim->finish(SIGKILL); // the lead pulled, the radio gone

    ASSERT_TRUE(cli.readToEnd(cli.text, WAIT_MS)) << cli.text;
    EXPECT_EQ(cli.finish(0), 1) << cli.text;
    const std::vector<std::string> saved = filesIn(home.path(), "align-");
    ASSERT_EQ(saved.size(), 1u) << cli.text;
    const std::string path = home.file(saved.front());
    EXPECT_TRUE(contains(cli.text, "kq70-cli download --port " + port + " " + path)) << cli.text;
    const RadioImage former = test::readDataFile(path);
    EXPECT_EQ(ownData(former), "");
    EXPECT_EQ(test::firstDifference(former, makeSimulatorSeedImage(), 0, 2 * 0xBA), "");
}

} // namespace
} // namespace kq70
