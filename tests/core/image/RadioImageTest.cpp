#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(RadioImageTest, CheckedAccessNeverLeavesTheImage) {
    RadioImage image;
    image.setBe16(0x0004, 0xC083);
    EXPECT_EQ(image.byteAt(4), 0xC0);
    EXPECT_EQ(image.byteAt(5), 0x83);
    EXPECT_EQ(image.be16(4), 0xC083);
    image.setBe32(0x29EE, 0x12345678);
    EXPECT_EQ(image.be32(0x29EE), 0x12345678u);

    const RadioImage before = image;
    image.setByte(IMAGE_SIZE, 1);
    image.setBe16(IMAGE_SIZE - 1, 0xFFFF);
    image.setBe32(IMAGE_SIZE - 3, 0xFFFFFFFF);
    image.copyWithin(0, IMAGE_SIZE - 1, 2);
    EXPECT_TRUE(image == before);
    EXPECT_EQ(image.byteAt(IMAGE_SIZE + 5), 0);
    EXPECT_EQ(image.be16(IMAGE_SIZE - 1), 0);
    EXPECT_TRUE(image.range(IMAGE_SIZE - 1, 2).empty());
    EXPECT_TRUE(image.range(SIZE_MAX, 2).empty());
    EXPECT_EQ(image.range(IMAGE_SIZE - 2, 2).size(), 2u);

    EXPECT_EQ(eepromWordOffset(0xFF), 0x1FEu);
    EXPECT_EQ(flashPageOffset(0x49), 0x2680u);
    EXPECT_EQ(flashPageOffset(79) + FLASH_PAGE_SIZE, TRANSFER_SIZE);
}

TEST(RadioImageTest, CapacityAndIdentityFields) {
    const int expected[] = {1, 2, 16, 16, 32, 48, 256};
    for (int value = 0; value < 7; ++value) {
        EXPECT_EQ(channelCapacityForRadioChannel(value), expected[value]);
    }
    EXPECT_EQ(channelCapacityForRadioChannel(7), 1);
    EXPECT_EQ(channelCapacityForRadioChannel(-1), 1);
    RadioImage image;
    image.setByte(0x26E8, 0xAC); // band 12 in bits 3–0
    image.setByte(0x26E9, 0xE5); // radio channel 6 in bits 6–4, LCD 1 in bit 0
    EXPECT_EQ(frequencyBandOf(image), 12);
    EXPECT_EQ(radioChannelValueOf(image), 6);
    EXPECT_EQ(lcdTypeOf(image), 1);
}

} // namespace
} // namespace kq70
