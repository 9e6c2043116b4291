#include "app/AppSettings.h"

#include "platform/IniFile.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>

namespace kq70 {

namespace {

constexpr const char* INITIALIZE = "Initialize";
constexpr const char* VERIFY_KEY = "VERIFY";
constexpr const char* ITEM_SECTION = "ITEM";
constexpr const char* END_STATUS = "End Status";
constexpr const char* RECENT_SECTION = "Recent File List";

std::string itemKey(int n) {
    return strprintf("ITEM%d", n);
}
std::string recentKey(std::size_t n) {
    return strprintf("File%zu", n);
}

} // namespace

int AppSettings::normalisePortType(int value) {
    return value == 1 ? 1 : 0;
}

int AppSettings::normaliseComPort(int value) {
    return std::clamp(value, 1, 255);
}

int AppSettings::normaliseBaudRate(int value) {
    return value == 9600 || value == 19200 || value == 38400 ? value : 9600;
}

void AppSettings::load(const IniFile& ini) {
    portType = normalisePortType(ini.readInt(INITIALIZE, "PORT_TYPE", 0));
    comPort = normaliseComPort(ini.readInt(INITIALIZE, "COM_PORT", 1));
    baudRate = normaliseBaudRate(ini.readInt(INITIALIZE, "BAUDRATE", 9600));
    portName = ini.readString(INITIALIZE, "PORT_NAME", "");
    verifyDownload = ini.readInt(INITIALIZE, VERIFY_KEY, 1) != 0;
    for (int n = 1; n <= ITEM_COUNT; ++n) {
        items[static_cast<std::size_t>(n - 1)] = ini.readInt(ITEM_SECTION, itemKey(n), 1);
    }
    cx = std::max(ini.readInt(INITIALIZE, "CX", MIN_CX), MIN_CX);
    cy = std::max(ini.readInt(INITIALIZE, "CY", MIN_CY), MIN_CY);
    endBand = ini.readInt(END_STATUS, "Freq.Band", DEFAULT_END_BAND);
    endLcdType = ini.readInt(END_STATUS, "LCDType", 0);
    recentFiles.clear();
    for (std::size_t n = 1; n <= RECENT_FILE_COUNT; ++n) {
        std::string path = ini.readString(RECENT_SECTION, recentKey(n), "");
        if (!path.empty()) {
            recentFiles.push_back(std::move(path));
        }
    }
}

bool AppSettings::writeNormalisedPort(IniFile& ini) const {
    const IniEntry entries[] = {{INITIALIZE, "PORT_TYPE", std::to_string(portType)},
                                {INITIALIZE, "COM_PORT", std::to_string(comPort)}};
    return ini.writeEntries(entries);
}

bool AppSettings::writeItems(IniFile& ini) const {
    std::vector<IniEntry> entries;
    for (int n = 1; n <= ITEM_COUNT; ++n) {
        entries.push_back(
            {ITEM_SECTION, itemKey(n), std::to_string(items[static_cast<std::size_t>(n - 1)])});
    }
    return ini.writeEntries(entries);
}

bool AppSettings::writeFrameValues(IniFile& ini, int band, int lcdType) const {
    const IniEntry entries[] = {
        {INITIALIZE, "COM_PORT", std::to_string(comPort)},
        {INITIALIZE, "BAUDRATE", std::to_string(baudRate)},
        {INITIALIZE, "PORT_TYPE", std::to_string(portType)},
        {INITIALIZE, "PORT_NAME", portName},
        {INITIALIZE, "CX", std::to_string(cx)},
        {INITIALIZE, "CY", std::to_string(cy)},
        {END_STATUS, "ProductType", "0"},
        {END_STATUS, "Freq.Band", std::to_string(band)},
        {END_STATUS, "LCDType", std::to_string(lcdType)},
    };
    return ini.writeEntries(entries);
}

bool AppSettings::writeRecentFiles(IniFile& ini) const {
    std::vector<IniEntry> entries;
    for (std::size_t n = 1; n <= RECENT_FILE_COUNT; ++n) {
        entries.push_back(
            {RECENT_SECTION, recentKey(n), n <= recentFiles.size() ? recentFiles[n - 1] : ""});
    }
    return ini.writeEntries(entries);
}

bool AppSettings::writeVerifyDownload(IniFile& ini) const {
    return ini.writeInt(INITIALIZE, VERIFY_KEY, verifyDownload ? 1 : 0);
}

void AppSettings::addRecentFile(const std::string& path) {
    std::erase(recentFiles, path);
    recentFiles.insert(recentFiles.begin(), path);
    if (recentFiles.size() > RECENT_FILE_COUNT) {
        recentFiles.resize(RECENT_FILE_COUNT);
    }
}

std::string AppSettings::portText() const {
    if (usesSimulatedRadio()) {
        return std::string(text::SIMULATED_RADIO);
    }
    std::string text = portName.empty() ? strprintf("/dev/ttyS%d", comPort - 1) : portName;
    if (portType == 1) {
        text += text::PGC_CABLE_SUFFIX;
    }
    return text;
}

} // namespace kq70
