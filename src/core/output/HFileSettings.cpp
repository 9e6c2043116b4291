#include "output/HFileSettings.h"

namespace kq70 {

HFileSettings::HFileSettings() {
    setSetting(ERROR_CODE, ERROR_NONE);
}

std::string HFileSettings::getSetting(std::string_view key) const {
    const auto found = m_settings.find(key);
    return found != m_settings.end() ? found->second : std::string();
}

void HFileSettings::setSetting(std::string_view key, std::string_view value) {
    m_settings.insert_or_assign(std::string(key), std::string(value));
}

} // namespace kq70
