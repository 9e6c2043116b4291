// Upload and download as a dealer runs them: kq70-cli's commands through the real serial
// code, kq70-radiosim in a separate process on a pseudo-terminal. A radio that fails the
// read-back over a pseudo-terminal is the fleet run's faulty radio; what it leaves in the radio
// is the communication dialog's test.

#include "CliApp.h"
#include "SimulatorSeed.h"
#include "doc/DataFile.h"
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

TEST(TransferEndToEndTest, UploadThenDownloadOverAPseudoTerminal) {
    test::TempFolder home;
    test::RadioSimProcess sim({"--baud", "38400", "--restart-ms", "200"});
    const std::string port = sim.firstLine(10000);
    ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
    const std::string path = home.file("radio.k70");
    const std::vector<std::string> upload = {"--home", home.path(), "upload", "--port",
                                             port,     "--baud",    "38400",  path};
    std::string err;

    ASSERT_EQ(runCommand(upload, err), 0) << err;
    test::ScriptedPrompt quiet;
    RadioImage image;
    ASSERT_TRUE(ReadDataFile(path, image, quiet));
    const RadioImage seed = makeSimulatorSeedImage();
    EXPECT_EQ(test::firstDifference(image, seed, 0, 0x0174), "");
    EXPECT_EQ(test::firstDifference(image, seed, FLASH_OFFSET, 0x0515 - FLASH_OFFSET), "");

    // A change the merge leaves alone goes into the radio and comes back.
    image.setByte(0x0020, 0xA5);
    ASSERT_TRUE(WriteDataFile(path, image, quiet));
    ASSERT_EQ(runCommand({"--home", home.path(), "download", "--port", port, "--baud", "38400",
                          "--yes", path},
                         err),
              0)
        << err;
    EXPECT_NE(err.find(text::DOWNLOAD_COMPLETE), std::string::npos);

    // The download ended with the reset; the radio comes back on and offers again.
    ASSERT_EQ(runCommand(upload, err), 0) << err;
    RadioImage again;
    ASSERT_TRUE(ReadDataFile(path, again, quiet));
    EXPECT_EQ(again.byteAt(0x0020), 0xA5);
    EXPECT_EQ(again.be16(MARKER_OFFSET), MARKER_DONE);
    EXPECT_EQ(again.be16(0x00FE), 0xA55A);

    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

} // namespace
} // namespace kq70
