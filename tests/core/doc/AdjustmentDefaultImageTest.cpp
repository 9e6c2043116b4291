#include "doc/AdjustmentDefaultImage.h"

#include "align/HAdustmentBackUpParams.h"
#include "channel/HChannelData.h"
#include "image/RadioImage.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace kq70 {
namespace {

TEST(AdjustmentDefaultImageTest, TheBuiltInFileHoldsAnAlignmentChannelForEveryProcedure) {
    auto image = std::make_unique<RadioImage>();
    makeAdjustmentDefaultImage(*image);
    auto channels = std::make_unique<HChannelData>();
    channels->extract(*image);
    EXPECT_EQ(frequencyBandOf(*image), 12);
    EXPECT_GE(channels->capacity(), ALIGN_CHANNEL_COUNT);
    EXPECT_EQ(channels->groupChannelCount(0), ALIGN_CHANNEL_COUNT);
    for (int c = 0; c < ALIGN_CHANNEL_COUNT; ++c) {
        EXPECT_TRUE(channels->isInUse(c)) << c;
        EXPECT_GE(channels->getValue(c, rxFrequency), 446000000) << c;
        EXPECT_LE(channels->getValue(c, rxFrequency), 446200000) << c;
    }
    EXPECT_LT(channels->getValue(ALIGN_CHANNEL_LOW, rxFrequency),
              channels->getValue(ALIGN_CHANNEL_MIDDLE, rxFrequency));
    EXPECT_LT(channels->getValue(ALIGN_CHANNEL_MIDDLE, rxFrequency),
              channels->getValue(ALIGN_CHANNEL_HIGH, rxFrequency));
    EXPECT_GE(channels->getValue(ALIGN_CHANNEL_NARROW, bandwidth), 2);
    EXPECT_EQ(channels->getValue(ALIGN_CHANNEL_HIGH_POWER, txPowerLow), 0);
    EXPECT_EQ(channels->getValue(ALIGN_CHANNEL_MIDDLE, txPowerLow), 1);
    EXPECT_EQ(channels->getValue(ALIGN_CHANNEL_CTCSS_WIDE, txToneMode), 1);
    EXPECT_EQ(channels->getValue(ALIGN_CHANNEL_DCS_NARROW, txToneMode), 2);
    HAdustmentBackUpParams items;
    EXPECT_TRUE(items.verifyChecksum(*image));
    EXPECT_NE(items.get(ADJ_SG_THRESHOLD_NSQ_LEVEL), 0);
}

TEST(AdjustmentDefaultImageTest, AFileInTheProgramFolderComesFirstAndABadOneIsReported) {
    test::TempFolder folder;
    auto image = std::make_unique<RadioImage>();
    EXPECT_EQ(LoadAdjustmentDefaultImage(folder.path(), true, *image),
              AdjustmentDefaultSource::BuiltIn);
    EXPECT_EQ(LoadAdjustmentDefaultImage(folder.path(), false, *image),
              AdjustmentDefaultSource::Missing);
    std::vector<std::uint8_t> bytes(image->data(), image->data() + IMAGE_SIZE);
    bytes[0x2A10] = 0x33;
    test::TempFolder::writeBytes(folder.file("adj_pmr.w70"), bytes);
    auto loaded = std::make_unique<RadioImage>();
    EXPECT_EQ(LoadAdjustmentDefaultImage(folder.path(), true, *loaded),
              AdjustmentDefaultSource::File);
    EXPECT_EQ(loaded->byteAt(0x2A10), 0x33);
    bytes.resize(500);
    test::TempFolder::writeBytes(folder.file("adj_pmr.w70"), bytes);
    EXPECT_EQ(LoadAdjustmentDefaultImage(folder.path(), true, *loaded),
              AdjustmentDefaultSource::Unreadable);
    EXPECT_EQ(loaded->byteAt(0x2A10), 0x33);
}

} // namespace
} // namespace kq70
