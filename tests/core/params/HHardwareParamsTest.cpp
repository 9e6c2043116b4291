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

std::uint32_t twelveBits(const RadioImage& image, std::size_t offset) {
    return image.be16(offset) & 0x0FFFu;
}

TEST(HHardwareParamsTest, DefaultsStoreThemselvesWithDerivedValuesInHertz) {
    const HHardwareParams defaults;
    EXPECT_EQ(defaults.get(HW_REF_XTAL), 16800000);
    EXPECT_EQ(defaults.get(HW_FIRST_IF), 50850000);
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
    EXPECT_EQ(twelveBits(image, 0x2713), 420u);
    EXPECT_EQ(image.be16(0x272C), 10170);
    EXPECT_EQ(image.be16(0x2734), 1340);
    EXPECT_EQ(image.be16(0x2736), 1740);
    EXPECT_EQ(twelveBits(image, 0x2725), 1680u);
    EXPECT_EQ(image.be16(0x2732), 40680);
    EXPECT_EQ(radioChannelValueOf(image), 3);
    EXPECT_EQ(lcdTypeOf(image), 1);
    EXPECT_EQ(image.byteAt(0x29E8), 6);
    EXPECT_EQ(HHardwareParams().channelCapacity(), 16);
}

TEST(HHardwareParamsTest, FieldsAreReadFromTheirBits) {
    RadioImage image = imageWithDefaults();
    image.setByte(0x26E8, 0xAC); // band 12; the high nibble belongs to something else
    image.setByte(0x26E9, 0x63); // 256 channels, CTCSS release 1, LCD
    image.setByte(0x26EA, 0xB4); // step 2, TX DCS inverted, RX DCS inverted, item select 1
    image.setByte(0x2742, 0xF9); // release time 1 (bits 2–0)
    image.setByte(0x2743, 0x5A); // attack 5, hysteresis 10
    image.setByte(0x272B, 0x01); // upper local offset
    image.setByte(0x0203, 0x80); // keypad
    HHardwareParams params;
    params.extract(image);
    const std::pair<HardwareValue, std::int32_t> expected[] = {
        {HW_RADIO_CHANNEL, 6},    {HW_FREQUENCY_BAND, 12},
        {HW_LCD_TYPE, 1},         {HW_CTCSS_RELEASE_TIME, 1},
        {HW_CHANNEL_STEP, 2},     {HW_TX_DCS_POLARITY, 1},
        {HW_RX_DCS_POLARITY, 1},  {HW_ALIGN_ITEM_SELECT, 1},
        {HW_SQL_RELEASE_TIME, 1}, {HW_SQL_ATTACK_TIME, 5},
        {HW_SQL_HYSTERESIS, 10},  {HW_LOCAL_OFFSET, 1},
        {HW_KEYPAD, 1},
    };
    for (const auto& [index, value] : expected) {
        EXPECT_EQ(params.get(index), value) << "value " << index;
    }
    EXPECT_EQ(params.channelCapacity(), 256);
}

TEST(HHardwareParamsTest, FrequencyLimitsRoundTripInHertz) {
    struct Case {
        std::uint16_t storedMin, storedMax;
        std::int32_t minHz, maxHz;
    };
    const Case cases[] = {
        {4360, 4560, 436000000, 456000000},
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
        {HW_REF_XTAL, 16800000, 0x2713, true, 420},
        {HW_REF_XTAL_HZ, 16839999, 0x2713, true, 420},
        {HW_REF_XTAL_50K_HZ, 12800000, 0x2719, true, 256},
        {HW_REF_XTAL_20K_HZ, 12800000, 0x271F, true, 640},
        {HW_REF_XTAL_10K_HZ, 12800000, 0x2725, true, 1280},
        {HW_FIRST_IF, 45050000, 0x272C, false, 9010},
        {HW_FIRST_IF_6250_HZ, 45050000, 0x272E, false, 7208},
        {HW_FIRST_IF_2500_HZ, 45050000, 0x2730, false, 18020},
        {HW_FIRST_IF_1250_HZ, 45050000, 0x2732, false, 36040},
        {HW_FREQUENCY_MIN, 436099999, 0x2734, false, 4360},
        {HW_FREQUENCY_MAX, 470000000, 0x2736, false, 4700},
    };
    for (const Case& c : cases) {
        RadioImage image = imageWithDefaults();
        HHardwareParams params;
        params.extract(image);
        params.set(c.index, c.hz);
        params.store(image);
        const std::uint32_t stored =
            c.twelveBit ? twelveBits(image, c.offset) : image.be16(c.offset);
        EXPECT_EQ(stored, c.stored) << "value " << c.index;
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
    image.setByte(0x0006, 0x00); // stale mirror
    image.setByte(0x0007, 0xFF);
    HHardwareParams params;
    params.extract(image);
    params.set(HW_RADIO_CHANNEL, 6);
    params.set(HW_LCD_TYPE, 0);
    params.store(image);
    EXPECT_EQ(image.byteAt(0x26E8), 0x59) << "bits outside the band are kept";
    EXPECT_EQ(image.byteAt(0x0006), image.byteAt(0x26E8));
    EXPECT_EQ(image.byteAt(0x0007), image.byteAt(0x26E9));
    EXPECT_EQ(radioChannelValueOf(image), 6);
    EXPECT_EQ(lcdTypeOf(image), 0);
}

} // namespace
} // namespace kq70
