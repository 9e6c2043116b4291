#pragma once

#include "fields/HParams.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kq70 {

class RadioImage;

// The 133 adjustment items of the flash working copy, by item number.
constexpr std::size_t ADJ_ITEM_COUNT = 133;

// Squelch and save thresholds (levels, sign and magnitude); narrow channels are 4 further.
constexpr std::size_t ADJ_TIGHT_RSSI_WIDE = 0;
constexpr std::size_t ADJ_TX_SAVE_WIDE = 1;
constexpr std::size_t ADJ_THRESHOLD_NSQ_WIDE = 2;
constexpr std::size_t ADJ_TIGHT_NSQ_WIDE = 3;
constexpr std::size_t ADJ_NARROW_STEP = 4;
constexpr std::size_t ADJ_LEVEL_ITEMS = 8;

// Frequencies of alignment points 0–4 in units of 100 kHz: item ADJ_POINT_FREQUENCY + p.
constexpr std::size_t ADJ_POINT_FREQUENCY = 8;
constexpr std::size_t ADJ_POINT_COUNT = 5;

// Three-point items: low, middle, high (alignment points 0, 2 and 4).
constexpr std::size_t ADJ_RX_TUNE_LOW = 13;
constexpr std::size_t ADJ_RX_VCO_LOW = 86;
constexpr std::size_t ADJ_TX_VCO_LOW = 89;

// Groups of five, addressed by the middle item m: items m-2 … m+2 hold points 0 … 4.
constexpr std::size_t ADJ_TX_POWER_HIGH = 18;
constexpr std::size_t ADJ_TX_POWER_LOW = 23;
constexpr std::size_t ADJ_MAX_DEVIATION_WIDE = 28;
constexpr std::size_t ADJ_MAX_DEVIATION_NARROW = 33;
constexpr std::size_t ADJ_CTCSS_DEVIATION_WIDE = 38;
constexpr std::size_t ADJ_CTCSS_DEVIATION_NARROW = 43;
constexpr std::size_t ADJ_DCS_DEVIATION_WIDE = 48;
constexpr std::size_t ADJ_DCS_DEVIATION_NARROW = 53;
constexpr std::size_t ADJ_MODULATION_BALANCE_1 = 58;
constexpr std::size_t ADJ_MODULATION_BALANCE_2 = 63;
constexpr std::size_t ADJ_SUB_AUDIO_BALANCE_WIDE = 68;
constexpr std::size_t ADJ_SUB_AUDIO_BALANCE_NARROW = 73;
constexpr std::size_t ADJ_FURTHER_GROUP_1 = 78;
constexpr std::size_t ADJ_FURTHER_GROUP_2 = 83;
constexpr std::array<std::size_t, 14> ADJ_GROUP_MIDDLE_ITEMS = {
    ADJ_TX_POWER_HIGH,        ADJ_TX_POWER_LOW,           ADJ_MAX_DEVIATION_WIDE,
    ADJ_MAX_DEVIATION_NARROW, ADJ_CTCSS_DEVIATION_WIDE,   ADJ_CTCSS_DEVIATION_NARROW,
    ADJ_DCS_DEVIATION_WIDE,   ADJ_DCS_DEVIATION_NARROW,   ADJ_MODULATION_BALANCE_1,
    ADJ_MODULATION_BALANCE_2, ADJ_SUB_AUDIO_BALANCE_WIDE, ADJ_SUB_AUDIO_BALANCE_NARROW,
    ADJ_FURTHER_GROUP_1,      ADJ_FURTHER_GROUP_2};

constexpr std::size_t ADJ_DTMF_LEVEL = 92;
constexpr std::size_t ADJ_FREQ_DA = 93;
constexpr std::size_t ADJ_MIC_GAIN = 94;
constexpr std::size_t ADJ_LOW_BATTERY_LEVEL = 95;
constexpr std::size_t ADJ_EEPROM_PROTECT_LEVEL = 96;
constexpr std::size_t ADJ_SEQUENTIAL_TONE_DEVIATION = 97;
constexpr std::size_t ADJ_CHECKSUM = 113;

// Signal-generator settings (sign and magnitude). Wide/narrow pairs: narrow is item + 1.
constexpr std::size_t ADJ_SG_RX_TUNE_LEVEL = 114;
constexpr std::size_t ADJ_SG_RX_TUNE_DEVIATION = 115;
constexpr std::size_t ADJ_SG_RX_TUNE_MODULATION = 116;
constexpr std::size_t ADJ_SG_THRESHOLD_NSQ_LEVEL = 117;
constexpr std::size_t ADJ_SG_THRESHOLD_NSQ_DEVIATION = 119;
constexpr std::size_t ADJ_SG_THRESHOLD_NSQ_MODULATION = 121;
constexpr std::size_t ADJ_SG_TIGHT_NSQ_LEVEL = 123;
constexpr std::size_t ADJ_SG_TIGHT_NSQ_DEVIATION = 125;
constexpr std::size_t ADJ_SG_TIGHT_NSQ_MODULATION = 127;
constexpr std::size_t ADJ_SG_TX_SAVE_LEVEL = 131;

// The adjustment backup set: the flash working copy of the adjustment data (the block at
// 0x2980 with its checksum, the thresholds at 0x273A and the signal-generator settings in
// the program trailer) with the unit its levels are shown in.
class HAdustmentBackUpParams : public HParams {
public:
    HAdustmentBackUpParams();

    // Writes the items, then the sum of the block they make as the checksum item.
    void recomputeChecksum(RadioImage& image);
    // Reads the items and compares the block's sum with the checksum item; every byte
    // and the total are traced in the log.
    bool verifyChecksum(const RadioImage& image);

    int displayUnit() const { return m_displayUnit; }
    // A unit outside the five is refused.
    void setDisplayUnit(int unit);
    // The item's byte as a level in the display unit.
    std::string levelText(std::size_t item) const;

private:
    int m_displayUnit = 0;
};

} // namespace kq70
