#include "frame/ConfigureChoices.h"

#include "app/AppSettings.h"
#include "link/HSerialPort.h"
#include "platform/SerialDevice.h"
#include "ui/FrameTexts.h"
#include "ui/Strings.h"

#include <algorithm>

namespace kq70 {

std::vector<PortChoice> ConfigureChoices::PortList(const std::vector<SerialPortInfo>& ports) {
    std::vector<PortChoice> choices;
    for (const SerialPortInfo& port : ports) {
        std::string shown = port.devicePath;
        if (port.kind == PORT_KIND_USB_CABLE) {
            shown += " (" + std::string(text::PGC30) + ")";
        }
        choices.push_back({shown, port.devicePath, false});
    }
    choices.push_back({std::string(text::SIMULATED_RADIO), std::string(SIMULATED_PORT_NAME), true});
    return choices;
}

int ConfigureChoices::SelectedPort(const std::vector<PortChoice>& choices,
                                   const AppSettings& settings) {
    const std::string configured =
        settings.portName.empty() ? HSerialPort::DeviceNameFor(static_cast<unsigned>(settings.comPort))
                                  : settings.portName;
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

void ConfigureChoices::Apply(AppSettings& settings, const PortChoice& port, int baudRate) {
    settings.portName = port.devicePath;
    settings.portType = port.text.find(text::PGC30) != std::string::npos ? 1 : 0;
    settings.baudRate = AppSettings::normaliseBaudRate(baudRate);
}

} // namespace kq70
