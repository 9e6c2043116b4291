#include "frame/ConfigureChoices.h"

#include "app/AppSettings.h"
#include "link/HSerialPort.h"
#include "log/HLogPrint.h"
#include "platform/IniFile.h"
#include "platform/SerialDevice.h"
#include "platform/SerialPortAccess.h"
#include "ui/Strings.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace kq70 {

namespace {

std::string firstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

} // namespace

std::string ConfigureChoices::UsbDescription(const std::string& sysClassTty,
                                             const std::string& ttyName) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path at = fs::canonical(fs::path(sysClassTty) / ttyName / "device", error);
    if (error) {
        return {};
    }
    // Up the device tree to the USB device, which names its maker and product.
    constexpr int MAX_LEVELS = 6;
    for (int level = 0; level < MAX_LEVELS && at.has_relative_path();
         ++level, at = at.parent_path()) {
        const std::string manufacturer = firstLine(at / "manufacturer");
        const std::string product = firstLine(at / "product");
        if (!manufacturer.empty() || !product.empty()) {
            return manufacturer.empty() || product.empty() ? manufacturer + product
                                                           : manufacturer + " " + product;
        }
    }
    return {};
}

std::vector<PortChoice> ConfigureChoices::PortList(const std::vector<SerialPortInfo>& ports,
                                                   const std::string& sysClassTty,
                                                   const std::vector<SerialPortInfo>& stableNames) {
    std::vector<PortChoice> choices;
    const auto add = [&choices](const SerialPortInfo& port, const std::string& description) {
        std::string shown = port.devicePath;
        if (!description.empty()) {
            shown += ": " + description;
        }
        const bool cable = port.kind == PORT_KIND_USB_CABLE;
        if (cable) {
            shown += " (" + std::string(text::PGC30) + ")";
        }
        choices.push_back({shown, port.devicePath, false, cable});
    };
    std::vector<bool> listed(stableNames.size(), false);
    for (const SerialPortInfo& port : ports) {
        add(port, sysClassTty.empty() ? std::string() : UsbDescription(sysClassTty, port.name));
        for (std::size_t k = 0; k < stableNames.size(); ++k) {
            if (stableNames[k].name == port.name) {
                add(stableNames[k], {});
                listed[k] = true;
            }
        }
    }
    for (std::size_t k = 0; k < stableNames.size(); ++k) {
        if (!listed[k]) {
            add(stableNames[k], {});
        }
    }
    choices.push_back(
        {std::string(text::SIMULATED_RADIO), std::string(SIMULATED_PORT_NAME), true, false});
    return choices;
}

std::string ConfigureChoices::ConfiguredPort(const AppSettings& settings) {
    return settings.portName.empty()
               ? HSerialPort::DeviceNameFor(static_cast<unsigned>(settings.comPort))
               : settings.portName;
}

std::vector<PortChoice> ConfigureChoices::WithConfiguredPort(std::vector<PortChoice> choices,
                                                             const AppSettings& settings) {
    // Only a device the user picked is kept; the COM port number alone names a port of the
    // older settings, which the first listed port replaces as before.
    if (settings.portName.empty()) {
        return choices;
    }
    const std::string& configured = settings.portName;
    const bool listed = std::any_of(choices.begin(), choices.end(), [&](const PortChoice& c) {
        return c.devicePath == configured;
    });
    if (listed) {
        return choices;
    }
    std::error_code error;
    const bool present = std::filesystem::exists(configured, error);
    PortChoice kept{present ? configured : configured + " " + std::string(text::PORT_NOT_FOUND),
                    configured, false, settings.portType == 1};
    const auto simulated = std::find_if(choices.begin(), choices.end(),
                                        [](const PortChoice& c) { return c.simulated; });
    choices.insert(simulated, std::move(kept));
    return choices;
}

int ConfigureChoices::SelectedPort(const std::vector<PortChoice>& choices,
                                   const AppSettings& settings) {
    const std::string configured = ConfiguredPort(settings);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].devicePath == configured) {
            return static_cast<int>(i);
        }
    }
    // The first entry; with no serial port on the system that is the simulated radio.
    return choices.empty() ? -1 : 0;
}

const std::vector<int>& ConfigureChoices::BaudRates() {
    static const std::vector<int> rates{9600, 19200, 38400};
    return rates;
}

int ConfigureChoices::SelectedBaudRate(const AppSettings& settings) {
    const auto& rates = BaudRates();
    const auto it = std::find(rates.begin(), rates.end(), settings.baudRate);
    return it == rates.end() ? 0 : static_cast<int>(it - rates.begin());
}

std::string ConfigureChoices::PermissionHint(const std::string& device, const std::string& group) {
    return formatPortPermissionHint(device, group);
}

std::string ConfigureChoices::PermissionHint(const PortChoice& port) {
    return port.simulated ? std::string() : portPermissionHint(port.devicePath);
}

void ConfigureChoices::Apply(AppSettings& settings, const PortChoice& port, int baudRate) {
    settings.portName = port.devicePath;
    settings.portType = port.usbCable ? 1 : 0;
    settings.baudRate = AppSettings::normaliseBaudRate(baudRate);
}

bool ConfigureChoices::StoreVerify(AppSettings& settings, IniFile& settingsFile, bool verify) {
    settings.verifyDownload = verify;
    if (!settings.writeVerifyDownload(settingsFile)) {
        KQ70_LOG(LOG_WR, 0, "verify setting not written: %s", settingsFile.path().c_str());
        return false;
    }
    return true;
}

} // namespace kq70
