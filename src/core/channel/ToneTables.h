#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kq70 {

// Sub-audio codes as the records store them: CTCSS in tenths of a hertz, DCS as the value of
// its octal digits (023 is 19). The tables keep the radio's own order, which is not sorted.
constexpr std::size_t CTCSS_COUNT = 50;
constexpr std::size_t DCS_COUNT = 104;

extern const std::array<std::int32_t, CTCSS_COUNT> ctcssTable;
extern const std::array<std::int32_t, DCS_COUNT> dcsTable;

enum class ToneKind { Ctcss, Dcs };

// Code numbers: CTCSS entry k is 10 + k, DCS entry k is 60 + k.
constexpr int CTCSS_FIRST_CODE_NUMBER = 10;
constexpr int DCS_FIRST_CODE_NUMBER = 60;
std::optional<int> toneCodeNumber(ToneKind kind, std::int32_t value);
// True when `value` is one of the kind's listed tones.
inline bool isListedTone(ToneKind kind, std::int32_t value) {
    return toneCodeNumber(kind, value).has_value();
}

// Makes an unlisted code valid: below the first entry gives the first, an exact match stays,
// otherwise the table is walked in its stored order and the first pair (a, b) with
// a < value < b gives a or b by the midpoint; beyond all pairs gives the last entry.
std::int32_t snapTone(ToneKind kind, std::int32_t value);

} // namespace kq70
