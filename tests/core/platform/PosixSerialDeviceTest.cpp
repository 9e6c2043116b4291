#include "platform/PosixSerialDevice.h"

#include "platform/ManualClock.h"
#include "platform/SerialPortEnumerator.h"
#include "platform/SystemClock.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace kq70 {
namespace {

using namespace std::chrono_literals;

// A bare pseudo-terminal: the test plays the far end on the master side.
class PtyPair {
public:
    PtyPair() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0) {
            m_path = ::ptsname(m_master);
        }
    }
    ~PtyPair() { closeMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& path() const { return m_path; }
    int master() const { return m_master; }
    void closeMaster() {
        if (m_master >= 0) {
            ::close(m_master);
            m_master = -1;
        }
    }

private:
    int m_master = -1;
    std::string m_path;
};

class PosixSerialDeviceTest : public ::testing::Test {
protected:
    // `device` starts open on the line, configured with the default settings.
    void SetUp() override {
        ASSERT_FALSE(pty.path().empty());
        ASSERT_TRUE(device.open(pty.path()));
        ASSERT_TRUE(device.configure(SerialLineSettings{}));
    }

    SystemClock clock;
    PtyPair pty;
    PosixSerialDevice device{clock};
};

TEST_F(PosixSerialDeviceTest, ConfiguresARawLineWithTheRequestedFraming) {
    ASSERT_TRUE(
        device.configure({.BaudRate = 19200, .Parity = EVENPARITY, .StopBits = TWOSTOPBITS}));

    termios tio{};
    ASSERT_EQ(::tcgetattr(pty.master(), &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B19200));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_NE(tio.c_cflag & CSTOPB, 0u);
    // A pseudo-terminal always runs without parity, so parity cannot be seen here.
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u); // translations: MovesBytesBothWays

    for (auto bad : {SerialLineSettings{.BaudRate = 12345}, SerialLineSettings{.ByteSize = 9},
                     SerialLineSettings{.Parity = 7}}) {
        EXPECT_FALSE(device.configure(bad));
    }
}

TEST_F(PosixSerialDeviceTest, MovesBytesBothWays) {
    const std::vector<std::uint8_t> out{0x00, 0x0D, 0x0A, 0x11, 0x13, 0xFF};
    std::size_t written = 0;
    ASSERT_TRUE(device.write(out, written));
    EXPECT_EQ(written, out.size());
    std::vector<std::uint8_t> seen(out.size());
    ASSERT_EQ(::read(pty.master(), seen.data(), seen.size()), static_cast<ssize_t>(out.size()));
    EXPECT_EQ(seen, out) << "no byte is translated or eaten";

    ASSERT_EQ(::write(pty.master(), out.data(), out.size()), static_cast<ssize_t>(out.size()));
    std::vector<std::uint8_t> in(out.size());
    std::size_t received = 0;
    ASSERT_TRUE(device.read(in, received));
    EXPECT_EQ(received, out.size());
    EXPECT_EQ(in, out);
}

TEST_F(PosixSerialDeviceTest, AReadEndsWhenTheLineFallsSilent) {
    const std::uint8_t two[] = {0x50, 0x51};
    ASSERT_EQ(::write(pty.master(), two, 2), 2);
    ::usleep(20000);
    std::vector<std::uint8_t> buffer(10);
    std::size_t received = 0;
    const auto start = clock.now();
    ASSERT_TRUE(device.read(buffer, received));
    EXPECT_EQ(received, 2u);
    EXPECT_GE(clock.now() - start, 100ms);
}

