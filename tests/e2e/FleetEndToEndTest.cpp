// A dealer's fleet run: kq70-radiosim serving several radios on pseudo-terminals in a
// process of its own, kq70-cli writing them all at once through the real serial code.

#include "SimulatorSeed.h"
#include "support/BuiltPrograms.h"
#include "support/CliRun.h"
#include "support/CompletionMarker.h"
#include "support/DataFiles.h"
#include "support/RadioSimProcess.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <csignal>
#include <thread>
#include <unistd.h>

namespace kq70 {
namespace {

using test::contains;
using test::TempFolder;

// Every path kq70-radiosim prints, one radio a line.
std::vector<std::string> radioPaths(test::RadioSimProcess& sim, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(sim.firstLine(10000));
    }
    return paths;
}

std::string dataFile(const TempFolder& folder) {
    RadioImage document = makeSimulatorSeedImage();
    document.setByte(0x0020, 0xA5);
    return test::writeDataFile(folder.file("radio.k70"), document);
}

// Four radios, the third of which stores a wrong byte: three verified, the third failed (its
// serial number and what it leaves in the radio are the fleet job's test); every log line of a
// radio's job carries its port.
TEST(FleetEndToEndTest, FourRadiosOverPseudoTerminalsOneFaulty) {
    TempFolder home;
    const std::string path = dataFile(home);
    test::RadioSimProcess sim({"--count", "4", "--fault", "3:corrupt@278:5"});
    const std::vector<std::string> ports = radioPaths(sim, 4);
    std::vector<std::string> args = {"--log-level", "3", "download", "--yes", "--json"};
    for (const std::string& port : ports) {
        ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
        args.insert(args.end(), {"--port", port});
    }
    args.push_back(path);
    const test::CliRun run = test::runCliWith(args, home.path());
    EXPECT_EQ(run.code, 1) << run.err;

    const auto json = nlohmann::json::parse(run.out);
    const std::string log = TempFolder::readText(home.file("kq70-cli.log"));
    for (std::size_t k = 0; k < ports.size(); ++k) {
        EXPECT_EQ(json["radios"][k]["port"], ports[k]);
        EXPECT_EQ(json["radios"][k]["result"],
                  k == 2 ? "Failed: Verify failed Address = Flash D105h" : "Verified");
        EXPECT_TRUE(contains(log, "[" + ports[k] + "] fleet download to " + ports[k])) << ports[k];
    }
    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

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
        test::ChildProcess cli(test::cliProgram(),
                               {"--home", home.path(), "download", "--port", ports[0], "--port",
                                ports[1], "--baud", "38400", "--yes", "--json", path},
                               STDERR_FILENO);
        std::string errors;
        const std::string writing = ports[0] + ": " + std::string(text::NOW_DOWNLOADING);
        ASSERT_TRUE(cli.waitForLine(
            errors, [&writing](const std::string& line) { return line == writing; }, 20000))
            << errors;
        // The radio's data is read in under a second; its writing takes several.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        cli.signal(SIGTERM);
        ASSERT_TRUE(cli.readToEnd(errors, 60000)) << errors;
        EXPECT_EQ(cli.finish(0), 130) << errors;
        EXPECT_TRUE(contains(errors, ports[1] + ": Cancelled") &&
                    contains(errors, text::FLEET_RADIO_UNTOUCHED))
            << errors;
        const bool saidIncomplete = contains(errors, ports[0] + " serial 45250142: Cancelled") &&
                                    contains(errors, text::FLEET_RADIO_INCOMPLETE);

        // The radio that was being written tells by its marker.
        const std::string back = home.file("back.k70");
        const test::CliRun upload =
            test::runCliWith({"upload", "--port", ports[0], "--baud", "38400", back}, home.path());
        ASSERT_EQ(upload.code, 0) << upload.err;
        EXPECT_EQ(test::readDataFile(back).be16(test::MARKER_OFFSET) == test::MARKER_IN_PROGRESS,
                  saidIncomplete)
            << errors;
    }
    const std::string record = TempFolder::readText(path + ".record.csv");
    EXPECT_EQ(std::count(record.begin(), record.end(), '\n'), 3) << record;
    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

} // namespace
} // namespace kq70
