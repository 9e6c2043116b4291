#include "params/HMarketingParams.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using P = HMarketingParams;

TEST(HMarketingParamsTest, StoreWritesOnlyWhatChanged) {
    // Erased memory holds nibbles that are no decimal digits; reading them and storing
    // back must not turn them into other digits.
    RadioImage image;
    image.setBe16(0x0000, 0xFFFF);
    image.setBe16(0x29EC, 0xFFFF);
    image.setBe32(0x29EE, 0x2A05C3F1);
    const RadioImage erased = image;
    HMarketingParams params;
    params.extract(image);
    params.store(image);
    EXPECT_TRUE(image == erased);

    params.set(P::MARKET_APPLICATION, 1234);
    params.set(P::SERIAL_NUMBER, static_cast<std::int32_t>(0x9B000001));
    params.store(image);
    EXPECT_EQ(image.be16(0x29EC), 0xFFFF) << "the firmware version is left as it was";
}

TEST(HMarketingParamsTest, SerialNumberCharacters) {
    EXPECT_EQ(P::serialNumberText(0x2A05C3F1), "2A05C3F1");
    EXPECT_EQ(P::serialNumberText(-1), "FFFFFFFF");
    EXPECT_EQ(P::serialNumberText(0x12), "00000012");
    EXPECT_EQ(P::serialNumberFromText("2a05c3f1"), 0x2A05C3F1);
    EXPECT_EQ(P::serialNumberFromText("FFFFFFFF"), -1);
    EXPECT_EQ(P::serialNumberFromText("12"), 0x12);
    for (const char* bad : {"", "123456789", "12G4", "12 4"}) {
        EXPECT_EQ(P::serialNumberFromText(bad), std::nullopt) << bad;
    }
}

} // namespace
} // namespace kq70
