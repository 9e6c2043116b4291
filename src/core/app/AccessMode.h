#pragma once

#include <string_view>

namespace kq70 {

// Who may do what in this run. Decided at start-up from the command line and a password;
// afterwards it only moves from normal to adjustment mode, never back.
enum AccessModeValue : int {
    ACCESS_NORMAL = 0,
    ACCESS_MANUFACTURE = 1,
    ACCESS_ADJUSTMENT = 2,
    ACCESS_E_MODE = 4,
};

class AccessMode {
public:
    AccessMode() = default;
    explicit AccessMode(int value) : m_value(value) {}

    int value() const { return m_value; }
    void set(int value) { m_value = value; }
    bool is(AccessModeValue mode) const { return m_value == mode; }

    // The mode the whole command line asks for (not its tokens): "/manu", "/MANU", "-manu",
    // "-MANU" give the manufacture mode, "/E", "/e", "-E", "-e" the E mode, anything else 0.
    static int fromCommandLine(std::string_view wholeCommandLine);

private:
    int m_value = ACCESS_NORMAL;
};

} // namespace kq70
