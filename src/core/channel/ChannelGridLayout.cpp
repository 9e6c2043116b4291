#include "channel/ChannelGridLayout.h"

#include "channel/ChannelColumns.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

template <std::size_t N> std::string comboTextList(const std::array<std::string_view, N>& texts) {
    std::string list;
    for (std::size_t i = 0; i < N; ++i) {
        list += "#" + std::to_string(i) + ";" + std::string(texts[i]) + "|";
    }
    return list;
}

} // namespace

int ChannelGridLayout::itemOfColumn(int column) {
    const ChannelColumnInfo* info = channelColumnInfo(column);
    return info != nullptr ? info->item : -1;
}

bool ChannelGridLayout::alwaysHiddenItem(int item) {
    switch (item) {
    case ITEM_PRI:
    case ITEM_WN:
    case ITEM_TAG:
    case ITEM_POWER:
    case ITEM_ANI:
    case ITEM_PAGE_SIGNAL:
    case ITEM_CLOCK_SHIFT:
        return true;
    default:
        return false;
    }
}

std::string_view ChannelGridLayout::headerTop(int column) {
    const ChannelColumnInfo* info = channelColumnInfo(column);
    return info != nullptr ? info->headerTop : std::string_view();
}

std::string_view ChannelGridLayout::headerBottom(int column) {
    const ChannelColumnInfo* info = channelColumnInfo(column);
    return info != nullptr ? info->headerBottom : std::string_view();
}

int ChannelGridLayout::widthTwips(int column) {
    const ChannelColumnInfo* info = channelColumnInfo(column);
    return info != nullptr ? info->widthTwips : 0;
}

std::string ChannelGridLayout::comboList(int column) {
    switch (column) {
    case COL_BANDWIDTH:
        return comboTextList(text::BANDWIDTH_TEXTS);
    case COL_SQUELCH: {
        std::string list;
        for (int level = 0; level <= 15; ++level) {
            list += "#" + std::to_string(level) + ";" + std::to_string(level) + "|";
        }
        return list;
    }
    case COL_ENCRYPTION:
        return comboTextList(text::ENCRYPTION_TEXTS);
    case COL_SIGNAL_TYPE:
        return comboTextList(text::SIGNAL_TYPE_TEXTS);
    default:
        return {};
    }
}

} // namespace kq70
