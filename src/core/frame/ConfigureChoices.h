#pragma once

#include "platform/SerialPortEnumerator.h"

#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

struct AppSettings;
class IniFile;

// One entry of the Configuration dialog's port list.
struct PortChoice {
    std::string text;       // "/dev/ttyUSB0 (PGC-30)", "Simulated radio"
    std::string devicePath; // what the settings keep as the port name
    bool simulated = false;
    bool usbCable = false; // the USB programming cable (port type 1)
};

// What File > Configure offers and how its choices become settings.
class ConfigureChoices {
public:
    // The system's ports, named by their USB adapter where the system knows it, each followed
    // by its stable names (`stableNames`, /dev/serial/by-id), the cable marked; then the
    // simulated radio.
    static std::vector<PortChoice> PortList(const std::vector<SerialPortInfo>& ports,
                                            const std::string& sysClassTty = {},
                                            const std::vector<SerialPortInfo>& stableNames = {});
    // The port the settings name, whether the system lists it or not: a device picked before
    // that the list lacks (a stable name, an unplugged cable, a pseudo-terminal) is added
    // before the simulated radio, marked "(not found)" when the system has no such device, so
    // that OK keeps it until the user picks another.
    static std::vector<PortChoice> WithConfiguredPort(std::vector<PortChoice> choices,
                                                      const AppSettings& settings);
    static std::string ConfiguredPort(const AppSettings& settings);
    // "FTDI FT232R USB UART": the manufacturer and product of the USB device a tty sits on;
    // empty when it is not on USB or the system does not say.
    static std::string UsbDescription(const std::string& sysClassTty, const std::string& ttyName);
    // The entry of the configured port; else the first entry (the simulated radio when the
    // system has no port).
    static int SelectedPort(const std::vector<PortChoice>& choices, const AppSettings& settings);
    static const std::vector<int>& BaudRates();
    // The selected baud rate's entry; the first when the setting is not in the list.
    static int SelectedBaudRate(const AppSettings& settings);
    // One line saying how to get access when this user may not use the port; empty when the
    // port is usable, missing, or the simulated radio.
    static std::string PermissionHint(const PortChoice& port);
    static std::string PermissionHint(const std::string& device, const std::string& group);

    // OK: the port, its cable kind, the baud rate.
    static void Apply(AppSettings& settings, const PortChoice& port, int baudRate);
    // OK also keeps the Verify choice in the settings file at once, so a download started
    // before the program ends already follows it; a failed write is logged.
    static bool StoreVerify(AppSettings& settings, IniFile& settingsFile, bool verify);
};

} // namespace kq70
