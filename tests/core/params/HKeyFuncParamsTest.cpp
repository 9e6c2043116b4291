#include "params/HKeyFuncParams.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

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
