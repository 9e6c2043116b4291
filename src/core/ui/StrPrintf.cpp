#include "ui/StrPrintf.h"

#include <cstdio>

namespace kq70 {

std::string vstrprintf(const char* format, va_list args) {
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
