// Adjustment Recover as a service technician runs it: kq70-cli through the real serial code,
// kq70-radiosim in a separate process on a pseudo-terminal holding a damaged flash copy.

#include "CliApp.h"
#include "SimulatorSeed.h"
#include "doc/DataFile.h"
#include "service/AdjustmentChecks.h"
#include "support/CliRun.h"
#include "support/CompletionMarker.h"
#include "support/RadioSimProcess.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

namespace kq70 {
namespace {

using namespace test;

int runCommand(const std::vector<std::string>& args, std::string& err) {
    const test::CliRun run = test::runCliWith(args);
    err = run.err;
    return run.code;
}

TEST(RecoverEndToEndTest, ADamagedFlashCopyIsRepairedOverAPseudoTerminal) {
    test::TempFolder home;
    test::ScriptedPrompt quiet;
    const RadioImage seed = makeSimulatorSeedImage();
    const std::string saved = home.file("saved.k70");
    ASSERT_TRUE(WriteDataFile(saved, seed, quiet));
    test::RadioSimProcess sim({"--damage", "flash", "--baud", "38400", "--restart-ms", "200"});
    const std::string port = sim.firstLine(10000);
    ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    std::string err;

    const std::string before = home.file("before.k70");
    const std::vector<std::string> upload = {"--home", home.path(), "upload", "--port",
                                             port,     "--baud",    "38400"};
    std::vector<std::string> uploadBefore = upload;
    uploadBefore.push_back(before);
    ASSERT_EQ(runCommand(uploadBefore, err), 0) << err;
    RadioImage damaged;
    ASSERT_TRUE(ReadDataFile(before, damaged, quiet));
    ASSERT_EQ(AdjustmentChecks::ReliabilityTest(damaged), AdjustmentChecks::EEPROM_RIGHT);

    ASSERT_EQ(
        runCommand({"--home", home.path(), "recover", "--port", port, "--baud", "38400", "--mode",
                    "1", "--mode-password", "Quiet Harbours", "--file", saved, "--yes"},
                   err),
        0)
        << err;
    EXPECT_NE(err.find(text::ADJ_RECOVERY_COMPLETE), std::string::npos) << err;

    // The write ended with the reset; the radio comes back on and a fresh upload finds both
    // copies sound and the channels as they were.
    const std::string after = home.file("after.k70");
    std::vector<std::string> uploadAfter = upload;
    uploadAfter.push_back(after);
    ASSERT_EQ(runCommand(uploadAfter, err), 0) << err;
    RadioImage repaired;
    ASSERT_TRUE(ReadDataFile(after, repaired, quiet));
    EXPECT_EQ(AdjustmentChecks::ReliabilityTest(repaired), AdjustmentChecks::BOTH_RIGHT);
    EXPECT_EQ(
        test::firstDifference(repaired, seed, WORKING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE + 2),
        "");
    const std::size_t channels = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 16;
    EXPECT_EQ(test::firstDifference(repaired, damaged, FLASH_OFFSET, channels - FLASH_OFFSET), "");
    EXPECT_EQ(repaired.be16(MARKER_OFFSET), MARKER_DONE);

    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

} // namespace
} // namespace kq70
