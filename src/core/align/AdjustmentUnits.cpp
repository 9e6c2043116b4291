#include "align/AdjustmentUnits.h"

#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <cmath>

namespace kq70 {

namespace {

constexpr int SIGN_BIT = 0x80;
constexpr int MAGNITUDE_BITS = 0x7F;
constexpr int PD_OFFSET_DB = 6;    // a matched load sees half the EMF
constexpr int DBM_OFFSET_DB = 113; // 0 dBm over 50 ohms is 113 dB above 1 µV EMF
constexpr double DB_PER_DECADE = 20.0;

double microvolts(int level) {
    return std::pow(10.0, level / DB_PER_DECADE);
}

// The formats are the literals of the unit table.
std::string formatInt(std::string_view format, int value) {
    return strprintf(format.data(), value);
}
std::string formatDouble(std::string_view format, double value) {
    return strprintf(format.data(), value);
}

} // namespace

int signedLevel(std::int32_t storedByte) {
    const int magnitude = storedByte & MAGNITUDE_BITS;
    return (storedByte & SIGN_BIT) != 0 ? -magnitude : magnitude;
}

std::string formatLevel(int level, int unit) {
    switch (unit) {
    case 1:
        return formatInt(LEVEL_UNIT_FORMATS[1], level - PD_OFFSET_DB);
    case 2:
        return formatDouble(LEVEL_UNIT_FORMATS[2], microvolts(level));
    case 3:
        return formatDouble(LEVEL_UNIT_FORMATS[3], microvolts(level - PD_OFFSET_DB));
    case 4:
        return formatInt(LEVEL_UNIT_FORMATS[4], level - DBM_OFFSET_DB);
    default:
        return formatInt(LEVEL_UNIT_FORMATS[0], level);
    }
}

std::string longestLevelText() {
    constexpr int LARGEST_MAGNITUDE = MAGNITUDE_BITS;
    std::string longest;
    for (int level = -LARGEST_MAGNITUDE; level <= LARGEST_MAGNITUDE; ++level) {
        for (int unit = 0; unit < static_cast<int>(LEVEL_UNIT_COUNT); ++unit) {
            std::string text = formatLevel(level, unit);
            if (text.size() > longest.size()) {
                longest = std::move(text);
            }
        }
    }
    return longest;
}

std::string formatTenthsKhz(std::int32_t storedByte) {
    return formatDouble(TENTHS_KHZ_FORMAT, signedLevel(storedByte) / 10.0);
}

std::string_view adjustmentCaption(std::size_t item) {
    for (const auto& [captioned, caption] : text::ADJUSTMENT_CAPTIONS) {
        if (captioned == item) {
            return caption;
        }
    }
    return {};
}

} // namespace kq70
