#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kq70 {

// The units a level (dB relative to 1 µV EMF) can be shown in, by unit index.
constexpr std::size_t LEVEL_UNIT_COUNT = 5;
constexpr std::array<std::string_view, LEVEL_UNIT_COUNT> LEVEL_UNIT_FORMATS = {
    "%d dBuV (EMF)",  // the level itself
    "%d dBuV (PD)",   // level - 6
    "%4.2f uV (EMF)", // 10^(level / 20)
    "%4.2f uV (PD)",  // 10^((level - 6) / 20)
    "%d dBm",         // level - 113
};
// Deviation and modulation settings, in steps of 0.1 kHz.
constexpr std::string_view TENTHS_KHZ_FORMAT = "%4.1f kHz";

// A stored sign-and-magnitude byte (bit 7 the sign) as a signed number.
int signedLevel(std::int32_t storedByte);

// A level in unit 0–4; any other unit shows as unit 0.
std::string formatLevel(int level, int unit);

// The longest text formatLevel gives for any stored level in any unit: what a level field
// must have room for.
std::string longestLevelText();

// A stored sign-and-magnitude byte in steps of 0.1 kHz, as "%4.1f kHz".
std::string formatTenthsKhz(std::int32_t storedByte);

// The caption the alignment windows show beside an adjustment item's value; empty for an item
// they do not show.
std::string_view adjustmentCaption(std::size_t item);

} // namespace kq70
