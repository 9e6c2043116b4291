// kq70-radiosim as a user runs it: a separate process on a pseudo-terminal.

#include "support/RadioSimProcess.h"
#include "image/RadioImage.h"
#include "link/HCommRequest.h"
#include "link/HKqCommonCommunication.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SystemClock.h"
#include "support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace kq70 {
namespace {

using test::RadioSimProcess;

TEST(RadioSimProcessTest, ServesAHandshakeAndEndsOnSigterm) {
    RadioSimProcess sim({});
    const std::string path = sim.firstLine(10000);
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;

    SystemClock clock;
    PosixSerialDevice device(clock);
    LastPortKind lastKind;
    HSerialPort port(device, lastKind);
    test::RecordingProgress progress;
    HKqCommonCommunication comm(port, progress, clock);
    HCommRequest request(0);
    request.m_portName = path;
    auto buffer = std::make_unique<RadioImage>();

    ASSERT_TRUE(comm.OpenPortForJob(request));
    ASSERT_TRUE(comm.SetCloneMode(request, false));
    ASSERT_TRUE(comm.ReadBlock(AREA_EEPROM, 2, 0, *buffer, request));
    EXPECT_EQ(buffer->be16(PRODUCT_CODE_OFFSET), 0xC083);
    port.Close();

    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

TEST(RadioSimProcessTest, RefusesAnUnknownFault) {
    RadioSimProcess sim({"--fault", "loud@3"});
    EXPECT_EQ(sim.finish(0), 2);
}

} // namespace
} // namespace kq70
