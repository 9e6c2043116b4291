// kq70-cli align as service staff run it: against the simulated radio in the program, and
// against kq70-radiosim in a separate process through the real serial code, the radio's
// memory read back afterwards with kq70-cli upload.

#include "SimulatorSeed.h"
#include "align/HAdustmentBackUpParams.h"
#include "channel/HChannelData.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "support/RadioSimProcess.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <memory>

namespace kq70 {
namespace {

using test::CliRun;

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

} // namespace
} // namespace kq70
