#include "link/HSerialPort.h"

#include "DialogJobs.h"

#include <gtest/gtest.h>

#include <vector>

namespace kq70 {
namespace {

using namespace std::chrono_literals;

class HSerialPortTest : public ::testing::Test, protected test::RadioOnPort {};

TEST_F(HSerialPortTest, OpenFormsTheDeviceNameFromTheForcedPortNumber) {
    struct Case {
        unsigned portNumber;
        std::string portName;
        std::string device;
        unsigned storedNumber;
    };
    const std::vector<Case> cases = {
        {0, "", "/dev/ttyS0", 1},       {1, "", "/dev/ttyS0", 1},
        {5, "", "/dev/ttyS4", 5},       {256, "", "/dev/ttyS255", 256},
        {300, "", "/dev/ttyS255", 256}, {3, "/dev/ttyUSB0", "/dev/ttyUSB0", 3},
    };
    for (const Case& c : cases) {
        port.SetPortNumber(c.portNumber);
        port.SetPortName(c.portName);
        ASSERT_EQ(port.Open(), 0) << c.portNumber;
        EXPECT_EQ(sim.link.openedName(), c.device) << c.portNumber;
        EXPECT_EQ(port.GetPortNumber(), c.storedNumber);
        port.Close();
    }
}

TEST_F(HSerialPortTest, OpenGivesTheDeviceTheLineSettingsAndFixedTimeOuts) {
    SerialLineSettings dcb = port.GetDcb();
    EXPECT_EQ(dcb.fRtsControl, RTS_CONTROL_ENABLE); // DTR shows on the opened device below
    dcb.BaudRate = 38400;
    dcb.StopBits = TWOSTOPBITS;
    port.SetDcb(dcb);

    ASSERT_EQ(port.Open(), 0);
    EXPECT_EQ(sim.link.settings(), dcb);
    EXPECT_TRUE(sim.link.dtr());
    // The read time-outs show in the waits of the read test below.
    const SerialTimeouts& t = sim.link.timeouts();
    EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 100u);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 5000u);
}

TEST_F(HSerialPortTest, OpenRecordsThePortKindAndRefusesOtherDevices) {
    sim.link.setPortKind(PORT_KIND_USB_CABLE);
    ASSERT_EQ(port.Open(), 0);
    EXPECT_EQ(port.GetPortKind(), PORT_KIND_USB_CABLE);
    EXPECT_EQ(lastKind.get(), PORT_KIND_USB_CABLE);
    EXPECT_EQ(HSerialPort(sim.link, lastKind).GetPortKind(), PORT_KIND_USB_CABLE);
    port.Close();

    sim.link.setPortKind(PORT_KIND_OTHER);
    EXPECT_EQ(port.Open(), 1);
    EXPECT_EQ(lastKind.get(), PORT_KIND_OTHER);
    EXPECT_FALSE(port.IsOpen()) << "a refused device is closed at once";
    EXPECT_EQ(port.SendSglData(0x40), PORT_COMM_ERROR);
    EXPECT_EQ(sim.link.bytesWritten(), 0u);
    EXPECT_FALSE(port.Close());
}

class FailingStepDevice : public SimulatorLink {
public:
    using SimulatorLink::SimulatorLink;
    bool failTimeouts = false;
    bool failConfigure = false;
    bool setTimeouts(const SerialTimeouts& timeouts) override {
        return !failTimeouts && SimulatorLink::setTimeouts(timeouts);
    }
    bool configure(const SerialLineSettings& settings) override {
        return !failConfigure && SimulatorLink::configure(settings);
    }
};

TEST_F(HSerialPortTest, OpenClosesTheDeviceWhenALaterStepFails) {
    struct Case {
        const char* step;
        int kind;
        bool failTimeouts;
        bool failConfigure;
    };
    const Case cases[] = {{"port kind", PORT_KIND_OTHER, false, false},
                          {"time-outs", PORT_KIND_RS232, true, false},
                          {"line settings", PORT_KIND_USB_CABLE, false, true}};
    for (const Case& c : cases) {
        FailingStepDevice device(sim.radio, sim.clock);
        device.setPortKind(c.kind);
        device.failTimeouts = c.failTimeouts;
        device.failConfigure = c.failConfigure;
        HSerialPort failing(device, lastKind);
        EXPECT_EQ(failing.Open(), 1) << c.step;
        EXPECT_FALSE(device.isOpen()) << c.step << ": closed, so its lock is released";
        device.failTimeouts = false;
        device.failConfigure = false;
        device.setPortKind(PORT_KIND_RS232);
        EXPECT_EQ(failing.Open(), 0) << c.step << ": the next attempt opens";
    }
}

TEST_F(HSerialPortTest, SendMltDataWritesAtMost4096Bytes) {
    port.SetEchoSuppression(0);
    ASSERT_EQ(port.Open(), 0);
    EXPECT_EQ(port.SendMltData(std::vector<std::uint8_t>(4097, 0x11)), PORT_COMM_ERROR);
    EXPECT_EQ(sim.link.bytesWritten(), 0u);

    EXPECT_EQ(port.SendMltData(std::vector<std::uint8_t>(4096, 0x11)), PORT_SUCCESS);
    EXPECT_EQ(sim.link.bytesWritten(), 4096u);
}

