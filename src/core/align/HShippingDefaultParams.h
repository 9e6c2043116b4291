#pragma once

#include "fields/HParams.h"

#include <cstddef>

namespace kq70 {

class RadioImage;

// The 99 items of the EEPROM shipping-default copy of the adjustment data.
constexpr std::size_t SHIPPING_ITEM_COUNT = 99;
// Items 0–89 mirror adjustment items 8–97 (the block); item = adjustment item - this.
constexpr std::size_t SHIPPING_BLOCK_ITEM_DISTANCE = 8;
constexpr std::size_t SHIPPING_BLOCK_ITEMS = 90;
// Items 90–97 mirror adjustment items 0–7 (the thresholds).
constexpr std::size_t SHIPPING_LEVEL_FIRST_ITEM = 90;
constexpr std::size_t SHIPPING_CHECKSUM_ITEM = 98;

// The adjustment data as the radio was shipped, kept in its EEPROM.
class HShippingDefaultParams : public HParams {
public:
    HShippingDefaultParams();

    // Writes the items, then the sum of the block they make as the checksum item.
    void recomputeChecksum(RadioImage& image);
    // Reads the items and compares the block's sum with the checksum item.
    bool verifyChecksum(const RadioImage& image);
};

} // namespace kq70
