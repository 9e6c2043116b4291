#include "params/HProgrammingPasswordParams.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <numeric>

namespace kq70 {
namespace {

TEST(HProgrammingPasswordParamsTest, PasswordsAreSixCharactersOf0To9AndAToD) {
    HProgrammingPasswordParams params;
    EXPECT_TRUE(params.setPassword("ab12cd"));
    EXPECT_EQ(params.password(), "AB12CD");
    for (const char* bad : {"AB12CE", "12345", "1234567", "12 456"}) {
        EXPECT_FALSE(params.setPassword(bad)) << bad;
        EXPECT_EQ(params.password(), "AB12CD");
    }
}

TEST(HProgrammingPasswordParamsTest, BytesSharedWithThePowerOnPasswordSurvive) {
    RadioImage image;
    image.setByte(0x29E1, 0x01);
    const auto digits = image.range(0x29E2, 3); // "123" in the radio's character code
    std::iota(digits.begin(), digits.end(), std::uint8_t{1});
    image.setByte(0x29E5, 0x5A); // power-on password digits, no characters
    image.setByte(0x29E6, 0x97);
    image.setByte(0x29E7, 0xF0);
    const RadioImage before = image;
    HProgrammingPasswordParams params;
    params.extract(image);
    params.store(image);
    EXPECT_TRUE(image == before);

    params.set(HProgrammingPasswordParams::ENABLE, 1);
    params.store(image);
    EXPECT_EQ(image.byteAt(0x29E1), 0x05);
    EXPECT_EQ(image.byteAt(0x29E5), 0x5A);
}

} // namespace
} // namespace kq70