TEST_F(HSerialPortTest, EchoIsReadBackOnlyWhenNotSuppressed) {
    sim.radio.enterCloneMode();
    const std::vector<std::uint8_t> frame{CMD_EEPROM_READ, 0x02, 0x02, 0xF4};
    ASSERT_EQ(port.Open(), 0);

    port.SetEchoSuppression(1);
    ASSERT_EQ(port.SendMltData(frame), PORT_SUCCESS);
    std::vector<std::uint8_t> raw(9);
    ASSERT_EQ(port.ReceiveMltData(raw), PORT_SUCCESS);
    EXPECT_EQ(std::vector(raw.begin(), raw.begin() + 4), frame) << "the lead's echo comes first";

    port.SetEchoSuppression(0);
    ASSERT_EQ(port.SendMltData(frame), PORT_SUCCESS);
    std::vector<std::uint8_t> answer(5);
    ASSERT_EQ(port.ReceiveMltData(answer), PORT_SUCCESS);
    EXPECT_EQ(answer, (std::vector<std::uint8_t>{0xF0, 0x03, 0xC0, 0x83, 0x36}));
}

TEST_F(HSerialPortTest, ReadTimesOutByTotalAndByInterval) {
    ASSERT_EQ(port.Open(), 0);
    std::uint8_t byte = 0;
    auto before = sim.clock.now();
    EXPECT_EQ(port.ReceiveSglData(byte), PORT_TIMEOUT);
    EXPECT_EQ(sim.clock.now() - before, 1005ms);

    // The offers come every 100 ms: a gap of exactly the interval still counts.
    sim.radio.switchOn(sim.clock.now());
    std::vector<std::uint8_t> offers(5);
    before = sim.clock.now();
    EXPECT_EQ(port.ReceiveMltData(offers), PORT_SUCCESS);
    EXPECT_EQ(offers, std::vector<std::uint8_t>(5, CHECK_COMMAND));
    EXPECT_EQ(sim.clock.now() - before, 500ms);

    // A radio that stops after two bytes: the read ends 100 ms after the last one.
    sim.radio.switchOff();
    sim.radio.enterCloneMode();
    port.SetEchoSuppression(1);
    port.PurgeReceive();
    ASSERT_EQ(port.SendSglData(0x77), PORT_SUCCESS); // noise the radio ignores: echo only
    std::vector<std::uint8_t> buffer(10);
    before = sim.clock.now();
    EXPECT_EQ(port.ReceiveMltData(buffer), PORT_TIMEOUT);
    EXPECT_EQ(buffer[0], 0x77) << "what came stays in the buffer";
    EXPECT_EQ(sim.clock.now() - before, 100ms);
}

// A lead that hands nothing back fails the send once its time is up; a broken line fails a read.
TEST_F(HSerialPortTest, NoEchoOrABrokenLineIsACommunicationError) {
    sim.radio.setEcho(false);
    port.SetEchoSuppression(0);
    ASSERT_EQ(port.Open(), 0);
    const auto before = sim.clock.now();
    EXPECT_EQ(port.SendMltData(std::vector<std::uint8_t>(4, 0x11)), PORT_COMM_ERROR);
    EXPECT_EQ(sim.clock.now() - before, 1020ms);
    sim.link.setLineBroken(true);
    std::uint8_t byte = 0;
    EXPECT_EQ(port.ReceiveSglData(byte), PORT_COMM_ERROR);
}

TEST_F(HSerialPortTest, PurgeDropsWhatWaits) {
    sim.radio.switchOn(sim.clock.now());
    ASSERT_EQ(port.Open(), 0);
    sim.clock.advance(350ms); // three offers wait
    port.PurgeReceive();
    std::uint8_t byte = 0;
    const auto before = sim.clock.now();
    EXPECT_EQ(port.ReceiveSglData(byte), PORT_SUCCESS);
    EXPECT_EQ(sim.clock.now() - before, 50ms) << "only the next offer is read";
}

TEST_F(HSerialPortTest, ReopeningClosesFirstClosingTwiceIsHarmlessAndDestructionCloses) {
    ASSERT_EQ(port.Open(), 0);
    EXPECT_EQ(port.Open(), 0);
    EXPECT_EQ(sim.link.openCount(), 2);
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(sim.link.dtr()) << "DTR drops on close";
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(port.IsOpen());
    {
        HSerialPort scoped(sim.link, lastKind);
        ASSERT_EQ(scoped.Open(), 0);
    }
    EXPECT_FALSE(sim.link.isOpen());
}

TEST_F(HSerialPortTest, ProbePortReportsTheKindAndLeavesThePortClosed) {
    sim.link.setPortKind(PORT_KIND_USB_CABLE);
    EXPECT_EQ(port.ProbePort(4), PORT_KIND_USB_CABLE);
    EXPECT_EQ(sim.link.openedName(), "/dev/ttyS3");
    EXPECT_FALSE(port.IsOpen());

    SimulatorLink onlyOne(sim.radio, sim.clock, "/dev/ttyS0");
    HSerialPort other(onlyOne, lastKind);
    EXPECT_EQ(other.ProbePort(2), PORT_KIND_OTHER);
    EXPECT_EQ(other.ProbePort(1), PORT_KIND_RS232);
    EXPECT_EQ(other.ProbePort(0), PORT_KIND_OTHER) << "port 0 is not forced when probing";
}

} // namespace
} // namespace kq70
