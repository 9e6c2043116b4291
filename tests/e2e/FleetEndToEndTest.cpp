// A dealer's fleet run: kq70-radiosim serving several radios on pseudo-terminals in a
// process of its own, kq70-cli writing them all at once through the real serial code.

#include "CliApp.h"
#include "SimulatorSeed.h"
#include "doc/DataFile.h"
#include "support/RadioSimProcess.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <csignal>
#include <functional>
#include <poll.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr std::size_t MARKER_OFFSET = 0x0170; // EEPROM word 0xB8

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// Every path kq70-radiosim prints, one radio a line.
std::vector<std::string> radioPaths(test::RadioSimProcess& sim, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(sim.firstLine(10000));
    }
    return paths;
}

std::string dataFile(const TempFolder& folder) {
    test::ScriptedPrompt quiet;
    RadioImage document = makeSimulatorSeedImage();
    document.setByte(0x0020, 0xA5);
    const std::string path = folder.file("radio.k70");
    EXPECT_TRUE(WriteDataFile(path, document, quiet));
    return path;
}

// Four radios, the third of which stores a wrong byte: three verified, the third named with
// its serial number; every log line of a radio's job carries its port.
TEST(FleetEndToEndTest, FourRadiosOverPseudoTerminalsOneFaulty) {
    TempFolder home;
    const std::string path = dataFile(home);
    test::RadioSimProcess sim({"--count", "4", "--fault", "3:corrupt@278:5"});
    const std::vector<std::string> ports = radioPaths(sim, 4);
    std::vector<std::string> args = {"--home", home.path(), "--log-level",
                                     "3",      "download",  "--yes",
                                     "--json", "--record",  home.file("r.csv")};
    for (const std::string& port : ports) {
        ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
        args.insert(args.end(), {"--port", port});
    }
    args.push_back(path);
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;

    EXPECT_EQ(runCli(args, in, out, err, false), 1) << err.str();

    const auto json = nlohmann::json::parse(out.str());
    const char* serials[] = {"45250142", "45250143", "45250144", "45250145"};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto& radio = json["radios"][k];
        EXPECT_EQ(radio["port"], ports[k]);
        EXPECT_EQ(radio["serialNumber"], serials[k]);
        EXPECT_EQ(radio["result"],
                  k == 2 ? "Failed: Verify failed Address = Flash D105h" : "Verified");
        EXPECT_EQ(radio["radioChanged"], true);
    }
    const std::string record = TempFolder::readText(home.file("r.csv"));
    EXPECT_TRUE(contains(record, "\"" + ports[2] + "\",\"45250144\",\"Failed: Verify failed"));

    const std::string log = TempFolder::readText(home.file("kq70-cli.log"));
    for (const std::string& port : ports) {
        EXPECT_TRUE(contains(log, "[" + port + "] fleet download to " + port)) << port;
    }
    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

// kq70-cli in a child process, its error stream (status and radio lines) on a pipe.
class CliProcess : public test::ChildProcess {
public:
    explicit CliProcess(std::vector<std::string> arguments)
        : ChildProcess(KQ70_CLI_PATH, std::move(arguments), STDERR_FILENO) {}

    bool waitForLine(const std::string& wanted, int timeoutMs) {
        std::string line;
        char c = 0;
        pollfd pfd{output(), POLLIN, 0};
        while (::poll(&pfd, 1, timeoutMs) == 1 && ::read(output(), &c, 1) == 1) {
            errors += c;
            if (c != '\n') {
                line += c;
            } else if (line == wanted) {
                return true;
            } else {
                line.clear();
            }
        }
        return false;
    }

    int stop(int signalNumber) {
        signal(signalNumber);
        char buffer[256];
        ssize_t n = 0;
        while ((n = ::read(output(), buffer, sizeof buffer)) > 0) {
            errors.append(buffer, static_cast<std::size_t>(n));
        }
        return finish(0);
    }

    std::string errors;
};

// SIGTERM (as a session's end sends it) stops both radios safely: exit code 130, each radio
// said to be untouched or marked incomplete, and what is said matches the radio.
TEST(FleetEndToEndTest, SigtermStopsEveryRadioAndSaysWhatBecameOfIt) {
    TempFolder home;
    const std::string path = dataFile(home);
    // The second radio is never switched on.
    test::RadioSimProcess sim({"--count", "2", "--pace", "--baud", "38400", "--restart-ms", "200",
                               "--fault", "2:nooffer"});
    const std::vector<std::string> ports = radioPaths(sim, 2);
    {
        CliProcess cli({"--home", home.path(), "download", "--port", ports[0], "--port", ports[1],
                        "--baud", "38400", "--yes", "--json", path});
        ASSERT_TRUE(cli.waitForLine(ports[0] + ": " + std::string(text::NOW_DOWNLOADING), 20000))
            << cli.errors;
        // The radio's data is read in under a second; its writing takes several.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_EQ(cli.stop(SIGTERM), 130) << cli.errors;
        EXPECT_TRUE(contains(cli.errors, ports[1] + ": Cancelled") &&
                    contains(cli.errors, text::FLEET_RADIO_UNTOUCHED))
            << cli.errors;
        const bool saidIncomplete =
            contains(cli.errors, ports[0] + " serial 45250142: Cancelled") &&
            contains(cli.errors, text::FLEET_RADIO_INCOMPLETE);

        // The radio that was being written tells by its marker.
        const std::string back = home.file("back.k70");
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(
            runCli({"--home", home.path(), "upload", "--port", ports[0], "--baud", "38400", back},
                   in, out, err, false),
            0)
            << err.str();
        RadioImage radio;
        test::ScriptedPrompt quiet;
        ASSERT_TRUE(ReadDataFile(back, radio, quiet));
        EXPECT_EQ(radio.be16(MARKER_OFFSET) == 0xFFFF, saidIncomplete) << cli.errors;
    }
    const std::string record = TempFolder::readText(path + ".record.csv");
    EXPECT_EQ(std::count(record.begin(), record.end(), '\n'), 3) << record;
    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

} // namespace
} // namespace kq70
