#include "app/LogSettingsFile.h"

#include "platform/IniFile.h"
#include "ui/StrPrintf.h"

namespace kq70 {

namespace {

constexpr const char* LOG_SETTINGS_FILE = "INI_LOG.ini";
constexpr const char* LOG_SECTION = "LOG_INFO";
constexpr std::size_t MAX_NAME_LENGTH = 512;

std::string joinFolder(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

} // namespace

LogSettings readLogSettings(const std::string& programFolder) {
    LogSettings result;
    const IniFile settings(joinFolder(programFolder, LOG_SETTINGS_FILE));
    result.defaultName =
        settings.readString(LOG_SECTION, "DEF_LOG_NAME", "").substr(0, MAX_NAME_LENGTH);
    if (result.defaultName.empty()) {
        return result;
    }
    for (int n = 0; n < LOG_CHANNELS; ++n) {
        const auto index = static_cast<std::size_t>(n);
        result.levels[index] = settings.readInt(LOG_SECTION, strprintf("%s%d", "LOG_LEVEL", n), 0);
        const std::string name =
            settings.readString(LOG_SECTION, strprintf("%s%d", "LOG_NAME", n), result.defaultName)
                .substr(0, MAX_NAME_LENGTH);
        result.paths[index] = joinFolder(programFolder, name);
    }
    return result;
}

} // namespace kq70
