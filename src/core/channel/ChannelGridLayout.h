#pragma once

#include "channel/ChannelCellTexts.h"

#include <array>
#include <string>
#include <string_view>

namespace kq70 {

// The channel grid's fixed layout, for the view and the front end that paints it: two merged
// header rows, one fixed column, 22 columns (their captions, widths in twips and View > Item
// entries are rows of the column table, channel/ChannelColumns.h) and the drop-down lists.
class ChannelGridLayout {
public:
    static constexpr int HEADER_ROWS = 2;
    static constexpr int FIXED_COLUMNS = 1;
    static constexpr int FIRST_DATA_ROW = HEADER_ROWS;
    static constexpr int ITEM_COUNT = 17;
    static constexpr std::uint32_t UNPROGRAMMED_BACK_COLOUR = 0xDCDCDC;

    // Display format the front end applies to the two frequency columns.
    static constexpr std::string_view FREQUENCY_DISPLAY_FORMAT = "####0.00000";

    // Items of the View > Item menu, in menu order (settings ITEM1–ITEM17).
    enum Item : int {
        ITEM_PRI = 0,
        ITEM_WN = 1,
        ITEM_TAG = 2,
        ITEM_FREQUENCY = 3,
        ITEM_SUB_AUDIO = 4,
        ITEM_POWER_SAVE = 5,
        ITEM_POWER = 6,
        ITEM_SCAN = 7,
        ITEM_DIAL_SCAN = 8,
        ITEM_TOT = 9,
        ITEM_SQUELCH = 10,
        ITEM_ANI = 11,
        ITEM_ENCR = 12,
        ITEM_LOCK_OUT = 13,
        ITEM_PAGE_SIGNAL = 14,
        ITEM_CLOCK_SHIFT = 15,
        ITEM_ARTS = 16,
    };

    // The item that owns a column; −1 for column 0.
    static int itemOfColumn(int column);
    // Items whose columns the fixed rules always hide; the frame removes their commands.
    static bool alwaysHiddenItem(int item);

    static std::string_view headerTop(int column);
    static std::string_view headerBottom(int column);
    static int widthTwips(int column); // 0 for a column the grid does not have
    // "#0;W5|#1;W4|#2;N|" and the like; empty for a column without a list.
    static std::string comboList(int column);
    static bool frequencyColumn(int column) {
        return column == COL_RX_FREQUENCY || column == COL_TX_FREQUENCY;
    }
};

} // namespace kq70
