#include "SimulatorSeed.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(SimulatorSeedTest, TheSeedIsARadioWithItsOwnConsistentIdentity) {
    const RadioImage image = makeSimulatorSeedImage();
    EXPECT_EQ(image.be16(PRODUCTION_CODE_OFFSET), 0x0C00);
    EXPECT_EQ(image.byteAt(PRODUCT_TYPE_OFFSET), 0x0C);
    EXPECT_EQ(image.be16(FLASH_PRODUCT_CODE_OFFSET), image.be16(PRODUCT_CODE_OFFSET));
    EXPECT_EQ(frequencyBandOf(image), 12);
    EXPECT_EQ(channelCapacityForRadioChannel(radioChannelValueOf(image)), 16);
    EXPECT_EQ(image.be16(HARDWARE_MIRROR_OFFSET), image.be16(HARDWARE_BLOCK_OFFSET));
    EXPECT_NE(image.be32(MANUFACTURE_DATE_OFFSET), 0u);
    EXPECT_EQ(image.be32(MANUFACTURE_MIRROR_OFFSET), image.be32(MANUFACTURE_DATE_OFFSET));
    const auto working = image.range(WORKING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    const auto shipping = image.range(SHIPPING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    EXPECT_TRUE(std::equal(working.begin(), working.end(), shipping.begin()));
}

TEST(SimulatorSeedTest, ADamageBreaksTheNamedCopiesAndNothingElse) {
    struct Case {
        const char* word;
        bool flash;
        bool eeprom;
    };
    const RadioImage seed = makeSimulatorSeedImage();
    for (const Case c :
         {Case{"flash", true, false}, Case{"eeprom", false, true}, Case{"both", true, true}}) {
        SCOPED_TRACE(c.word);
        const auto damage = parseAdjustmentDamage(c.word);
        ASSERT_TRUE(damage);
        RadioImage image = seed;
        damageAdjustmentData(image, *damage);
        EXPECT_EQ(image.be16(WORKING_CHECKSUM_OFFSET) ==
                      adjustmentChecksum(image, WORKING_ADJUSTMENT_OFFSET),
                  !c.flash);
        EXPECT_EQ(image.be16(SHIPPING_CHECKSUM_OFFSET) ==
                      adjustmentChecksum(image, SHIPPING_ADJUSTMENT_OFFSET),
                  !c.eeprom);
        std::size_t changed = 0;
        for (std::size_t i = 0; i < IMAGE_SIZE; ++i) {
            changed += image.byteAt(i) != seed.byteAt(i);
        }
        EXPECT_EQ(changed, static_cast<std::size_t>(c.flash) + static_cast<std::size_t>(c.eeprom));
    }
    EXPECT_FALSE(parseAdjustmentDamage("Flash"));
    EXPECT_FALSE(parseAdjustmentDamage(""));
}

} // namespace
} // namespace kq70
