#include "app/AccessMode.h"

#include <array>

namespace kq70 {

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
