#include "params/HKeyFuncParams.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(HKeyFuncParamsTest, DefaultsAreMonAndSqlOffOnSide1) {
    const HKeyFuncParams params;
    for (std::size_t slot = 0; slot < HKeyFuncParams::KEY_SLOT_COUNT; ++slot) {
        const std::int32_t expected = slot == 0 ? 1 : slot == 6 ? 53 : 0;
        EXPECT_EQ(params.get(slot), expected) << "slot " << slot;
    }
    RadioImage image;
    params.store(image);
    EXPECT_EQ(image.byteAt(0x0269), 1);
    EXPECT_EQ(image.byteAt(0x026F), 53);
}

TEST(HKeyFuncParamsTest, SlotsAreOneByteEachFrom0x0269) {
    RadioImage image;
    for (std::size_t slot = 0; slot < HKeyFuncParams::KEY_SLOT_COUNT; ++slot) {
        image.setByte(0x0269 + slot, static_cast<std::uint8_t>(10 + slot));
    }
    HKeyFuncParams params;
    params.extract(image);
    for (std::size_t slot = 0; slot < HKeyFuncParams::KEY_SLOT_COUNT; ++slot) {
        EXPECT_EQ(params.get(slot), static_cast<std::int32_t>(10 + slot));
    }
}

TEST(HKeyFuncParamsTest, ClearingTheLcdKeySlotsKeepsTheSideKeys) {
    RadioImage image;
    for (std::size_t offset = 0x0268; offset <= 0x0275; ++offset) {
        image.setByte(offset, 7);
    }
    HKeyFuncParams params;
    params.extract(image);
    params.clearLcdKeySlots();
    params.store(image);
    const std::uint8_t expected[] = {7, 7, 7, 0, 0, 0, 0, 7, 7, 0, 0, 0, 0, 7};
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        EXPECT_EQ(image.byteAt(0x0268 + k), expected[k]) << std::hex << 0x0268 + k;
    }
}

} // namespace
} // namespace kq70
