#pragma once

#include <string>
#include <string_view>

namespace kq70 {

// Character classes and case mapping of plain ASCII, whatever the process locale: the
// radio's character set, passwords, keywords, hex digits and command-line switches are
// ASCII, and a Turkish locale would otherwise map 'i' to a dotted capital I (or leave it
// alone), a Latin-1 one count accented letters as letters.

constexpr bool isAsciiDigit(int c) {
    return c >= '0' && c <= '9';
}
constexpr bool isAsciiUpper(int c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool isAsciiLower(int c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool isAsciiAlnum(int c) {
    return isAsciiDigit(c) || isAsciiUpper(c) || isAsciiLower(c);
}
constexpr bool isAsciiHexDigit(int c) {
    return isAsciiDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
constexpr bool isAsciiPrint(int c) {
    return c >= 0x20 && c <= 0x7E;
}
constexpr char asciiUpper(char c) {
    return isAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char asciiLower(char c) {
    return isAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}
// For key codes, which may be beyond a char: only ASCII letters change.
constexpr int asciiUpperKey(int key) {
    return isAsciiLower(key) ? key - 'a' + 'A' : key;
}

inline std::string asciiUpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = asciiUpper(c);
    }
    return out;
}

inline std::string asciiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = asciiLower(c);
    }
    return out;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace kq70
