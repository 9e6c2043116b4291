#include "channel/ChannelColumns.h"

#include "channel/ChannelGridLayout.h"

#include <array>

namespace kq70 {

namespace {

using L = ChannelGridLayout;

// Column captions stay with their column rather than in the string table, so that a column's
// texts, width and menu item cannot drift apart.
constexpr std::array<ChannelColumnInfo, CHANNEL_COLUMN_COUNT> COLUMNS = {{
    {COL_CHANNEL, "", "Chn", "Chn", "Chn", 480, -1},
    {COL_PRIORITY, "", "Pri", "Pri", "Pri", 480, L::ITEM_PRI},
    {COL_BANDWIDTH, "", "W/N", "W/N", "W/N", 480, L::ITEM_WN},
    {COL_TAG, "", "TAG", "TAG", "TAG", 570, L::ITEM_TAG},
    {COL_RX_FREQUENCY, "RX/TX Channel", "(Frequency)", "RX Frequency", "RX/TX Channel (Frequency)",
     2010, L::ITEM_FREQUENCY},
    {COL_TX_FREQUENCY, "RX/TX Channel", "(Frequency)", "TX Frequency", "RX/TX Channel (Frequency)",
     2010, L::ITEM_FREQUENCY},
    {COL_DECODE, "Sub Audio Dec/Enc", "Code No.(Value)", "Sub Audio Dec",
     "SUB AUDIO Dec/Enc (Value)", 2070, L::ITEM_SUB_AUDIO},
    {COL_ENCODE, "Sub Audio Dec/Enc", "Code No.(Value)", "Sub Audio Enc",
     "SUB AUDIO Dec/Enc (Value)", 2070, L::ITEM_SUB_AUDIO},
    {COL_POWER_SAVE_RX, " Power", "Save", "Power Save RX", "Pwr Save", 750, L::ITEM_POWER_SAVE},
    {COL_POWER_SAVE_TX, " Power", "Save", "Power Save TX", "Pwr Save", 750, L::ITEM_POWER_SAVE},
    {COL_POWER, "Pwr", "H/L", "Pwr H/L", "Pwr H/L", 480, L::ITEM_POWER},
    {COL_SCAN, "", "SC", "Scan", "SC", 750, L::ITEM_SCAN},
    {COL_DIAL_SCAN, "Dial", "Scan", "Dial Scan", "Dial Scan", 750, L::ITEM_DIAL_SCAN},
    {COL_TOT, "", "TOT", "TOT", "TOT", 750, L::ITEM_TOT},
    {COL_SQUELCH, "", "SQ", "SQ", "SQ", 750, L::ITEM_SQUELCH},
    {COL_ANI, "DTMF", "ANI", "ANI", "DTMF ANI", 855, L::ITEM_ANI},
    {COL_ENCRYPTION, "", "Encryption", "Encryption", "Encr", 1185, L::ITEM_ENCR},
    {COL_LOCK_OUT, "", "BCLO", "BCLO", "BCLO", 600, L::ITEM_LOCK_OUT},
    {COL_SIGNAL_TYPE, "Signalling", "Type", "Signalling Type", "Signalling Type", 1080,
     L::ITEM_PAGE_SIGNAL},
    {COL_SIGNAL_NUMBER, "Signalling", "No", "Signalling No", "Signalling No", 1080,
     L::ITEM_PAGE_SIGNAL},
    {COL_CLOCK_SHIFT, "Clock", "Shift", "Clock Shift", "Clock Shift", 855, L::ITEM_CLOCK_SHIFT},
    {COL_ARTS, "", "ARTS", "ARTS", "ARTS", 660, L::ITEM_ARTS},
}};

constexpr bool rowsInColumnOrder() {
    for (std::size_t i = 0; i < COLUMNS.size(); ++i) {
        if (COLUMNS[i].column != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(rowsInColumnOrder(), "one row per column, in column order");

} // namespace

std::span<const ChannelColumnInfo, CHANNEL_COLUMN_COUNT> channelColumns() {
    return COLUMNS;
}

const ChannelColumnInfo* channelColumnInfo(int column) {
    return column >= 0 && column < CHANNEL_COLUMN_COUNT ? &COLUMNS[static_cast<std::size_t>(column)]
                                                        : nullptr;
}

} // namespace kq70
