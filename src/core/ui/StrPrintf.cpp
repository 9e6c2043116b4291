#include "ui/StrPrintf.h"

#include <clocale>
#include <cstdio>
#include <locale.h>

namespace kq70 {

namespace {

// The "C" locale, made once and never changed: the program's formats and files use a
// point for decimals whatever locale the front end set for the process.
locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// Switches the calling thread to the "C" locale for its lifetime; other threads and the
// process locale are left alone.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(cLocale() != nullptr ? uselocale(cLocale()) : nullptr) {}
    ~CLocaleScope() {
        if (m_previous != nullptr) {
            uselocale(m_previous);
        }
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous;
};

} // namespace

std::string vstrprintf(const char* format, va_list args) {
    const CLocaleScope cNumbers;
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string strprintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = vstrprintf(format, args);
    va_end(args);
    return out;
}

std::string substitute1(std::string_view text, std::string_view argument) {
    std::string out;
    out.reserve(text.size() + argument.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '1') {
            out.append(argument);
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

} // namespace kq70
