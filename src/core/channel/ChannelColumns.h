#pragma once

#include "channel/ChannelCellTexts.h"

#include <span>
#include <string_view>

namespace kq70 {

// Everything the program knows about one column of the channel grid, in one row: what the
// grid shows over it and how wide it is, the View > Item entry that owns it, its name on its
// own (the comparison window and the Undo entries say "CH5 Sub Audio Dec"), and its title in
// the CSV export.
struct ChannelColumnInfo {
    ChannelColumn column;
    std::string_view headerTop;    // upper header row; equal neighbours merge into one cell
    std::string_view headerBottom; // lower header row
    std::string_view name;
    std::string_view csvTitle; // the two halves of a pair share their title
    int widthTwips;
    int item; // ChannelGridLayout::Item; -1 for the channel number column
};

// The rows of all columns, in column order.
std::span<const ChannelColumnInfo, CHANNEL_COLUMN_COUNT> channelColumns();
// The row of `column`; nullptr for a column the grid does not have.
const ChannelColumnInfo* channelColumnInfo(int column);

} // namespace kq70
