// What every serial device owes the transfer code, run against each one a user or a test
// has: the terminal code on a pseudo-terminal with the simulated radio behind it, and the
// in-process line to the simulated radio on virtual time.

#include "InProcessRadio.h"
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

// The real serial code on a pseudo-terminal, served by a thread.
struct PtyLine {
    bool start() { return runner.open() && runner.start(); }
    std::string name() const { return runner.devicePath(); }
    template <typename Action> auto withRadio(Action action) { return runner.withRadio(action); }

    SystemClock clock;
    RadioSimulator radio{makeSimulatorSeedImage()};
    PtyRadioRunner runner{radio, clock};
    PosixSerialDevice device{clock};
};

// The in-process line: the same radio, no thread, no waiting.
struct InProcessLine {
    bool start() { return true; }
    std::string name() const { return "/dev/ttyUSB0"; }
    template <typename Action> auto withRadio(Action action) { return action(sim.radio); }

    InProcessRadio sim;
    ManualClock& clock = sim.clock;
    SimulatorLink& device = sim.link;
};

template <typename Line> class SerialDeviceContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(line.start());
        request.m_portName = line.name();
        request.m_workBuffer = workBuffer.get();
    }

    void enterCloneMode() {
        line.withRadio([](RadioSimulator& r) { r.enterCloneMode(); });
    }

    Line line;
    LastPortKind lastKind;
    HSerialPort port{line.device, lastKind};
    test::RecordingProgress progress;
    HKqCommonCommunication comm{port, progress, line.clock};
    std::unique_ptr<RadioImage> workBuffer = std::make_unique<RadioImage>();
    HCommRequest request{0};
};

using Lines = ::testing::Types<PtyLine, InProcessLine>;
TYPED_TEST_SUITE(SerialDeviceContractTest, Lines);

TYPED_TEST(SerialDeviceContractTest, OpensEchoesAndExchangesBlocks) {
    this->enterCloneMode();
    EXPECT_EQ(this->line.device.portKind(), PORT_KIND_OTHER) << "closed";
    ASSERT_TRUE(this->comm.OpenPortForJob(this->request));
    EXPECT_NE(this->line.device.portKind(), PORT_KIND_OTHER);
    HSerialPort& serial = this->port;

    serial.SetEchoSuppression(1);
    ASSERT_EQ(serial.SendSglData(0x77), PORT_SUCCESS);
    std::uint8_t echo = 0;
    ASSERT_EQ(serial.ReceiveSglData(echo), PORT_SUCCESS);
    EXPECT_EQ(echo, 0x77) << "the lead hands every byte back";
    serial.SetEchoSuppression(0);

    RadioImage& buffer = *this->workBuffer;
    ASSERT_TRUE(this->comm.ReadBlock(AREA_FLASH, 0x49, 0, buffer, this->request));
    const RadioImage seed = makeSimulatorSeedImage();
    const auto page = buffer.range(flashPageOffset(0x49), FLASH_PAGE_SIZE);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), seed.bytes().begin() + flashPageOffset(0x49)));
    EXPECT_EQ(buffer.byteAt(0x26E8), 12);

    auto image = std::make_unique<RadioImage>();
    for (std::size_t i = 0; i < FLASH_PAGE_SIZE; ++i) {
        image->setByte(flashPageOffset(0x10) + i, static_cast<std::uint8_t>(i * 3));
    }
    image->setBe16(eepromWordOffset(0x20), 0xBEEF);
    ASSERT_TRUE(this->comm.WriteBlock(AREA_FLASH, 0x10, 0, *image, &this->request));
    ASSERT_TRUE(this->comm.WriteBlock(AREA_EEPROM, 0x20, 0, *image, &this->request));
    this->line.withRadio([](RadioSimulator& r) {
        EXPECT_EQ(r.memory().byteAt(flashPageOffset(0x10) + 127), 127 * 3 % 256);
        EXPECT_EQ(r.memory().be16(eepromWordOffset(0x20)), 0xBEEF);
    });

    EXPECT_TRUE(serial.Close());
    EXPECT_FALSE(serial.Close());
    EXPECT_EQ(this->line.device.portKind(), PORT_KIND_OTHER);
}

TYPED_TEST(SerialDeviceContractTest, HandshakeAndResetOverTheLine) {
    this->line.withRadio([this](RadioSimulator& r) { r.switchOn(this->line.clock.now()); });
    ASSERT_TRUE(this->comm.OpenPortForJob(this->request));
    ASSERT_TRUE(this->comm.SetCloneMode(this->request, true));
    EXPECT_EQ(this->line.withRadio([](RadioSimulator& r) { return r.state(); }),
              SimState::CloneMode);
    ASSERT_TRUE(this->comm.ReadBlock(AREA_EEPROM, 2, 0, *this->workBuffer, this->request));
    EXPECT_EQ(this->workBuffer->be16(PRODUCT_CODE_OFFSET), 0xC083);
    // The reset's echo has come back, so the radio has taken the command.
    EXPECT_EQ(this->comm.SendReset(this->request), 0);
    EXPECT_EQ(this->line.withRadio([](RadioSimulator& r) { return r.state(); }), SimState::Off);
}

TYPED_TEST(SerialDeviceContractTest, AOneByteReadWithNothingComingTimesOut) {
    this->enterCloneMode(); // a radio in clone mode says nothing unasked
    ASSERT_TRUE(this->comm.OpenPortForJob(this->request));
    std::uint8_t byte = 0;
    const auto start = this->line.clock.now();
    EXPECT_EQ(this->port.ReceiveSglData(byte), PORT_TIMEOUT);
    EXPECT_GE(this->line.clock.now() - start, 1s);
    EXPECT_TRUE(this->port.Close());
    EXPECT_FALSE(this->port.Close());
}

} // namespace
} // namespace kq70
