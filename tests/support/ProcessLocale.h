#pragma once

#include <string>

namespace kq70::test {

// Switches the whole process to a language's UTF-8 locale (as the desktop program's Qt does
// with the user's) for the object's lifetime, and back to "C" afterwards. A machine without
// it gets one compiled with localedef into a folder under the temporary folder, reused by
// later runs (scripts/setup installs de_DE and tr_TR); when that fails too, active() is false
// and why() says why.
class ProcessLocale {
public:
    explicit ProcessLocale(const std::string& language); // "de_DE", "tr_TR"
    ~ProcessLocale();
    ProcessLocale(const ProcessLocale&) = delete;
    ProcessLocale& operator=(const ProcessLocale&) = delete;

    bool active() const { return m_active; }
    const std::string& why() const { return m_why; }

private:
    bool m_active = false;
    std::string m_why;
};

} // namespace kq70::test
