#include "frame/ConfigureChoices.h"

#include "app/AppSettings.h"
#include "platform/IniFile.h"
#include "platform/SerialDevice.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kq70 {
namespace {

// A plain serial port and the programming cable, as the system lists them.
const std::vector<SerialPortInfo> SYSTEM_PORTS{{"ttyS0", "/dev/ttyS0", 0},
                                               {"ttyUSB0", "/dev/ttyUSB0", PORT_KIND_USB_CABLE}};

TEST(ConfigureChoicesTest, PortListMarksTheCableAndEndsWithTheSimulatedRadio) {
    const auto choices = ConfigureChoices::PortList(SYSTEM_PORTS);
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].text, "/dev/ttyS0");
    EXPECT_EQ(choices[1].text, "/dev/ttyUSB0 (PGC-30)");
    EXPECT_EQ(choices[2].text, "Simulated radio");
    EXPECT_TRUE(choices[2].simulated);

    const std::pair<std::string, int> cases[] = {
        {"/dev/ttyUSB0", 1}, // the configured device
        {"", 0},             // COM1 is /dev/ttyS0
        {"/dev/ttyACM7", 0}, // gone: the first entry
        {"simulated", 2},
    };
    for (const auto& [portName, selected] : cases) {
        AppSettings settings;
        settings.portName = portName;
        settings.comPort = 1;
        EXPECT_EQ(ConfigureChoices::SelectedPort(choices, settings), selected) << portName;
    }
    const auto none = ConfigureChoices::PortList({});
    EXPECT_TRUE(
        none.at(static_cast<std::size_t>(ConfigureChoices::SelectedPort(none, {}))).simulated);
}

TEST(ConfigureChoicesTest, TheConfiguredPortIsKeptUntilTheUserPicksAnother) {
    test::TempFolder folder;
    const std::string pseudoTerminal = folder.file("pts3");
    test::TempFolder::writeText(pseudoTerminal, "");
    const std::string byId = "/dev/serial/by-id/usb-Maker_Cable_A1-if00-port0";
    const auto listed =
        ConfigureChoices::PortList(SYSTEM_PORTS, {}, {{"ttyUSB0", byId, PORT_KIND_USB_CABLE}});
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[2].text, byId + " (PGC-30)"); // beside its device path

    struct Case {
        std::string portName;
        int portType;
        std::string shown; // the selected entry
        std::size_t entries;
    };
    const std::string gone = "/dev/serial/by-id/usb-Unplugged-if00-port0";
    const Case cases[] = {
        {byId, 1, byId + " (PGC-30)", 4},
        {pseudoTerminal, 0, pseudoTerminal, 5},
        {gone, 1, gone + " (not found)", 5},
        {"", 0, "/dev/ttyS0", 4}, // COM1, listed
    };
    for (const Case& c : cases) {
        AppSettings settings;
        settings.portName = c.portName;
        settings.portType = c.portType;
        const auto choices = ConfigureChoices::WithConfiguredPort(listed, settings);
        ASSERT_EQ(choices.size(), c.entries) << c.portName;
        EXPECT_TRUE(choices.back().simulated);
        const int selected = ConfigureChoices::SelectedPort(choices, settings);
        ASSERT_GE(selected, 0);
        const PortChoice& choice = choices[static_cast<std::size_t>(selected)];
        EXPECT_EQ(choice.text, c.shown);
        // OK without picking another port keeps the port and its cable kind.
        AppSettings applied = settings;
        ConfigureChoices::Apply(applied, choice, 9600);
        EXPECT_EQ(applied.portName, ConfigureChoices::ConfiguredPort(settings));
        EXPECT_EQ(applied.portType, c.portType) << c.portName;
    }
}

