#pragma once

#include <cstdint>
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
    FILTER_NUMERIC = 1,   // digits, one decimal point, a leading minus
    FILTER_ALPHA_TAG = 10 // letters, digits and "_:<> <>*+-/="
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
};

} // namespace kq70