// The reading thread is held up longer than the interval time-out right after a byte came,
// and the rest of the answer arrives meanwhile: that is no silence on the line.
TEST_F(PosixSerialDeviceTest, BytesThatCameWhileTheReaderWasHeldUpAreRead) {
    class HeldUpClock : public Clock {
    public:
        explicit HeldUpClock(int master) : m_master(master) {}
        Duration now() override {
            if (++m_calls == 3) { // the wait after the first byte
                const std::uint8_t rest[] = {2, 3, 4, 5};
                EXPECT_EQ(::write(m_master, rest, 4), 4);
                ::usleep(20000);
                m_time += 150ms;
            }
            return m_time;
        }
        void sleep(Duration duration) override { m_time += duration; }

    private:
        int m_master;
        int m_calls = 0;
        Duration m_time{0};
    };
    ASSERT_TRUE(device.close()); // the line is the held-up reader's
    HeldUpClock heldUp(pty.master());
    PosixSerialDevice late(heldUp);
    ASSERT_TRUE(late.open(pty.path()));
    ASSERT_TRUE(late.configure(SerialLineSettings{}));
    ASSERT_TRUE(late.setTimeouts(SerialTimeouts{}));
    const std::uint8_t first = 1;
    ASSERT_EQ(::write(pty.master(), &first, 1), 1);
    ::usleep(20000);
    std::vector<std::uint8_t> answer(5);
    std::size_t received = 0;
    ASSERT_TRUE(late.read(answer, received));
    EXPECT_EQ(received, 5u);
    EXPECT_EQ(answer, (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
}

TEST_F(PosixSerialDeviceTest, PurgeDropsWaitingInput) {
    const std::uint8_t stale[] = {1, 2, 3};
    ASSERT_EQ(::write(pty.master(), stale, 3), 3);
    ::usleep(20000);
    ASSERT_TRUE(device.purgeReceive());
    const std::uint8_t fresh = 9;
    ASSERT_EQ(::write(pty.master(), &fresh, 1), 1);
    std::uint8_t got = 0;
    std::size_t received = 0;
    ASSERT_TRUE(device.read(std::span(&got, 1), received));
    EXPECT_EQ(got, 9);
}

TEST_F(PosixSerialDeviceTest, TheLineIsNotShared) {
    PosixSerialDevice second(clock);
    EXPECT_FALSE(second.open(pty.path()));
    EXPECT_TRUE(device.close());
    EXPECT_FALSE(device.close());
    EXPECT_TRUE(second.open(pty.path()));
}

TEST_F(PosixSerialDeviceTest, AVanishedFarEndIsAnError) {
    EXPECT_TRUE(device.clearErrors());
    pty.closeMaster();
    EXPECT_FALSE(device.clearErrors());
    std::uint8_t byte = 0;
    std::size_t received = 0;
    EXPECT_FALSE(device.read(std::span(&byte, 1), received));
}

TEST_F(PosixSerialDeviceTest, WhatIsNoTerminalOpensAsAnotherKind) {
    PosixSerialDevice other(clock);
    EXPECT_FALSE(other.open("/nonexistent/ttyS0"));
    ASSERT_TRUE(other.open("/dev/null"));
    EXPECT_EQ(other.portKind(), PORT_KIND_OTHER);
    EXPECT_FALSE(other.configure(SerialLineSettings{}));
    std::uint8_t byte = 0;
    std::size_t received = 0;
    EXPECT_TRUE(other.read(std::span(&byte, 1), received)) << "ends at once, does not spin";
    EXPECT_EQ(received, 0u);
}

TEST(ManualClockTest, TimeOnlyMovesForwardAndSleepsAreCounted) {
    ManualClock clock;
    EXPECT_EQ(clock.now(), Clock::Duration{0});
    clock.sleep(500ms);
    clock.advance(20ms);
    clock.advanceTo(100ms); // the past: stays
    EXPECT_EQ(clock.now(), 520ms);
    clock.advanceTo(1s);
    clock.sleep(-5ms);
    EXPECT_EQ(clock.now(), 1s);
    EXPECT_EQ(clock.totalSlept(), 500ms) << "waiting for the line is no sleep";
}

namespace fs = std::filesystem;

// A tty class folder as the kernel lays it out: each tty a folder, its device a link into
// the device tree.
class FakeSysfs {
public:
    explicit FakeSysfs(const std::string& root) : m_root(root) {
        fs::create_directories(classFolder());
    }

    std::string classFolder() const { return m_root + "/class/tty"; }

    void addTty(const std::string& name, const std::string& devicePath, int uartType = -1) {
        const fs::path tty = fs::path(classFolder()) / name;
        fs::create_directories(tty);
        if (!devicePath.empty()) {
            const fs::path device = fs::path(m_root) / "devices" / devicePath;
            fs::create_directories(device);
            fs::create_directory_symlink(device, tty / "device");
        }
        if (uartType >= 0) {
            test::TempFolder::writeText((tty / "type").string(), std::to_string(uartType) + "\n");
        }
    }

private:
    std::string m_root;
};

TEST(SerialPortEnumeratorTest, ListsSerialPortsWithTheirKind) {
    test::TempFolder folder;
    FakeSysfs sysfs(folder.path());
    sysfs.addTty("tty0", "");                                  // a console
    sysfs.addTty("ptmx", "");                                  // pseudo-terminals
    sysfs.addTty("ttyS0", "platform/serial8250/tty/ttyS0", 4); // a real UART
    sysfs.addTty("ttyS1", "platform/serial8250/tty/ttyS1", 0); // no chip behind it
    sysfs.addTty("ttyS10", "pnp0/00:05/tty/ttyS10", 4);
    sysfs.addTty("ttyS2", "pci0000:00/0000:00:16.3/tty/ttyS2", 4);
    sysfs.addTty("ttyUSB0", "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB0/tty/ttyUSB0");
    sysfs.addTty("ttyACM0", "pci0000:00/0000:00:14.0/usb3/3-1/3-1:1.0/tty/ttyACM0");

    const SerialPortEnumerator enumerator(sysfs.classFolder(), "/dev");
    const auto ports = enumerator.ports();
    ASSERT_EQ(ports.size(), 5u);
    const std::vector<std::pair<std::string, int>> expected = {
        {"ttyACM0", PORT_KIND_USB_CABLE}, {"ttyS0", PORT_KIND_RS232},
        {"ttyS2", PORT_KIND_RS232},       {"ttyS10", PORT_KIND_RS232},
        {"ttyUSB0", PORT_KIND_USB_CABLE},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ports[i].name, expected[i].first);
        EXPECT_EQ(ports[i].devicePath, "/dev/" + expected[i].first);
        EXPECT_EQ(ports[i].kind, expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(enumerator.kindOf("7"), PORT_KIND_RS232) << "a pseudo-terminal is not listed";
}

TEST(SerialPortEnumeratorTest, StableNamesPointAtTheirTty) {
    test::TempFolder folder;
    FakeSysfs sysfs(folder.path());
    sysfs.addTty("ttyUSB1", "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB1/tty/ttyUSB1");
    sysfs.addTty("ttyS4", "platform/serial8250/tty/ttyS4", 4);
    const fs::path dev = fs::path(folder.path()) / "dev";
    const fs::path byId = dev / "serial/by-id";
    fs::create_directories(byId);
    test::TempFolder::writeText((dev / "ttyUSB1").string(), "");
    test::TempFolder::writeText((dev / "ttyS4").string(), "");
    fs::create_symlink("../../ttyUSB1", byId / "usb-Maker_Cable_A1-if00-port0");
    fs::create_symlink("../../ttyS4", byId / "pci-Board_UART");
    fs::create_symlink("../../ttyUSB7", byId / "usb-Unplugged-if00-port0"); // points nowhere

    const auto names = SerialPortEnumerator(sysfs.classFolder(), dev.string()).stableNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].devicePath, (byId / "pci-Board_UART").string());
    EXPECT_EQ(names[0].name, "ttyS4");
    EXPECT_EQ(names[0].kind, PORT_KIND_RS232);
    EXPECT_EQ(names[1].devicePath, (byId / "usb-Maker_Cable_A1-if00-port0").string());
    EXPECT_EQ(names[1].name, "ttyUSB1");
    EXPECT_EQ(names[1].kind, PORT_KIND_USB_CABLE);
}

TEST(SerialPortEnumeratorTest, AMissingFolderListsNothing) {
    EXPECT_TRUE(SerialPortEnumerator("/nonexistent/class/tty").ports().empty());
    EXPECT_TRUE(
        SerialPortEnumerator("/nonexistent/class/tty", "/nonexistent").stableNames().empty());
}

} // namespace
} // namespace kq70
