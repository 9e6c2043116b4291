#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kq70 {

class HChannelData;

// The channel grid's columns, in order.
enum ChannelColumn : int {
    COL_CHANNEL = 0,
    COL_PRIORITY = 1,
    COL_BANDWIDTH = 2,
    COL_TAG = 3,
    COL_RX_FREQUENCY = 4,
    COL_TX_FREQUENCY = 5,
    COL_DECODE = 6,
    COL_ENCODE = 7,
    COL_POWER_SAVE_RX = 8,
    COL_POWER_SAVE_TX = 9,
    COL_POWER = 10,
    COL_SCAN = 11,
    COL_DIAL_SCAN = 12,
    COL_TOT = 13,
    COL_SQUELCH = 14,
    COL_ANI = 15,
    COL_ENCRYPTION = 16,
    COL_LOCK_OUT = 17,
    COL_SIGNAL_TYPE = 18,
    COL_SIGNAL_NUMBER = 19,
    COL_CLOCK_SHIFT = 20,
    COL_ARTS = 21,
};
constexpr int CHANNEL_COLUMN_COUNT = 22;

// What a cell's text depends on besides the channel: the access mode, and whether the image
// is a PMR446 radio, whose frequencies the user modes show as PMR channels.
struct CellTextContext {
    int accessMode = 0;
    bool pmrBand = true;
};

// The texts of the channel grid's cells, as pure functions of the channel data, so the grid,
// the listing and the command line show the same thing. Check-mark cells read " " when ticked
// and "-" when not, as the grid holds them.
class ChannelCellTexts {
public:
    static constexpr int PMR_CHANNEL_COUNT = 8;
    static constexpr int PMR_BAND = 12;

    // Frequency cells show PMR channel names in access modes 0 and 2 on a PMR446 image.
    static bool showsPmrChannels(const CellTextContext& context);
    // PMR channel 1–8 of an exact frequency in Hz.
    static std::optional<int> pmrChannelOf(std::int64_t hz);
    static std::int64_t pmrFrequency(int pmrChannel);

    // "%9.5f" in MHz.
    static std::string frequencyText(std::int64_t hz);
    // "CH%d (%9.5f)".
    static std::string pmrChannelText(int pmrChannel);
    // A frequency cell. Shown as PMR channels, a frequency that is no PMR channel reads as
    // channel 1, which is what the view then writes into the record.
    static std::string frequencyCellText(std::int64_t hz, const CellTextContext& context);

    // Decode sub-audio: "-----", "No.%02d (C-%4.1f)" or "No.%d (D-%03o I)" and the like. An
    // unlisted code is shown as the code it snaps to.
    static std::string decodeToneText(int mode, std::int32_t code, bool inverted, bool both);
    // Encode sub-audio: "-----", "C- ( 67.0)" or "D- (023) N".
    static std::string encodeToneText(int mode, std::int32_t code, bool inverted);

    static std::string bandwidthText(std::int32_t value);
    static std::string powerText(std::int32_t txPowerLow);
    static std::string encryptionText(std::int32_t value);
    static std::string signalTypeText(std::int32_t value);
    // "-" for 0, the number for types 1 and 3, for type 2 the number with 10 shown as 0.
    static std::string signalNumberText(std::int32_t type, std::int32_t displayNumber);
    static std::string checkText(bool ticked) { return ticked ? " " : "-"; }

    static bool isCheckColumn(int column);
    // Whether a check-mark column is ticked for the channel.
    static bool ticked(const HChannelData& data, int channel, int column);
    // The text of any column for the channel, exactly as the grid holds it.
    static std::string cellText(const HChannelData& data, int channel, int column,
                                const CellTextContext& context);
};

} // namespace kq70
