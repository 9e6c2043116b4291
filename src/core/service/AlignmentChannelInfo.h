#pragma once

#include <cstdint>
#include <string>

namespace kq70 {

class RadioImage;

// The channel information line of an alignment procedure: an alignment channel's frequency,
// width and sub-audio tone as the windows show them.
struct AlignmentChannelInfo {
    std::int64_t hz = 0;
    bool narrow = false;
    int toneMode = 0; // 0 none, 1 CTCSS, 2 DCS
    std::int32_t toneCode = 0;
    std::int32_t txAlignDa = 0;
    std::int32_t txPowerDa = 0;

    // "%9.5f MHz"
    std::string FrequencyText() const;
    // "Wide" or "Narrow"
    std::string WidthText() const;
    // CTCSS as "%5.1f", DCS as "%03o", nothing without a tone.
    std::string ToneText() const;

    // Channel record `channel` (counted from 0) of `image`.
    static AlignmentChannelInfo Of(const RadioImage& image, int channel);
};

} // namespace kq70
