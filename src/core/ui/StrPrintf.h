#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace kq70 {

// printf-style formatting into a std::string of any length. The program's display and log
// formats are printf formats, so they go through vsnprintf to match byte for byte. Numbers
// are always formatted as in the "C" locale (a point before the decimals), whatever the
// process locale is.
std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vstrprintf(const char* format, va_list args);

// Replaces every "%1" in `text` with `argument`, as the message texts expect.
std::string substitute1(std::string_view text, std::string_view argument);

} // namespace kq70
