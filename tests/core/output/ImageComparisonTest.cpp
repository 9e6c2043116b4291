#include "output/ImageComparison.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/DefaultImages.h"
#include "params/HHardwareParams.h"
#include "params/HPowerSaveParams.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kq70 {
namespace {

void editChannels(RadioImage& image, const std::function<void(HChannelData&)>& edit) {
    auto channels = std::make_unique<HChannelData>();
    channels->extract(image);
    edit(*channels);
    channels->store(image);
}

// Each kind of difference lands in its section with both sides' texts; bytes outside every
// editor only count.
TEST(ImageComparisonTest, EachDifferenceInItsSection) {
    struct Case {
        const char* name;
        std::function<void(RadioImage&)> change;
        std::vector<std::string> entries; // "section/caption: A -> B" of every entry
        std::size_t unshown;
    };
    const std::vector<Case> cases = {
        {"nothing", [](RadioImage&) {}, {}, 0},
        {"a tone, a page value and a byte of a record beyond the 16 channels",
         [](RadioImage& i) {
             editChannels(i, [](HChannelData& channels) {
                 channels.setValue(4, txToneMode, 1);
                 channels.setValue(4, txToneCode, 1000);
             });
             HPowerSaveParams powerSave;
             powerSave.extract(i);
             powerSave.set(HPowerSaveParams::TRANSMIT_TIMER, 3);
             powerSave.store(i);
             const std::size_t unshown = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 20 + 5;
             i.setByte(unshown, static_cast<std::uint8_t>(i.byteAt(unshown) ^ 0x5A));
         },
         {"Power Saving/Transmit Timer: 1   min -> 3   min",
          "Channels/CH5 Sub Audio Enc: ----- -> C- (100.0)"},
         1},
        {"product code",
         [](RadioImage& i) { i.setBe16(PRODUCT_CODE_OFFSET, 0xC084); },
         {"Radio/Product code: 06 50 -> C0 84"},
         0},
        {"group tag",
         [](RadioImage& i) {
             editChannels(i, [](HChannelData& channels) { channels.groups().setTag(0, "DEPOT"); });
         },
         {"Groups/Group 1: 16 CH, GROUP 1: PMR446   None -> 16 CH, GROUP 1: DEPOT    None"},
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
    // The built-in PMR446 image, stored once through the channel data so the edits change only
    // what they set.
    RadioImage a;
    BuildDefaultImage(12, a);
    editChannels(a, [](HChannelData&) {});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage b = a;
        c.change(b);
        const ImageComparison result = ImageComparison::compare(a, b, ACCESS_NORMAL);
        std::vector<std::string> entries;
        for (const ComparisonEntry& e : result.entries()) {
            entries.push_back(e.section + "/" + e.caption + ": " + e.valueA + " -> " + e.valueB);
        }
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(result.unshownDifferences(), c.unshown);
        EXPECT_EQ(result.equal(), entries.empty() && c.unshown == 0);
    }

    // More channels in B: the rows only B has are shown with nothing on A's side.
    RadioImage b = a;
    test::setHardwareValue(b, HW_RADIO_CHANNEL, 4); // 32 channels
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
