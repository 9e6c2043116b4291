#include "frame/FrameLifecycle.h"

#include "app/AppSettings.h"
#include "app/WindowTitles.h"
#include "doc/CKQ70Doc.h"
#include "link/HSerialPort.h"
#include "log/HLogPrint.h"
#include "params/HHardwareParams.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>

namespace kq70 {

FrameLifecycle::Size FrameLifecycle::InitialSize(const AppSettings& settings, Size available) {
    Size size{std::max(settings.cx, AppSettings::MIN_CX),
              std::max(settings.cy, AppSettings::MIN_CY)};
    if (available.width > 0) {
        size.width = std::min(size.width, available.width);
    }
    if (available.height > 0) {
        size.height = std::min(size.height, available.height);
    }
    return size;
}

std::string FrameLifecycle::DocumentName(const CKQ70Doc& doc) {
    if (doc.IsUntitled() || doc.GetCurrentFilePath().empty()) {
        return std::string(text::NO_FILE_TITLE);
    }
    const std::string& path = doc.GetCurrentFilePath();
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FrameLifecycle::ModeTitle(int accessMode) {
    std::string title = frameTitleForMode(accessMode);
    const auto end = title.find_last_not_of(' ');
    title.erase(end == std::string::npos ? 0 : end + 1);
    return title;
}

std::string FrameLifecycle::PortStatus(const AppSettings& settings) {
    return "Port: " + settings.portText();
}

std::string FrameLifecycle::PortInUse(const AppSettings& settings) {
    if (settings.usesSimulatedRadio()) {
        return std::string(text::SIMULATED_RADIO);
    }
    return settings.portName.empty()
               ? HSerialPort::DeviceNameFor(static_cast<unsigned>(settings.comPort))
               : settings.portName;
}

std::vector<std::string> FrameLifecycle::InformationLines(const CKQ70Doc& doc,
                                                          const AppSettings& settings) {
    HHardwareParams hardware;
    hardware.extract(doc.GetMainMemory());
    return {strprintf("Data file: %s%s", DocumentName(doc).c_str(),
                      doc.GetDataModified() ? " (changed)" : ""),
            strprintf("Radio: %d channels", hardware.channelCapacity()),
            strprintf("Port: %s, %d baud", settings.portText().c_str(), settings.baudRate)};
}

bool FrameLifecycle::CanClose(bool printing, UserPrompt& prompt,
                              const std::function<bool()>& saveModified) {
    if (printing) {
        prompt.message(text::CLOSE_WHILE_PRINTING, MessageIcon::Information);
        return false;
    }
    return saveModified();
}

bool FrameLifecycle::OnDestroy(AppSettings& settings, IniFile& settingsFile, const CKQ70Doc& doc,
                               Size size) {
    KQ70_LOG(LOG_D1, 0, "%s", "CMainFrame::OnDestroy()");
    settings.cx = std::max(size.width, AppSettings::MIN_CX);
    settings.cy = std::max(size.height, AppSettings::MIN_CY);
    HHardwareParams hardware;
    hardware.extract(doc.GetMainMemory());
    return settings.writeFrameValues(settingsFile, hardware.get(HW_FREQUENCY_BAND),
                                     hardware.get(HW_LCD_TYPE));
}

} // namespace kq70
