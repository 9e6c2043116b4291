#include "params/HProgrammingPasswordParams.h"

#include "fields/RadioCharacterCode.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using P = HProgrammingPasswordParams;

void writeText(RadioImage& image, std::size_t offset, std::string_view text) {
    for (std::size_t k = 0; k < text.size(); ++k) {
        image.setByte(offset + k, RadioCharacterCode::encode(text[k]));
    }
}

TEST(HProgrammingPasswordParamsTest, PasswordsAreSixCharactersOf0To9AndAToD) {
    P params;
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
    writeText(image, 0x29E2, "123");
    image.setByte(0x29E5, 0x5A); // power-on password digits, no characters
    image.setByte(0x29E6, 0x97);
    image.setByte(0x29E7, 0xF0);
    const RadioImage before = image;
    P params;
    params.extract(image);
    params.store(image);
    EXPECT_TRUE(image == before);

    params.set(P::ENABLE, 1);
    params.store(image);
    EXPECT_EQ(image.byteAt(0x29E1), 0x05);
    EXPECT_EQ(image.byteAt(0x29E5), 0x5A);
}

} // namespace
} // namespace kq70
