#include "align/HShippingDefaultParams.h"

#include "align/AdjustmentData.h"
#include "align/HAdustmentBackUpParams.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kq70 {
namespace {

// A byte copy of the flash block and thresholds into the EEPROM, as the recovery makes,
// must read back as the same items in the shipping-default set.
TEST(HShippingDefaultParamsTest, ItemsMirrorTheFlashCopyByteForByte) {
    HAdustmentBackUpParams flash;
    for (std::size_t item = 0; item < ADJ_ITEM_COUNT; ++item) {
        flash.set(item, static_cast<std::int32_t>(item * 2741 + 5));
    }
    RadioImage image;
    flash.store(image);
    flash.extract(image); // cut to the items' widths
    image.copyWithin(WORKING_ADJUSTMENT_OFFSET, SHIPPING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    image.copyWithin(ADJUSTMENT_SQUELCH_OFFSET, SHIPPING_SQUELCH_OFFSET, ADJUSTMENT_SQUELCH_SIZE);

    HShippingDefaultParams shipping;
    shipping.extract(image);
    for (std::size_t item = 0; item < SHIPPING_BLOCK_ITEMS; ++item) {
        EXPECT_EQ(shipping.get(item), flash.get(item + SHIPPING_BLOCK_ITEM_DISTANCE))
            << "item " << item;
    }
    for (std::size_t level = 0; level < ADJUSTMENT_SQUELCH_SIZE; ++level) {
        EXPECT_EQ(shipping.get(SHIPPING_LEVEL_FIRST_ITEM + level), flash.get(level))
            << "level " << level;
    }
}

TEST(HShippingDefaultParamsTest, ChecksumIsTheSumOfTheEepromBlock) {
    RadioImage image;
    std::ranges::fill(image.range(SHIPPING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE), 0xFF);
    HShippingDefaultParams set;
    set.extract(image);
    RadioImage expected = image;
    expected.setBe16(0x0162, 0x5EA1);
    set.recomputeChecksum(image);
    EXPECT_EQ(image, expected);

    HShippingDefaultParams check;
    EXPECT_TRUE(check.verifyChecksum(image));
    image.setByte(0x0160, 0x00);
    EXPECT_FALSE(check.verifyChecksum(image));
}

} // namespace
} // namespace kq70
