#include "output/ImageComparison.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/DefaultImages.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"
#include "params/HPowerSaveParams.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kq70 {
namespace {

// The built-in PMR446 image, stored once through the channel data so the edits below change
// only what they set.
RadioImage pmrImage() {
    RadioImage image;
    BuildDefaultImage(12, image);
    auto channels = std::make_unique<HChannelData>();
    channels->extract(image);
    channels->store(image);
    return image;
}

void setChannelValue(RadioImage& image, int channel, int value, std::int32_t to) {
    auto channels = std::make_unique<HChannelData>();
    channels->extract(image);
    channels->setValue(channel, value, to);
    channels->store(image);
}

TEST(ImageComparisonTest, OneToneOnePageValueAndOneUnshownByte) {
    const RadioImage a = pmrImage();
    RadioImage b = a;
    // CH5 encodes CTCSS 100.0 Hz instead of nothing.
    setChannelValue(b, 4, txToneMode, 1);
    setChannelValue(b, 4, txToneCode, 1000);
    HPowerSaveParams powerSave;
    powerSave.extract(b);
    powerSave.set(HPowerSaveParams::TRANSMIT_TIMER,
                  powerSave.get(HPowerSaveParams::TRANSMIT_TIMER) == 1 ? 2 : 1);
    powerSave.store(b);
    // A byte of a channel record beyond the radio's 16 channels.
    const std::size_t unshown = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 20 + 5;
    b.setByte(unshown, static_cast<std::uint8_t>(b.byteAt(unshown) ^ 0x5A));

    const ImageComparison result = ImageComparison::compare(a, b, ACCESS_NORMAL);
    ASSERT_EQ(result.entries().size(), 2u);
    EXPECT_EQ(result.entries()[0].section, text::POWER_SAVING_TITLE);
    EXPECT_EQ(result.entries()[0].caption, "Transmit Timer");
    EXPECT_EQ(result.entries()[1].section, text::COMPARE_SECTION_CHANNELS);
    EXPECT_EQ(result.entries()[1].caption, "CH5 Sub Audio Enc");
    EXPECT_EQ(result.entries()[1].valueA, "-----");
    EXPECT_EQ(result.entries()[1].valueB, "C- (100.0)");
    EXPECT_EQ(result.unshownDifferences(), 1u);
    EXPECT_FALSE(result.equal());

    EXPECT_TRUE(ImageComparison::compare(a, a, ACCESS_NORMAL).equal());
}

// Each kind of difference lands in its section; bytes outside every editor only count.
TEST(ImageComparisonTest, EachDifferenceInItsSection) {
    struct Case {
        const char* name;
        std::function<void(RadioImage&)> change;
        std::vector<std::string> captions; // "section/caption" of every entry
        std::size_t unshown;
    };
    const std::vector<Case> cases = {
        {"product code",
         [](RadioImage& i) { i.setBe16(PRODUCT_CODE_OFFSET, 0xC084); },
         {"Radio/Product code"},
         0},
        {"group tag",
         [](RadioImage& i) {
             auto channels = std::make_unique<HChannelData>();
             channels->extract(i);
             channels->groups().setTag(0, "DEPOT");
             channels->store(i);
         },
         {"Groups/Group 1"},
         0},
        {"alignment bytes of two channels",
         [](RadioImage& i) {
             i.setByte(CHANNEL_ALIGNMENT_OFFSET + 3, 0x11);
             i.setByte(CHANNEL_ALIGNMENT_OFFSET + 200, 0x22);
         },
         {},
         2},
        {"a record beyond the capacity",
         [](RadioImage& i) {
             for (std::size_t k = 0; k < CHANNEL_RECORD_SIZE; ++k) {
                 const std::size_t offset = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 100 + k;
                 i.setByte(offset, static_cast<std::uint8_t>(~i.byteAt(offset)));
             }
         },
         {},
         CHANNEL_RECORD_SIZE},
    };
    const RadioImage a = pmrImage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage b = a;
        c.change(b);
        const ImageComparison result = ImageComparison::compare(a, b, ACCESS_NORMAL);
        std::vector<std::string> captions;
        for (const ComparisonEntry& entry : result.entries()) {
            captions.push_back(entry.section + "/" + entry.caption);
        }
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(result.unshownDifferences(), c.unshown);
    }

    // More channels in B: the rows only B has are shown with nothing on A's side.
    RadioImage b = a;
    HHardwareParams hardware;
    hardware.extract(b);
    hardware.set(HW_RADIO_CHANNEL, 4); // 32 channels
    hardware.store(b);
    const ImageComparison wider = ImageComparison::compare(a, b, ACCESS_NORMAL);
    int rowsOnlyInB = 0;
    for (const ComparisonEntry& entry : wider.entries()) {
        if (entry.channel > 16) {
            EXPECT_EQ(entry.valueA, "") << entry.caption;
            rowsOnlyInB += entry.caption.ends_with("RX Frequency") ? 1 : 0;
        }
    }
    EXPECT_EQ(rowsOnlyInB, 16);
}

} // namespace
} // namespace kq70
