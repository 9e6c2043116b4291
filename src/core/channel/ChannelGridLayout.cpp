#include "channel/ChannelGridLayout.h"

#include "ui/Strings.h"

namespace kq70 {

namespace {

constexpr std::array<int, CHANNEL_COLUMN_COUNT> COLUMN_ITEMS = {
    -1,
    ChannelGridLayout::ITEM_PRI,
    ChannelGridLayout::ITEM_WN,
    ChannelGridLayout::ITEM_TAG,
    ChannelGridLayout::ITEM_FREQUENCY,
    ChannelGridLayout::ITEM_FREQUENCY,
    ChannelGridLayout::ITEM_SUB_AUDIO,
    ChannelGridLayout::ITEM_SUB_AUDIO,
    ChannelGridLayout::ITEM_POWER_SAVE,
    ChannelGridLayout::ITEM_POWER_SAVE,
    ChannelGridLayout::ITEM_POWER,
    ChannelGridLayout::ITEM_SCAN,
    ChannelGridLayout::ITEM_DIAL_SCAN,
    ChannelGridLayout::ITEM_TOT,
    ChannelGridLayout::ITEM_SQUELCH,
    ChannelGridLayout::ITEM_ANI,
    ChannelGridLayout::ITEM_ENCR,
    ChannelGridLayout::ITEM_LOCK_OUT,
    ChannelGridLayout::ITEM_PAGE_SIGNAL,
    ChannelGridLayout::ITEM_PAGE_SIGNAL,
    ChannelGridLayout::ITEM_CLOCK_SHIFT,
    ChannelGridLayout::ITEM_ARTS,
};

template <std::size_t N> std::string textList(const std::array<std::string_view, N>& texts) {
    std::string list;
    for (std::size_t i = 0; i < N; ++i) {
        list += "#" + std::to_string(i) + ";" + std::string(texts[i]) + "|";
    }
    return list;
}

bool validColumn(int column) {
    return column >= 0 && column < CHANNEL_COLUMN_COUNT;
}

} // namespace

int ChannelGridLayout::itemOfColumn(int column) {
    return validColumn(column) ? COLUMN_ITEMS[static_cast<std::size_t>(column)] : -1;
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
    return validColumn(column) ? text::GRID_HEADER_TOP[static_cast<std::size_t>(column)]
                               : std::string_view();
}

std::string_view ChannelGridLayout::headerBottom(int column) {
    return validColumn(column) ? text::GRID_HEADER_BOTTOM[static_cast<std::size_t>(column)]
                               : std::string_view();
}

std::string ChannelGridLayout::comboList(int column) {
    switch (column) {
    case COL_BANDWIDTH:
        return textList(text::BANDWIDTH_TEXTS);
    case COL_SQUELCH: {
        std::string list;
        for (int level = 0; level <= 15; ++level) {
            list += "#" + std::to_string(level) + ";" + std::to_string(level) + "|";
        }
        return list;
    }
    case COL_ENCRYPTION:
        return textList(text::ENCRYPTION_TEXTS);
    case COL_SIGNAL_TYPE:
        return textList(text::SIGNAL_TYPE_TEXTS);
    default:
        return {};
    }
}

} // namespace kq70
