#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kq70 {

enum EditKind : int {
    EDIT_INTEGER = 0,
    EDIT_SCALED = 1, // a decimal number: the stored value divided by `scale` is shown
    EDIT_TEXT = 2,
};

// Input filters of edits.
enum EditFilter : int {
    FILTER_NONE = 0,
    FILTER_NUMERIC = 1,    // digits, one decimal point, a leading minus
    FILTER_ALPHA_TAG = 10, // letters, digits and "_:<> <>*+-/="
    FILTER_DIGITS = 11,    // the digits 0–9 only
    FILTER_HEX = 12,       // the digits 0–9 and the letters A–F
};

struct EditDefinition {
    int kind = EDIT_INTEGER;
    int maxChars = 0;
    double minimum = 0; // in stored units
    double maximum = 0;
    const char* format = "%d";
    int filter = FILTER_NUMERIC;
    std::int32_t scale = 1;
    std::string_view unit{};
    // Letters are upper-cased as they are typed: the radio shows capitals only.
    bool upperCase = false;
    // For a value whose text is no printf of it (digits packed in nibbles, for example):
    // set both. `fromText` gives nothing for a text that names no value.
    std::string (*toText)(std::int32_t value) = nullptr;
    std::optional<std::int32_t> (*fromText)(std::string_view text) = nullptr;
};

} // namespace kq70
