#include "align/HAdustmentBackUpParams.h"

#include "image/RadioImage.h"
#include "log/HLogPrint.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace kq70 {
namespace {

bool isWordItem(std::size_t item) {
    return (item >= 8 && item <= 12) || item == ADJ_CHECKSUM;
}

TEST(HAdustmentBackUpParamsTest, ItemsLandAtTheirOffsets) {
    struct Case {
        std::size_t item;
        std::size_t offset;
    };
    const Case cases[] = {
        {0, 0x273A},   {7, 0x2741},   {8, 0x2982},   {10, 0x2980},  {12, 0x2988},  {13, 0x298B},
        {14, 0x298A},  {15, 0x298C},  {16, 0x298E},  {17, 0x298F},  {18, 0x298D},  {19, 0x2990},
        {20, 0x2991},  {23, 0x2992},  {81, 0x29CF},  {83, 0x29CE},  {85, 0x29D2},  {86, 0x29D4},
        {87, 0x29D3},  {89, 0x29D7},  {91, 0x29D8},  {97, 0x29DE},  {98, 0x2744},  {112, 0x2752},
        {113, 0x29DF}, {114, 0x2A10}, {117, 0x2A13}, {118, 0x2A16}, {119, 0x2A14}, {120, 0x2A17},
        {128, 0x2A1E}, {132, 0x2A22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        HAdustmentBackUpParams set;
        set.set(c.item, 0x1234);
        RadioImage image;
        set.store(image);
        RadioImage expected;
        if (isWordItem(c.item)) {
            expected.setBe16(c.offset, 0x1234);
        } else {
            expected.setByte(c.offset, 0x34);
        }
        EXPECT_EQ(image, expected);
    }
}

// Every item, stored alone over an empty image, has bytes of its own, and together they cover
// exactly the adjustment areas.
TEST(HAdustmentBackUpParamsTest, ItemsCoverTheAdjustmentAreasWithoutOverlap) {
    std::set<std::size_t> covered;
    for (std::size_t item = 0; item < ADJ_ITEM_COUNT; ++item) {
        SCOPED_TRACE(item);
        HAdustmentBackUpParams alone;
        alone.set(item, 0xFFFF);
        RadioImage image;
        alone.store(image);
        std::size_t bytes = 0;
        for (std::size_t offset = 0; offset < IMAGE_SIZE; ++offset) {
            if (image.byteAt(offset) != 0) {
                ++bytes;
                EXPECT_TRUE(covered.insert(offset).second) << "offset " << offset << " shared";
            }
        }
        EXPECT_EQ(bytes, isWordItem(item) ? 2U : 1U);
    }
    std::set<std::size_t> areas;
    const std::pair<std::size_t, std::size_t> ranges[] = {
        {0x273A, 0x2741}, {0x2744, 0x2752}, {0x2980, 0x29E0}, {0x2A10, 0x2A22}};
    for (const auto& [first, last] : ranges) {
        for (std::size_t offset = first; offset <= last; ++offset) {
            areas.insert(offset);
        }
    }
    EXPECT_EQ(covered, areas);
}

TEST(HAdustmentBackUpParamsTest, WrittenItemsReadBackWithHigherBitsCut) {
    HAdustmentBackUpParams written;
    for (std::size_t item = 0; item < ADJ_ITEM_COUNT; ++item) {
        written.set(item, static_cast<std::int32_t>(0x7A0000 + item * 2741));
    }
    RadioImage image;
    written.store(image);
    HAdustmentBackUpParams read;
    read.extract(image);
    for (std::size_t item = 0; item < ADJ_ITEM_COUNT; ++item) {
        const std::int32_t mask = isWordItem(item) ? 0xFFFF : 0xFF;
        EXPECT_EQ(read.get(item), written.get(item) & mask) << "item " << item;
    }
}

RadioImage imageWithBlockOf(std::uint8_t byte) {
    RadioImage image;
    std::ranges::fill(image.range(WORKING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE), byte);
    return image;
}

TEST(HAdustmentBackUpParamsTest, ChecksumIsTheSumOfTheBlock) {
    RadioImage image = imageWithBlockOf(0xFF);
    HAdustmentBackUpParams set;
    set.extract(image);
    set.recomputeChecksum(image);
    EXPECT_EQ(set.get(ADJ_CHECKSUM), 0x5EA1);
    EXPECT_EQ(image, [] {
        RadioImage expected = imageWithBlockOf(0xFF);
        expected.setBe16(0x29DF, 0x5EA1);
        return expected;
    }());

    HAdustmentBackUpParams check;
    EXPECT_TRUE(check.verifyChecksum(image));
    image.setByte(WORKING_ADJUSTMENT_OFFSET + 94, 0xFE);
    EXPECT_FALSE(check.verifyChecksum(image));
    image.setByte(WORKING_ADJUSTMENT_OFFSET + 95, 0x00); // the checksum itself
    image.setByte(WORKING_ADJUSTMENT_OFFSET + 94, 0xFF);
    EXPECT_FALSE(check.verifyChecksum(image));
}

// Items changed in the set but not yet stored are part of the checksum written.
TEST(HAdustmentBackUpParamsTest, RecomputedChecksumCoversItemsNotYetStored) {
    RadioImage image = imageWithBlockOf(0x10);
    HAdustmentBackUpParams set;
    set.extract(image);
    set.set(ADJ_FREQ_DA, 0x90);
    set.set(ADJ_TX_POWER_HIGH, 0x01);
    set.recomputeChecksum(image);
    EXPECT_EQ(image.byteAt(0x29DA), 0x90);
    EXPECT_EQ(image.be16(WORKING_CHECKSUM_OFFSET), 93 * 0x10 + 0x90 + 0x01);
    HAdustmentBackUpParams check;
    EXPECT_TRUE(check.verifyChecksum(image));
}

TEST(HAdustmentBackUpParamsTest, VerifyTracesEveryByteAndTheTotal) {
    test::TempFolder folder;
    const std::string logPath = folder.file("adj.log");
    HLogPrint& log = HLogPrint::global();
    const int oldLevel = log.level(0);
    const std::string oldPath = log.path(0);
    log.enableChannel(0, LOG_ER, logPath);

    RadioImage image = imageWithBlockOf(0xFF);
    image.setByte(WORKING_ADJUSTMENT_OFFSET + 0x1A, 0x0C);
    image.setBe16(WORKING_CHECKSUM_OFFSET, 0x5EA1);
    HAdustmentBackUpParams set;
    const bool ok = set.verifyChecksum(image);
    log.enableChannel(0, oldLevel, oldPath);

    EXPECT_FALSE(ok);
    const std::string text = test::TempFolder::readText(logPath);
    EXPECT_NE(text.find("[ER] CheckSum Value[ADR_ADJ_BACKUP + 00]:[FF] "), std::string::npos);
    EXPECT_NE(text.find("CheckSum Value[ADR_ADJ_BACKUP + 1A]:[C] "), std::string::npos);
    EXPECT_NE(text.find("CheckSum Value Total[0x5DAE]: CompareData[0x5ea1] "), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t at = text.find("CheckSum Value["); at != std::string::npos;
         at = text.find("CheckSum Value[", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, ADJUSTMENT_DATA_SIZE);
}

TEST(HAdustmentBackUpParamsTest, LevelsShowInTheChosenUnit) {
    HAdustmentBackUpParams set;
    set.set(ADJ_TIGHT_RSSI_WIDE, 0x85);
    set.setDisplayUnit(4);
    EXPECT_EQ(set.levelText(ADJ_TIGHT_RSSI_WIDE), "-118 dBm");
    set.setDisplayUnit(5);
    set.setDisplayUnit(-1);
    EXPECT_EQ(set.displayUnit(), 4);
}

} // namespace
} // namespace kq70
