// The real serial code on a pseudo-terminal, with the simulated radio on the other side.

#include "PtyRadioRunner.h"
#include "RadioSimulator.h"
#include "SimulatorSeed.h"
#include "link/HCommRequest.h"
#include "link/HKqCommonCommunication.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SystemClock.h"
#include "support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace kq70 {
namespace {

using namespace std::chrono_literals;

class PtyLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runner.open()) << runner.errorText();
        ASSERT_TRUE(runner.start());
        request.m_portName = runner.devicePath();
        request.m_workBuffer = workBuffer.get();
    }

    void enterCloneMode() {
        runner.withRadio([](RadioSimulator& r) { r.enterCloneMode(); });
    }

    SystemClock clock;
    RadioSimulator radio{makeSimulatorSeedImage()};
    PtyRadioRunner runner{radio, clock};
    PosixSerialDevice device{clock};
    LastPortKind lastKind;
    HSerialPort port{device, lastKind};
    test::RecordingProgress progress;
    HKqCommonCommunication comm{port, progress, clock};
    std::unique_ptr<RadioImage> workBuffer = std::make_unique<RadioImage>();
    HCommRequest request{0};
};

TEST_F(PtyLinkTest, OpensEchoesAndExchangesBlocks) {
    enterCloneMode();
    ASSERT_TRUE(comm.OpenPortForJob(request));
    EXPECT_EQ(port.GetPortKind(), PORT_KIND_RS232);

    port.SetEchoSuppression(1);
    ASSERT_EQ(port.SendSglData(0x77), PORT_SUCCESS);
    std::uint8_t echo = 0;
    ASSERT_EQ(port.ReceiveSglData(echo), PORT_SUCCESS);
    EXPECT_EQ(echo, 0x77) << "the lead hands every byte back";
    port.SetEchoSuppression(0);

    ASSERT_TRUE(comm.ReadBlock(AREA_FLASH, 0x49, 0, *workBuffer, request));
    const RadioImage seed = makeSimulatorSeedImage();
    const auto page = workBuffer->range(flashPageOffset(0x49), FLASH_PAGE_SIZE);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), seed.bytes().begin() + flashPageOffset(0x49)));
    EXPECT_EQ(workBuffer->byteAt(0x26E8), 12);

    auto image = std::make_unique<RadioImage>();
    for (std::size_t i = 0; i < FLASH_PAGE_SIZE; ++i) {
        image->setByte(flashPageOffset(0x10) + i, static_cast<std::uint8_t>(i * 3));
    }
    image->setBe16(eepromWordOffset(0x20), 0xBEEF);
    ASSERT_TRUE(comm.WriteBlock(AREA_FLASH, 0x10, 0, *image, &request));
    ASSERT_TRUE(comm.WriteBlock(AREA_EEPROM, 0x20, 0, *image, &request));
    runner.withRadio([&image](RadioSimulator& r) {
        EXPECT_EQ(r.memory().byteAt(flashPageOffset(0x10) + 127), 127 * 3 % 256);
        EXPECT_EQ(r.memory().be16(eepromWordOffset(0x20)), 0xBEEF);
    });

    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.Close());
}

TEST_F(PtyLinkTest, HandshakeAndResetOverTheLine) {
    runner.withRadio([this](RadioSimulator& r) { r.switchOn(clock.now()); });
    ASSERT_TRUE(comm.OpenPortForJob(request));
    ASSERT_TRUE(comm.SetCloneMode(request, true));
    EXPECT_EQ(runner.withRadio([](RadioSimulator& r) { return r.state(); }), SimState::CloneMode);
    ASSERT_TRUE(comm.ReadBlock(AREA_EEPROM, 2, 0, *workBuffer, request));
    EXPECT_EQ(workBuffer->be16(PRODUCT_CODE_OFFSET), 0xC083);
    // The reset's echo has come back, so the radio has taken the command.
    EXPECT_EQ(comm.SendReset(request), 0);
    EXPECT_EQ(runner.withRadio([](RadioSimulator& r) { return r.state(); }), SimState::Off);
}

TEST_F(PtyLinkTest, AOneByteReadWithNothingComingTimesOut) {
    enterCloneMode(); // a radio in clone mode says nothing unasked
    ASSERT_TRUE(comm.OpenPortForJob(request));
    std::uint8_t byte = 0;
    const auto start = clock.now();
    EXPECT_EQ(port.ReceiveSglData(byte), PORT_TIMEOUT);
    EXPECT_GE(clock.now() - start, 1s);
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.Close());
}

} // namespace
} // namespace kq70
