#pragma once

#include <string_view>
#include <vector>

namespace kq70 {

// Who may do what in this run. Decided at start-up from the command line and a password;
// afterwards it only moves from normal to adjustment mode, never back.
enum AccessModeValue : int {
    ACCESS_NORMAL = 0,
    ACCESS_MANUFACTURE = 1,
    ACCESS_ADJUSTMENT = 2,
    ACCESS_E_MODE = 4,
};

// Hears that the run moved to another access mode.
class AccessModeListener {
public:
    virtual ~AccessModeListener() = default;
    virtual void accessModeChanged(int mode) = 0;
};

// The run's one access mode. Whatever depends on it reads it when it acts, or listens, so a
// change (the adjustment-mode unlock) reaches every command at once.
class AccessMode {
public:
    AccessMode() = default;
    explicit AccessMode(int value) : m_value(value) {}
    AccessMode(const AccessMode&) = delete;
    AccessMode& operator=(const AccessMode&) = delete;

    int value() const { return m_value; }
    // Tells every listener when the value changes.
    void set(int value);
    bool is(AccessModeValue mode) const { return m_value == mode; }

    void addListener(AccessModeListener& listener);
    void removeListener(AccessModeListener& listener);

    // The mode the whole command line asks for (not its tokens): "/manu", "/MANU", "-manu",
    // "-MANU" give the manufacture mode, "/E", "/e", "-E", "-e" the E mode, anything else 0.
    static int fromCommandLine(std::string_view wholeCommandLine);

private:
    int m_value = ACCESS_NORMAL;
    std::vector<AccessModeListener*> m_listeners;
};

} // namespace kq70
