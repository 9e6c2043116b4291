#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kq70 {

// List kinds of a combo. Kinds 0–5 are the built-in two-entry lists with item values 0 and 1.
enum ComboListKind : int {
    LIST_DISABLE_ENABLE = 0, // "Disable", "Enable "
    LIST_ENABLE_DISABLE = 1, // "Enable", "Disable "
    LIST_OFF_ON = 2,         // "Off", "On "
    LIST_ON_OFF = 3,         // "On ", "Off"
    LIST_NO_YES = 4,         // "No", "Yes "
    LIST_YES_NO = 5,         // "Yes", "No "
    LIST_TEXT = 6,           // a fixed text list
    LIST_NUMERIC = 7,        // a computed numeric list
};

// One entry of a fixed text list: its text, the value stored for it, and whether the list
// shows it. Pages hide and show entries in a working copy of the list.
struct ComboEntry {
    std::string_view text;
    std::int32_t value = 0;
    bool shown = true;
};

// How a combo's list is made. Text lists take their entries from `entries`; numeric lists
// compute `count` entries from `firstValueX10` in steps of `stepX10` (tenths), after the
// optional first entry.
struct ComboDefinition {
    int kind = LIST_TEXT;
    int count = 0;
    std::span<const ComboEntry> entries{};
    std::string_view firstEntryText{};
    std::int32_t firstEntryValue = 0;
    std::int32_t firstValueX10 = 0;
    std::int32_t stepX10 = 0;
    std::string_view unit{};
    bool oneDecimal = false;
};

// The definition of a fixed text list of `entries`.
template <std::size_t N> constexpr ComboDefinition textCombo(const ComboEntry (&entries)[N]) {
    return {.kind = LIST_TEXT, .count = static_cast<int>(N), .entries = entries};
}

// The texts of a built-in two-entry list; empty for the other kinds.
std::span<const ComboEntry> builtInComboList(int kind);

} // namespace kq70
