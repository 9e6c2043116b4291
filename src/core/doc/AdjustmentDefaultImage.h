#pragma once

#include <string>
#include <string_view>

namespace kq70 {

class RadioImage;

// The adjustment default file: the alignment channels, group layout, hardware settings and
// signal-generator settings a radio is given while it is being aligned.
constexpr std::string_view ADJUSTMENT_DEFAULT_FILE_NAME = "adj_pmr.w70";

// Alignment channels of the built-in file (record numbers, counted from 0).
constexpr int ALIGN_CHANNEL_LOW = 0;
constexpr int ALIGN_CHANNEL_MIDDLE = 1; // wide, low power
constexpr int ALIGN_CHANNEL_HIGH = 2;
constexpr int ALIGN_CHANNEL_CTCSS_WIDE = 3;
constexpr int ALIGN_CHANNEL_NARROW = 4;
constexpr int ALIGN_CHANNEL_DCS_WIDE = 5;
constexpr int ALIGN_CHANNEL_HIGH_POWER = 6;
constexpr int ALIGN_CHANNEL_CTCSS_NARROW = 7;
constexpr int ALIGN_CHANNEL_DCS_NARROW = 8;
constexpr int ALIGN_CHANNEL_COUNT = 20;

// The built-in adjustment default file: the built-in PMR446 image with 20 alignment channels
// in the PMR446 band (0 Low, 1 Middle at low power, 2 High, 3 CTCSS, 4 narrow, 5 DCS, 6 high
// power, 7 and 8 narrow CTCSS and DCS, the rest Middle), all in group 1, a capacity of 32
// channels, and the signal-generator settings the receive procedures show.
void makeAdjustmentDefaultImage(RadioImage& image);

enum class AdjustmentDefaultSource { File, BuiltIn, Unreadable, Missing };

// The adjustment default file of the program folder when there is one (it must read in
// full), else the built-in one when `allowBuiltIn`. `image` is touched only on success.
AdjustmentDefaultSource LoadAdjustmentDefaultImage(const std::string& programFolder,
                                                   bool allowBuiltIn, RadioImage& image);

} // namespace kq70
