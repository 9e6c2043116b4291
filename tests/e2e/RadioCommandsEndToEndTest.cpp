// Upload, download (to one radio or a fleet), Adjustment Recover and the automatic alignment as
// dealers and service staff run them: kq70-cli's commands through the real serial code,
// kq70-radiosim serving its radios on pseudo-terminals in a process of its own (or the simulated
// radio in the program, where said).
// A radio that fails the read-back over a pseudo-terminal is the fleet run's faulty radio; what it
// leaves in the radio is the communication dialog's test.

#include "SimulatorSeed.h"
#include "align/HAdustmentBackUpParams.h"
#include "channel/HChannelData.h"
#include "service/AdjustmentChecks.h"
#include "support/BuiltPrograms.h"
#include "support/CliRun.h"
#include "support/CompletionMarker.h"
#include "support/DataFiles.h"
#include "support/RadioSimProcess.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kq70 {
namespace {

using namespace test;

TEST(TransferEndToEndTest, UploadThenDownloadOverAPseudoTerminal) {
    test::TempFolder home;
    test::RadioSimProcess sim({"--baud", "38400", "--restart-ms", "200"});
    const std::string port = sim.firstLine(10000);
    ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    const std::string path = home.file("radio.k70");
    const std::vector<std::string> upload = {"upload", "--port", port, "--baud", "38400", path};
    ASSERT_EQ(runCliWith(upload, home.path()).code, 0);
    RadioImage image = test::readDataFile(path);
    const RadioImage seed = makeSimulatorSeedImage();
    EXPECT_EQ(test::firstDifference(image, seed, 0, 0x0174), "");
    EXPECT_EQ(test::firstDifference(image, seed, FLASH_OFFSET, 0x0515 - FLASH_OFFSET), "");

    // A change the merge leaves alone goes into the radio and comes back.
    image.setByte(0x0020, 0xA5);
    test::writeDataFile(path, image);
    const CliRun download =
        runCliWith({"download", "--port", port, "--baud", "38400", "--yes", path}, home.path());
    ASSERT_EQ(download.code, 0) << download.err;

    // The download ended with the reset; the radio comes back on and offers again.
    ASSERT_EQ(runCliWith(upload, home.path()).code, 0);
    const RadioImage again = test::readDataFile(path);
    EXPECT_EQ(again.byteAt(0x0020), 0xA5);
    EXPECT_EQ(again.be16(MARKER_OFFSET), MARKER_DONE);
    EXPECT_EQ(again.be16(0x00FE), 0xA55A);

    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

// The radio holds a damaged flash copy of its adjustment data.
TEST(RecoverEndToEndTest, ADamagedFlashCopyIsRepairedOverAPseudoTerminal) {
    test::TempFolder home;
    const RadioImage seed = makeSimulatorSeedImage();
    const std::string saved = writeDataFile(home.file("saved.k70"), seed);
    test::RadioSimProcess sim({"--damage", "flash", "--baud", "38400", "--restart-ms", "200"});
    const std::string port = sim.firstLine(10000);
    ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    // The radio's memory as an upload reads it now.
    const auto upload = [&](const std::string& name, RadioImage& radio) {
        const CliRun run =
            runCliWith({"upload", "--port", port, "--baud", "38400", home.file(name)}, home.path());
        ASSERT_EQ(run.code, 0) << run.err;
        radio = readDataFile(home.file(name));
    };
    RadioImage damaged;
    ASSERT_NO_FATAL_FAILURE(upload("before.k70", damaged));
    ASSERT_EQ(AdjustmentChecks::ReliabilityTest(damaged), AdjustmentChecks::EEPROM_RIGHT);

    const CliRun recover =
        runCliWith({"recover", "--port", port, "--baud", "38400", "--mode", "1", "--mode-password",
                    "Quiet Harbours", "--file", saved, "--yes"},
                   home.path());
    ASSERT_EQ(recover.code, 0) << recover.err;

    // The write ended with the reset; the radio comes back on and a fresh upload finds both
    // copies sound and the channels as they were.
    RadioImage repaired;
    ASSERT_NO_FATAL_FAILURE(upload("after.k70", repaired));
    EXPECT_EQ(AdjustmentChecks::ReliabilityTest(repaired), AdjustmentChecks::BOTH_RIGHT);
    EXPECT_EQ(
        test::firstDifference(repaired, seed, WORKING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE + 2),
        "");
    const std::size_t channels = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 16;
    EXPECT_EQ(test::firstDifference(repaired, damaged, FLASH_OFFSET, channels - FLASH_OFFSET), "");
    EXPECT_EQ(repaired.be16(MARKER_OFFSET), MARKER_DONE);

    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

TEST(AlignEndToEndTest, TheWholeAutomaticAlignmentOnTheSimulatedRadio) {
    test::TempFolder home;
    const CliRun run = test::runCliWith({"--home", home.path(), "align", "--sim", "--sim-instant",
                                         "--mode-password", "mul-pek", "--yes"});
    EXPECT_EQ(run.code, 0) << run.out;
    // The last step's last point, and the outcome (the steps' order is the parser's test).
    EXPECT_LT(run.out.find("RX Tune High: "), run.out.find("Aligned data written back")) << run.out;
    EXPECT_NE(run.out.find("Aligned data written back"), std::string::npos) << run.out;
}

// A failed step is the pseudo-terminal case below.
TEST(AlignEndToEndTest, RefusedStartsEndWithExitCodeOne) {
    test::TempFolder home;
    const auto align = [&home](std::vector<std::string> more) {
        std::vector<std::string> args = {"--home", home.path(), "align", "--sim", "--sim-instant"};
        args.insert(args.end(), more.begin(), more.end());
        return test::runCliWith(args).code;
    };
    // No keyword and no terminal to ask it on, or the wrong one: nothing is sent.
    EXPECT_EQ(align({"--yes"}), 1);
    EXPECT_EQ(align({"--mode-password", "MUL-PEX", "--yes"}), 1);
    EXPECT_EQ(align({"--mode-password", "MUL-PEK"}), 1); // not confirmed
    EXPECT_EQ(align({"--mode-password", "MUL-PEK", "--yes", "--steps", "vco-rx,bogus"}), 2);
}

TEST(AlignEndToEndTest, AlignmentOverAPseudoTerminalKeepsTheChannelsAndStoresTheItems) {
    test::TempFolder home;
    test::TempFolder::writeText(home.file("KQ70_ADJ.ini"), test::tightVcoLimits());
    test::RadioSimProcess sim(
        {"--restart-ms", "200", "--noise-seed", "5", "--supply-voltage", "7.2"});
    const std::string port = sim.firstLine(10000);
    ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;

    const CliRun run =
        test::runCliWith({"--home", home.path(), "align", "--port", port, "--mode-password",
                          "MUL-PEK", "--yes", "--steps", "vco-tx,vco-rx"});
    ASSERT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("TX VCO Low: D/A "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("RX Tune"), std::string::npos) << run.out;

    const std::string path = home.file("after.k70");
    const CliRun upload = test::runCliWith({"--home", home.path(), "upload", "--port", port, path});
    ASSERT_EQ(upload.code, 0) << upload.err;
    const auto radio = std::make_unique<RadioImage>(test::readDataFile(path));
    const RadioImage seed = makeSimulatorSeedImage();

    HAdustmentBackUpParams items;
    EXPECT_TRUE(items.verifyChecksum(*radio));
    // The simulated VCO meets the target 35 steps above the bottom of its lock window.
    const std::array<int, 6> expected = {85, 105, 125, 95, 115, 135};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(items.get(86 + i), expected[i], 2) << 86 + i;
    }
    const auto before = std::make_unique<HChannelData>();
    before->extract(seed);
    const auto after = std::make_unique<HChannelData>();
    after->extract(*radio);
    for (int c = 0; c < before->capacity(); ++c) {
        EXPECT_EQ(after->getValue(c, rxFrequency), before->getValue(c, rxFrequency)) << c;
        EXPECT_EQ(after->getValue(c, txToneCode), before->getValue(c, txToneCode)) << c;
        EXPECT_EQ(after->getTag(c), before->getTag(c)) << c;
    }
    EXPECT_EQ(test::firstDifference(*radio, seed, 0x0305, 16), "");
    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

// What the write-back leaves in the radio is the stopped pass's test (SignalTest); here a failed
// step ends with exit code 1.
TEST(AlignEndToEndTest, ARadioThatRefusesTheChannelGetsItsFormerDataBack) {
    test::TempFolder home;
    test::RadioSimProcess sim({"--restart-ms", "200", "--service-fault", "nak:30"});
    const std::string port = sim.firstLine(10000);
    ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    const CliRun run = test::runCliWith(
        {"--home", home.path(), "align", "--port", port, "--mode-password", "MUL-PEK", "--yes"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("vco-rx: failed"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("former data was written back"), std::string::npos) << run.out;
    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

constexpr uid_t NOBODY = 65534;

// Runs kq70-cli as the user nobody; its exit code and what it wrote to stderr.
std::pair<int, std::string> runAsNobody(const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return {-1, "pipe failed"};
    }
    const std::string& program = test::cliProgram(); // not made in the child
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDERR_FILENO);
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(devNull, STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        if (::setgroups(0, nullptr) == 0 && ::setgid(NOBODY) == 0 && ::setuid(NOBODY) == 0) {
            ::execv(program.c_str(), argv.data());
        }
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string err;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        err.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, err};
}

// A user outside the serial device's group learns which group to join.
TEST(PortPermissionEndToEndTest, RefusedPortNamesTheGroupToJoin) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "runs kq70-cli as another user, which needs root";
    }
    const struct group* dialout = ::getgrnam("dialout");
    const gid_t gid = dialout != nullptr ? dialout->gr_gid : 0;
    const std::string groupName = dialout != nullptr ? "dialout" : "root";
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    const std::string device = folder.file("ttyUSB7");
    TempFolder::writeText(device, "");
    ASSERT_EQ(::chown(device.c_str(), 0, gid), 0);
    ASSERT_EQ(::chmod(device.c_str(), 0660), 0);

    const auto [code, err] = runAsNobody(
        {"--home", folder.path(), "upload", "--port", device, folder.file("radio.k70")});
    EXPECT_EQ(code, 1) << err;
    EXPECT_NE(err.find("Port Open Error!"), std::string::npos) << err;
    EXPECT_NE(err.find("You may not use " + device + ": add your user to the group \"" + groupName +
                       "\""),
              std::string::npos)
        << err;
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

// kq70-radiosim refuses a fault it does not know instead of serving a radio without it.
TEST(RadioSimProcessTest, RefusesAnUnknownFault) {
    test::RadioSimProcess sim({"--fault", "loud@3"});
    EXPECT_EQ(sim.finish(0), 2);
}

} // namespace
} // namespace kq70
