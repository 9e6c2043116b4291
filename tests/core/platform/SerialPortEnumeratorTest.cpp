#include "platform/SerialPortEnumerator.h"

#include "platform/SerialDevice.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kq70 {
namespace {

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