TEST(ConfigureChoicesTest, UsbPortsAreNamedByTheirAdapter) {
    namespace fs = std::filesystem;
    test::TempFolder folder;
    const fs::path root = folder.path();
    const fs::path usbDevice = root / "devices/pci0000:00/usb1/1-2";
    const fs::path usbTty = usbDevice / "1-2:1.0/ttyUSB0/tty/ttyUSB0";
    const fs::path uart = root / "devices/platform/serial8250/tty/ttyS0";
    fs::create_directories(usbTty);
    fs::create_directories(uart);
    test::TempFolder::writeText((usbDevice / "manufacturer").string(), "FTDI\n");
    test::TempFolder::writeText((usbDevice / "product").string(), "FT232R USB UART\n");
    const fs::path classTty = root / "class/tty";
    for (const auto& [name, device] : {std::pair{"ttyUSB0", usbTty}, std::pair{"ttyS0", uart}}) {
        fs::create_directories(classTty / name);
        fs::create_directory_symlink(device, classTty / name / "device");
    }

    EXPECT_EQ(ConfigureChoices::UsbDescription(classTty.string(), "ttyS0"), "");
    EXPECT_EQ(ConfigureChoices::UsbDescription(classTty.string(), "ttyACM9"), "");
    const auto choices = ConfigureChoices::PortList(SYSTEM_PORTS, classTty.string());
    EXPECT_EQ(choices[1].text, "/dev/ttyUSB0: FTDI FT232R USB UART (PGC-30)");
}

TEST(ConfigureChoicesTest, OkTakesPortCableKindAndBaudRate) {
    const auto choices =
        ConfigureChoices::PortList({{"ttyUSB0", "/dev/ttyUSB0", PORT_KIND_USB_CABLE}});
    AppSettings settings;
    ConfigureChoices::Apply(settings, choices[0], 19200); // the port: the configured-port test
    EXPECT_EQ(settings.baudRate, 19200);
    ConfigureChoices::Apply(settings, choices[1], 57600);
    EXPECT_EQ(settings.portType, 0);
    EXPECT_EQ(settings.baudRate, 9600);
    // The kind is the port's, not its label's: an adapter named after the cable is not it.
    ConfigureChoices::Apply(settings, {"/dev/ttyS1: PGC-30 clone", "/dev/ttyS1", false}, 9600);
    EXPECT_EQ(settings.portType, 0);
    settings.baudRate = 4800;
    EXPECT_EQ(ConfigureChoices::SelectedBaudRate(settings), 0);
}

TEST(ConfigureChoicesTest, VerifyChoiceIsKeptInTheSettingsFileAtOnce) {
    test::TempFolder folder;
    IniFile ini(folder.file("KQ70.ini"));
    AppSettings settings;
    for (const bool verify : {false, true}) {
        EXPECT_TRUE(ConfigureChoices::StoreVerify(settings, ini, verify));
        EXPECT_EQ(settings.verifyDownload, verify);
        EXPECT_EQ(ini.readString("Initialize", "VERIFY", "?"), verify ? "1" : "0");
        AppSettings reloaded;
        reloaded.load(ini);
        EXPECT_EQ(reloaded.verifyDownload, verify);
    }
    // A settings file that cannot be written still changes this run's choice.
    IniFile nowhere(folder.file("missing/KQ70.ini"));
    EXPECT_FALSE(ConfigureChoices::StoreVerify(settings, nowhere, true));
    EXPECT_TRUE(settings.verifyDownload);
}

TEST(ConfigureChoicesTest, PermissionHintNamesTheDeviceAndItsGroup) {
    EXPECT_EQ(ConfigureChoices::PermissionHint("/dev/ttyUSB0", "dialout"),
              "You may not use /dev/ttyUSB0: add your user to the group \"dialout\" "
              "(sudo usermod -aG dialout $USER), then log out and in again.");
    test::TempFolder folder;
    const std::string usable = folder.file("tty");
    test::TempFolder::writeText(usable, "");
    EXPECT_EQ(ConfigureChoices::PermissionHint(PortChoice{usable, usable, false}), "");
    EXPECT_EQ(ConfigureChoices::PermissionHint(PortChoice{"x", folder.file("missing"), false}), "");
    EXPECT_EQ(ConfigureChoices::PermissionHint(PortChoice{"Simulated radio", "simulated", true}),
              "");
}

} // namespace
} // namespace kq70
