#pragma once

#include <string>

namespace kq70::test {

// Switches the whole process to a locale whose decimal separator is a comma (as a German
// desktop has) for the object's lifetime, and back to "C" afterwards. When the machine has
// no such locale, one is compiled with localedef into a folder under the temporary folder
// and reused by later runs; when that fails too, active() is false and why() says why.
class CommaDecimalLocale {
public:
    CommaDecimalLocale();
    ~CommaDecimalLocale();
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool active() const { return m_active; }
    const std::string& why() const { return m_why; }

private:
    bool m_active = false;
    std::string m_why;
};

} // namespace kq70::test
