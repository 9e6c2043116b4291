#include "params/HHardwareParams.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <limits>

namespace kq70 {
namespace {

RadioImage imageWithDefaults() {
    RadioImage image;
    HHardwareParams().store(image);
    return image;
}

TEST(HHardwareParamsTest, DefaultsStoreThemselvesWithDerivedValuesInHertz) {
    const HHardwareParams defaults;
    EXPECT_EQ(defaults.get(HW_FREQUENCY_MIN), 134000000);
    EXPECT_EQ(defaults.get(HW_FREQUENCY_MAX), 174000000);
    // Every copy of the reference oscillator and of the first IF names the same frequency.
    for (std::size_t i = HW_REF_XTAL_HZ; i <= HW_REF_XTAL_10K_HZ; ++i) {
        EXPECT_EQ(defaults.get(i), 16800000) << i;
    }
    for (std::size_t i = HW_FIRST_IF_HZ; i <= HW_FIRST_IF_1250_HZ; ++i) {
        EXPECT_EQ(defaults.get(i), 50850000) << i;
    }

    const RadioImage image = imageWithDefaults();
    HHardwareParams back;
    back.extract(image);
    for (std::size_t i = 0; i < HARDWARE_TABLE_SIZE; ++i) {
        EXPECT_EQ(back.get(i), defaults.get(i)) << i;
    }
    EXPECT_EQ(radioChannelValueOf(image), 3);
    EXPECT_EQ(lcdTypeOf(image), 1);
    EXPECT_EQ(HHardwareParams().channelCapacity(), 16);
}

TEST(HHardwareParamsTest, FrequencyLimitsRoundTripInHertz) {
    struct Case {
        std::uint16_t storedMin, storedMax;
        std::int32_t minHz, maxHz;
    };
    // Plain limits are in the golden record.
    const Case cases[] = {
        {1000, 5550, 100000000, 555000000},
        // Erased memory is beyond 32 bits in Hz: it saturates and still stores back as read.
        {0xFFFF, 0xFFFF, std::numeric_limits<std::int32_t>::max(),
         std::numeric_limits<std::int32_t>::max()},
    };
    for (const Case& c : cases) {
        RadioImage image = imageWithDefaults();
        image.setBe16(0x2734, c.storedMin);
        image.setBe16(0x2736, c.storedMax);
        const RadioImage before = image;
        HHardwareParams params;
        params.extract(image);
        EXPECT_EQ(params.get(HW_FREQUENCY_MIN), c.minHz);
        EXPECT_EQ(params.get(HW_FREQUENCY_MAX), c.maxHz);
        params.store(image);
        EXPECT_TRUE(image == before) << c.storedMin;
    }
}

TEST(HHardwareParamsTest, HertzValuesAreStoredInTheirUnitsTruncating) {
    struct Case {
        std::size_t index;
        std::int32_t hz;
        std::size_t offset;
        bool twelveBit;
        std::uint32_t stored;
    };
    const Case cases[] = {
        {HW_REF_XTAL_HZ, 16839999, 0x2713, true, 420},
        {HW_FREQUENCY_MIN, 436099999, 0x2734, false, 4360},
    };
    for (const Case& c : cases) {
        RadioImage image = imageWithDefaults();
        HHardwareParams params;
        params.extract(image);
        params.set(c.index, c.hz);
        params.store(image);
        const std::uint32_t mask = c.twelveBit ? 0x0FFF : 0xFFFF;
        EXPECT_EQ(image.be16(c.offset) & mask, c.stored) << "value " << c.index;
    }
    // 13 and 14 are the same values as 34 and 38.
    HHardwareParams params;
    params.set(HW_REF_XTAL_HZ, 12345678);
    EXPECT_EQ(params.get(HW_REF_XTAL), 12345678);
    params.set(HW_FIRST_IF, 21400000);
    EXPECT_EQ(params.get(HW_FIRST_IF_HZ), 21400000);
    EXPECT_EQ(params.storedValue(HW_FIRST_IF), 4280);
}

TEST(HHardwareParamsTest, StoreRewritesTheMirrorOfTheIdentityBytes) {
    RadioImage image = imageWithDefaults();
    image.setByte(0x26E8, 0x59);
    image.setBe16(0x0006, 0x00FF); // stale mirror
    HHardwareParams params;
    params.extract(image);
    params.set(HW_RADIO_CHANNEL, 6);
    params.set(HW_LCD_TYPE, 0);
    params.store(image);
    EXPECT_EQ(image.byteAt(0x26E8), 0x59) << "bits outside the band are kept";
    EXPECT_EQ(image.be16(0x0006), image.be16(0x26E8));
}

} // namespace
} // namespace kq70
