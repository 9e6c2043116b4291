#include "channel/HChannelData.h"
#include "align/HAdustmentBackUpParams.h"
#include "channel/ToneTables.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kq70 {
namespace {

struct Build {
    int radioChannel = 6;
    int band = 12;
    int channelStep = 0;
    int localOffset = 0;
};

RadioImage imageWith(const Build& b, RadioImage image = RadioImage()) {
    HHardwareParams hw;
    hw.extract(image);
    hw.set(HW_RADIO_CHANNEL, b.radioChannel);
    hw.set(HW_FREQUENCY_BAND, b.band);
    hw.set(HW_CHANNEL_STEP, b.channelStep);
    hw.set(HW_LOCAL_OFFSET, b.localOffset);
    hw.set(HW_FIRST_IF, 50850000);
    hw.store(image);
    return image;
}

HChannelData extracted(const RadioImage& image) {
    HChannelData data;
    data.extract(image);
    return data;
}

TEST(HChannelDataTest, UnprogrammedPllReadsTheBandDefault) {
    for (const auto& [band, hz] :
         {std::pair{12, 480500000}, std::pair{4, 44010000}, std::pair{9, 370100000}}) {
        const HChannelData data = extracted(imageWith({.band = band}));
        EXPECT_EQ(data.getValue(0, rxFrequency), hz);
        EXPECT_EQ(data.getValue(255, txFrequency), hz);
    }
}

TEST(HChannelDataTest, EveryToneCodeSurvivesStoreAndExtract) {
    RadioImage image = imageWith({});
    HChannelData data = extracted(image);
    for (int i = 0; i < 154; ++i) {
        const bool dcs = i >= 50;
        const std::int32_t code = dcs ? dcsTable[static_cast<std::size_t>(i - 50)]
                                      : ctcssTable[static_cast<std::size_t>(i)];
        data.setValue(i, txToneMode, dcs ? 2 : 1);
        data.setValue(i, txToneCode, code);
        data.setValue(i, rxToneMode, dcs ? 2 : 1);
        data.setValue(i, rxToneCode, code);
    }
    data.store(image);
    const HChannelData back = extracted(image);
    for (int i = 0; i < 154; ++i) {
        EXPECT_EQ(back.getValue(i, txToneCode), data.getValue(i, txToneCode)) << i;
        EXPECT_EQ(back.getValue(i, rxToneCode), data.getValue(i, rxToneCode)) << i;
        EXPECT_EQ(back.getValue(i, txToneMode), i >= 50 ? 2 : 1);
        EXPECT_EQ(back.getValue(i, rxToneOn), 1);
    }
    EXPECT_EQ(back.getValue(200, txToneMode), 0);
}

// Frequencies that can only sit on one step row, so a store keeps their PLL words.
std::vector<std::pair<std::int64_t, int>> unambiguousFrequencies(int channelStep) {
    std::vector<std::pair<std::int64_t, int>> out;
    const std::int64_t row0 = channelStep == 3 ? 10000 : 5000;
    const std::int64_t row1 = channelStep == 3 ? 12500 : 6250;
    for (std::int64_t k = 1; k < 40; ++k) {
        const std::int64_t a = 440000000 + k * row0;
        if (a % row1 != 0) {
            out.push_back({a, 0});
        }
        const std::int64_t b = 440000000 + k * row1;
        if (b % row0 != 0) {
            out.push_back({b, 1});
        }
        const std::int64_t c = 440000000 + k * 2500;
        if (channelStep == 1 && c % row0 != 0 && c % row1 != 0) {
            out.push_back({c, 2});
        }
        const std::int64_t d = 440000000 + k * 1250;
        if (channelStep == 2 && d % 2500 != 0 && d % row1 != 0) {
            out.push_back({d, 3});
        }
    }
    return out;
}

TEST(HChannelDataTest, RoundTripKeepsCarriedBitsAndPllWords) {
    std::mt19937 random(7);
    for (int channelStep = 0; channelStep < 4; ++channelStep) {
        RadioImage noise;
        std::ranges::generate(noise.bytes(), [&] { return static_cast<std::uint8_t>(random()); });
        RadioImage image = imageWith({.channelStep = channelStep}, noise);
        HChannelData data = extracted(image);
        const auto frequencies = unambiguousFrequencies(channelStep);
        for (int i = 0; i < CHANNEL_COUNT; ++i) {
            const auto& [hz, row] = frequencies[static_cast<std::size_t>(i) % frequencies.size()];
            data.setValue(i, rxFrequency, static_cast<std::int32_t>(hz));
            data.setValue(i, txFrequency, static_cast<std::int32_t>(hz));
            data.setValue(i, txToneMode, i % 3);
            data.setValue(i, txToneCode, 670);
            data.setValue(i, signalType, 1);
            data.setValue(i, signalDisplayNumber, 1 + i % 20);
        }
        data.store(image);
        const RadioImage first = image;

        // Bits of a record that belong to no field (bits 4, 2-0 of byte 2, all of byte 0x1F...).
        const std::pair<std::size_t, int> carried[] = {{0x09, 0x80}, {0x0D, 0x80}, {0x01, 0x04},
                                                       {0x1F, 0xFF}, {0x02, 0x17}, {0x03, 0x08},
                                                       {0x04, 0x07}};
        for (std::size_t i = 0; i < CHANNEL_COUNT; ++i) {
            for (const auto& [at, mask] : carried) {
                const std::size_t offset = CHANNEL_TABLE_OFFSET + 32 * i + at;
                ASSERT_EQ(image.byteAt(offset) & mask, noise.byteAt(offset) & mask) << offset;
            }
        }
        EXPECT_EQ(image.be32(0x2A00), noise.be32(0x2A00)) << "the trailer word is carried";

        HChannelData again = extracted(image);
        for (int i = 0; i < CHANNEL_COUNT; ++i) {
            const auto& [hz, row] = frequencies[static_cast<std::size_t>(i) % frequencies.size()];
            ASSERT_EQ(again.getValue(i, rxFrequency), hz) << channelStep << " " << i;
            ASSERT_EQ(again.getValue(i, txFrequency), hz);
            ASSERT_EQ(again.getValue(i, rxStepIndex), row);
        }
        again.store(image);
        EXPECT_TRUE(image == first)
            << "a second store changes nothing, channel step " << channelStep;
    }
}

TEST(HChannelDataTest, GroupsAreRepairedOnExtract) {
    struct Case {
        int radioChannel;
        std::vector<std::uint8_t> stored;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {4, {20, 20, 5}, {20, 12, 0}},
        {2, {5, 7}, {5, 0}},        // one active group: the second count is cleared
        {2, {40}, {16}},            // cut to the capacity
        {5, {0, 0, 0}, {48, 0, 0}}, // nothing allotted: group 0 takes all
        {6, {0}, {256}},            // a whole 256-channel group is stored as 0
    };
    for (const Case& c : cases) {
        RadioImage image = imageWith({.radioChannel = c.radioChannel});
        std::ranges::copy(c.stored, image.range(0x0305, c.stored.size()).begin());
        image.setByte(0x0029, 0x40); // scan flag of group 9
        const HChannelData data = extracted(image);
        for (std::size_t g = 0; g < c.expected.size(); ++g) {
            EXPECT_EQ(data.groupChannelCount(static_cast<int>(g)), c.expected[g])
                << c.radioChannel << " group " << g;
        }
        EXPECT_TRUE(data.groups().scanFlag(9)) << "flags of inactive groups are carried";
    }

    RadioImage image = imageWith({.radioChannel = 6});
    HChannelData whole = extracted(image);
    image.setByte(0x0305, 0x55); // the store must write the 0 itself
    whole.store(image);
    EXPECT_EQ(image.byteAt(0x0305), 0);
    EXPECT_EQ(extracted(image).groupChannelCount(0), 256);
}

TEST(HChannelDataTest, GroupQueriesAndPriority) {
    RadioImage image = imageWith({.radioChannel = 6});
    const std::uint8_t counts[] = {10, 0, 5, 0, 20};
    std::ranges::copy(counts, image.range(0x0305, std::size(counts)).begin());
    HChannelData data = extracted(image);
    EXPECT_EQ(data.capacity(), 256);
    EXPECT_EQ(data.groupCount(), 16);
    EXPECT_EQ(data.channelsLeft(), 256 - 35);
    EXPECT_EQ(data.groupFirstChannel(4), 15);
    EXPECT_EQ(data.nextUsedGroup(0), 2);
    EXPECT_EQ(data.nextUsedGroup(2), 4);
    EXPECT_EQ(data.nextUsedGroup(4), 0) << "wraps round to the lowest used group";
    EXPECT_EQ(data.nextUsedGroup(15), 0);

    data.setValue(12, inUse, 1);
    data.setPriority(12);
    EXPECT_EQ(data.getGlobal(GLOBAL_PRIORITY_SET), 1);
    EXPECT_EQ(data.getGlobal(GLOBAL_PRIORITY_GROUP), 2);
    EXPECT_EQ(data.priorityChannelOfGroup(2), 12);
    EXPECT_EQ(data.priorityChannelOfGroup(0), NO_PRIORITY_CHANNEL);
    data.setPriority(13); // not in use: no priority at all
    EXPECT_EQ(data.getGlobal(GLOBAL_PRIORITY_SET), 0);
    EXPECT_EQ(data.priorityChannelOfGroup(2), NO_PRIORITY_CHANNEL);
    data.setValue(100, inUse, 1);
    data.setPriority(100); // beyond every group
    EXPECT_EQ(data.getGlobal(GLOBAL_PRIORITY_SET), 0);

    EXPECT_FALSE(data.isInUse(-1));
    EXPECT_FALSE(data.isInUse(256));
    EXPECT_EQ(data.displayNumber(256), -1);
    EXPECT_EQ(data.displayNumber(0), 1);
    EXPECT_EQ(data.getValue(0, 57), -1);
}

TEST(HChannelDataTest, ScanBitsLiveInTheBitmap) {
    RadioImage image = imageWith({});
    HChannelData data = extracted(image);
    data.setValue(9, scan, 1);
    data.store(image);
    EXPECT_EQ(image.be16(0x0008), 0x0002);
    EXPECT_EQ(extracted(image).getValue(9, scan), 1);
}

TEST(HChannelDataTest, SignallingNumbersAndEncryption) {
    struct Case {
        int type;
        int shown;
        int storedType;
        int storedNumber;
    };
    const Case cases[] = {
        {1, 5, 1, 4}, {1, 0, 0, 0}, {3, 7, 3, 7},
        {3, 0, 0, 0}, {1, 1, 1, 0}, {2, 10, 2, 9}, // paging: the tenth code, the highest there is
    };
    for (const Case& c : cases) {
        RadioImage image = imageWith({});
        HChannelData data = extracted(image);
        data.setValue(3, signalType, c.type);
        data.setValue(3, signalDisplayNumber, c.shown);
        data.store(image);
        EXPECT_EQ(data.getValue(3, signalType), c.storedType) << c.type << "/" << c.shown;
        EXPECT_EQ(data.getValue(3, signalNumber), c.storedNumber) << c.type << "/" << c.shown;
        const HChannelData back = extracted(image);
        EXPECT_EQ(back.getValue(3, signalDisplayNumber), c.storedType == 0 ? 0 : c.shown);
    }

    RadioImage image = imageWith({});
    image.setByte(0x0265, 0x03);                            // option unit 3
    image.setByte(CHANNEL_TABLE_OFFSET + 32 * 2 + 1, 0x01); // channel 2: encryption 1
    HChannelData data = extracted(image);
    EXPECT_EQ(data.getValue(2, encryption), 0);
    data.store(image);
    EXPECT_EQ(image.byteAt(CHANNEL_TABLE_OFFSET + 32 * 2 + 1) & 0x03, 3);
}

// With every adjustment item 100 the point frequencies coincide, so every lookup gives the
// point-3 value: 100, plus the centre value 100 for the values that add it back.
TEST(HChannelDataTest, AlignmentBytesComeFromTheAdjustmentData) {
    struct Case {
        int bandwidthValue;
        int toneMode;
        int itemSelect;
        int maxDeviation;
        int subAudio;
        int byte16;
        int txVco;
    };
    const Case cases[] = {
        {0, 1, 1, 200, 200, 200, 105}, // W5, CTCSS, items 11/12
        {1, 1, 1, 160, 200, 200, 105}, // W4: 0.8 of the deviation
        {2, 2, 0, 200, 200, 100, 107}, // N, DCS, items 9/10 (absolute)
    };
    for (const Case& c : cases) {
        RadioImage image = imageWith({});
        HHardwareParams hw;
        hw.extract(image);
        hw.set(HW_ALIGN_ITEM_SELECT, c.itemSelect);
        hw.set(HW_RX_TUNE_OFFSET_0, 3);
        hw.set(HW_TX_DA_OFFSET_CTCSS_0, 5);
        hw.set(HW_TX_DA_OFFSET_DCS_0, 7);
        hw.store(image);
        HAdustmentBackUpParams items;
        for (std::size_t i = 0; i < items.count(); ++i) {
            items.set(i, 100);
        }
        items.store(image);

        HChannelData data = extracted(image);
        data.setValue(0, bandwidth, c.bandwidthValue);
        data.setValue(0, txToneMode, c.toneMode);
        data.setValue(0, rxFrequency, 446006250);
        data.setValue(0, txFrequency, 446006250);
        data.store(image);
        EXPECT_EQ(data.getValue(0, rxTuneDa), 103);
        EXPECT_EQ(data.getValue(0, txVcoDa), c.txVco);
        EXPECT_EQ(data.getValue(0, alignByte11), 100);
        EXPECT_EQ(data.getValue(0, txPowerHighDa), 200);
        EXPECT_EQ(data.getValue(0, txPowerDa), 200);
        EXPECT_EQ(data.getValue(0, maxDeviationDa), c.maxDeviation);
        EXPECT_EQ(data.getValue(0, subAudioDeviationDa), c.subAudio);
        EXPECT_EQ(data.getValue(0, alignByte16), c.byte16);

        // Kept alignment: nothing is recomputed.
        HChannelData kept = extracted(image);
        kept.setValue(0, keepAlignment, 1);
        kept.setValue(0, txPowerHighDa, 9);
        kept.store(image);
        EXPECT_EQ(image.byteAt(CHANNEL_TABLE_OFFSET + 0x12), 9);
    }
}

TEST(HChannelDataTest, PagesNeedADefinedPagingCode) {
    RadioImage image = imageWith({});
    // Every paging record erased, then record 4 defined.
    std::ranges::fill(image.range(0x26D4, 20), 0xFF);
    image.setBe16(0x26D4 + 2 * 4, 0x1234);
    HChannelData data = extracted(image);
    struct Case {
        int channel;
        int stored;
        int type;
        int shown;
    };
    const Case cases[] = {{0, 4, 2, 5}, {1, 3, 0, 0}, {2, 12, 0, 0}};
    for (const Case& c : cases) {
        data.setValue(c.channel, signalType, 2);
        data.setValue(c.channel, signalDisplayNumber, c.stored + 1);
    }
    data.store(image);
    const HChannelData back = extracted(image);
    for (const Case& c : cases) {
        EXPECT_EQ(back.getValue(c.channel, signalType), c.type) << c.channel;
        EXPECT_EQ(back.getValue(c.channel, signalDisplayNumber), c.shown) << c.channel;
    }
}

} // namespace
} // namespace kq70
