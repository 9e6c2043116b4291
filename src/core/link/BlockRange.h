#pragma once

#include <cstdint>
#include <vector>

namespace kq70 {

// Units first to last inclusive (EEPROM words or flash pages). In a flash list a last of
// FLASH_LAST_END_OF_CHANNELS stands for "to the end of the channel table" until resolved.
struct BlockRange {
    std::uint8_t first = 0;
    std::uint8_t last = 0;

    bool operator==(const BlockRange&) const = default;
};

// Ranges in the order they were added, which is the order they are moved in.
using RangeList = std::vector<BlockRange>;

constexpr std::uint8_t FLASH_LAST_END_OF_CHANNELS = 0xFF;

} // namespace kq70
