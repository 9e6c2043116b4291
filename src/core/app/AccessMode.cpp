#include "app/AccessMode.h"

#include <algorithm>
#include <array>

namespace kq70 {

void AccessMode::set(int value) {
    if (value == m_value) {
        return;
    }
    m_value = value;
    const std::vector<AccessModeListener*> listeners = m_listeners;
    for (AccessModeListener* listener : listeners) {
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end()) {
            listener->accessModeChanged(m_value);
        }
    }
}

void AccessMode::addListener(AccessModeListener& listener) {
    if (std::find(m_listeners.begin(), m_listeners.end(), &listener) == m_listeners.end()) {
        m_listeners.push_back(&listener);
    }
}

void AccessMode::removeListener(AccessModeListener& listener) {
    std::erase(m_listeners, &listener);
}

int AccessMode::fromCommandLine(std::string_view wholeCommandLine) {
    constexpr std::array<std::string_view, 4> manufacture{"/manu", "/MANU", "-manu", "-MANU"};
    constexpr std::array<std::string_view, 4> eMode{"/E", "/e", "-E", "-e"};
    for (const std::string_view word : manufacture) {
        if (wholeCommandLine == word) {
            return ACCESS_MANUFACTURE;
        }
    }
    for (const std::string_view word : eMode) {
        if (wholeCommandLine == word) {
            return ACCESS_E_MODE;
        }
    }
    return ACCESS_NORMAL;
}

} // namespace kq70
