// Upload and download as a dealer runs them: kq70-cli's commands through the real serial
// code, kq70-radiosim in a separate process on a pseudo-terminal. A radio that fails the
// read-back over a pseudo-terminal is the fleet run's faulty radio; what it leaves in the radio
// is the communication dialog's test.

#include "SimulatorSeed.h"
#include "support/CliRun.h"
#include "support/CompletionMarker.h"
#include "support/DataFiles.h"
#include "support/RadioSimProcess.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

#include <csignal>

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

// kq70-radiosim refuses a fault it does not know instead of serving a radio without it.
TEST(RadioSimProcessTest, RefusesAnUnknownFault) {
    test::RadioSimProcess sim({"--fault", "loud@3"});
    EXPECT_EQ(sim.finish(0), 2);
}

} // namespace
} // namespace kq70
