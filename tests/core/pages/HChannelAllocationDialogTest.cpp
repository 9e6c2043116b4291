#include "pages/HChannelAllocationDialog.h"
#include "support/ChannelViewHarness.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

namespace kq70::test {
namespace {

using Dialog = HChannelAllocationDialog;

int countId(int group) {
    return Dialog::IDC_COUNT + group;
}

HChannelData dataOf(const RadioImage& image) {
    HChannelData data;
    data.extract(image);
    return data;
}

struct OpenedAllocation {
    explicit OpenedAllocation(const RadioImage& start, int mode = 1)
        : image(start), dialog(image, mode) {
        dialog.OnInitDialog();
    }
    HChannelData afterOk() {
        EXPECT_TRUE(dialog.OnOK());
        return dataOf(image);
    }
    std::string channelsLeft() const { return dialog.GetControl(Dialog::IDC_CHANNELS_LEFT)->label; }
    RadioImage image;
    Dialog dialog;
};

void typeCount(Dialog& dialog, int group, const std::string& text) {
    ASSERT_TRUE(dialog.TypeText(countId(group), text)) << group;
    dialog.CountEditKillFocus(group);
}

TEST(HChannelAllocationDialogTest, LargeVariantCutsCountsToTheChannelsLeft) {
    OpenedAllocation o(imageWithGroups({200, 56}));
    ASSERT_EQ(o.dialog.GetVariant(), Dialog::Variant::Large);
    EXPECT_EQ(o.channelsLeft(), "0 Channels Left");
    EXPECT_FALSE(o.dialog.GetControl(Dialog::IDC_SCAN + 2)->enabled);
    EXPECT_TRUE(o.dialog.GetControl(Dialog::IDC_TAG + 2)->enabled)
        << "large page keeps tags enabled";
    typeCount(o.dialog, 2, "100");
    EXPECT_EQ(o.dialog.GetShownValue(countId(2)), "0");
    EXPECT_EQ(o.channelsLeft(), "0 Channels Left");
    // Lowering group 2 frees channels that group 3 can then take, at most 255 a group.
    typeCount(o.dialog, 1, "6");
    EXPECT_EQ(o.channelsLeft(), "50 Channels Left");
    typeCount(o.dialog, 2, "30");
    EXPECT_EQ(o.channelsLeft(), "20 Channels Left");
    EXPECT_TRUE(o.dialog.GetControl(Dialog::IDC_SCAN + 2)->enabled);
    typeCount(o.dialog, 0, "300");
    EXPECT_EQ(o.dialog.GetShownValue(countId(0)), "220");

    OpenedAllocation single(imageWithGroups({256}));
    typeCount(single.dialog, 0, "300");
    EXPECT_EQ(single.dialog.GetShownValue(countId(0)), "255");
    EXPECT_EQ(single.channelsLeft(), "1 Channels Left");
    // Enter in a count keeps the large page open and recounts.
    ASSERT_TRUE(single.dialog.TypeText(countId(1), "1"));
    EXPECT_FALSE(single.dialog.CountEditEnter(1));
    EXPECT_EQ(single.channelsLeft(), "0 Channels Left");
}

TEST(HChannelAllocationDialogTest, SettingEveryCountToZeroKeepsOneChannel) {
    for (const bool large : {true, false}) {
        OpenedAllocation o(large ? imageWithGroups({10, 20}) : imageWithGroups({16, 16}, 4));
        typeCount(o.dialog, 0, "0");
        typeCount(o.dialog, 1, "0");
        EXPECT_EQ(o.dialog.GetShownValue(countId(0)), "0");
        EXPECT_EQ(o.dialog.GetShownValue(countId(1)), "1") << large;
        EXPECT_TRUE(o.dialog.GetControl(Dialog::IDC_SCAN + 1)->enabled);
        EXPECT_FALSE(o.dialog.GetControl(Dialog::IDC_SCAN)->enabled);
        const HChannelData data = o.afterOk();
        EXPECT_EQ(data.groupChannelCount(1), 1);
        EXPECT_EQ(data.groupChannelCount(0), 0);
    }
}

TEST(HChannelAllocationDialogTest, RaisingACountMarksTheChannelsFromThatGroupOnInUse) {
    const auto countTyped = [](int group, const char* count) {
        RadioImage image = imageWithGroups({10, 10, 10, 10, 10, 10});
        HChannelData unprogrammed = dataOf(image);
        for (int c = 0; c < 256; ++c) {
            unprogrammed.setValue(c, inUse, c == 0 ? 1 : 0);
        }
        unprogrammed.store(image);
        OpenedAllocation o(image);
        typeCount(o.dialog, group, count);
        return o.afterOk();
    };
    const HChannelData raised = countTyped(4, "20");
    EXPECT_EQ(raised.groupFirstChannel(5), 60);
    // Groups 5 and 6 now hold channels 40–69; the channels after them belong to no group.
    for (int c = 1; c < 80; ++c) {
        EXPECT_EQ(raised.isInUse(c), c >= 40 && c < 70) << c;
    }
    const HChannelData lowered = countTyped(1, "5");
    for (int c = 1; c < 60; ++c) {
        EXPECT_FALSE(lowered.isInUse(c)) << c;
    }
}

TEST(HChannelAllocationDialogTest, ACountOfZeroResetsTheScanFlagInTheLargeVariant) {
    RadioImage image = imageWithGroups({10, 10, 10});
    HChannelData data = dataOf(image);
    data.groups().setScanFlag(1, true);
    data.store(image);
    OpenedAllocation o(image);
    EXPECT_EQ(o.dialog.GetShownValue(Dialog::IDC_SCAN + 1), "SCAN");
    typeCount(o.dialog, 1, "0");
    EXPECT_EQ(o.dialog.GetShownValue(Dialog::IDC_SCAN + 1), "None");
    EXPECT_FALSE(o.dialog.GetControl(Dialog::IDC_SCAN + 1)->enabled);
    EXPECT_EQ(o.dialog.TakeFocusRequest(), countId(2));
    EXPECT_EQ(o.dialog.TakeFocusRequest(), 0) << "a focus move is made once";
    typeCount(o.dialog, 15, "0"); // already empty: the focus stays
    EXPECT_EQ(o.dialog.TakeFocusRequest(), 0);
    EXPECT_FALSE(o.afterOk().groups().scanFlag(1));
}

TEST(HChannelAllocationDialogTest, SmallVariantRowsAndNormalMode) {
    OpenedAllocation o(pmrImage(4), 0);
    ASSERT_EQ(o.dialog.GetVariant(), Dialog::Variant::Small);
    for (int g = 0; g < 16; ++g) {
        const bool shown = g < 2;
        EXPECT_EQ(o.dialog.GetControl(Dialog::IDC_GROUP_LABEL + g)->visible, shown) << g;
        EXPECT_EQ(o.dialog.GetControl(countId(g))->visible, shown) << g;
        EXPECT_EQ(o.dialog.GetControl(Dialog::IDC_TAG + g)->visible, shown) << g;
        EXPECT_EQ(o.dialog.GetControl(Dialog::IDC_SCAN + g)->visible, shown) << g;
        EXPECT_FALSE(o.dialog.GetControl(countId(g))->enabled) << "mode 0: no allocation";
    }
    EXPECT_EQ(o.dialog.GetControl(Dialog::IDC_CHANNELS_LEFT), nullptr);
    EXPECT_FALSE(o.dialog.TypeText(countId(0), "5"));
    ASSERT_TRUE(o.dialog.TypeText(Dialog::IDC_TAG, "fire"));
    ASSERT_TRUE(o.dialog.SelectItemValue(Dialog::IDC_SCAN, 1));
    EXPECT_EQ(o.dialog.GroupLine(0), "GROUP 1: FIRE     SCAN");
    const HChannelData data = o.afterOk();
    EXPECT_EQ(data.groups().tag(0), "FIRE    ");
    EXPECT_TRUE(data.groups().scanFlag(0));
    EXPECT_EQ(data.groupChannelCount(0), 16) << "counts unchanged";

    OpenedAllocation three(pmrImage(5));
    EXPECT_TRUE(three.dialog.GetControl(countId(2))->visible);
    EXPECT_TRUE(three.dialog.GetControl(countId(0))->enabled);
    EXPECT_FALSE(three.dialog.GetControl(Dialog::IDC_TAG + 1)->enabled)
        << "group 2 holds no channels";
    EXPECT_TRUE(three.dialog.TypeText(countId(0), "40"));
    EXPECT_TRUE(three.dialog.CountEditEnter(0)) << "the small page lets OK end it";
    EXPECT_EQ(three.dialog.GetShownValue(countId(0)), "40");
    EXPECT_TRUE(three.dialog.TypeText(countId(1), "20"));
    three.dialog.CountEditKillFocus(1);
    EXPECT_EQ(three.dialog.GetShownValue(countId(1)), "8");
    EXPECT_TRUE(three.dialog.GetControl(Dialog::IDC_TAG + 1)->enabled);
}

TEST(HChannelAllocationDialogTest, CancelAndUntouchedOkLeaveTheImage) {
    const RadioImage before = imageWithGroups({100, 50});
    OpenedAllocation cancelled(before);
    typeCount(cancelled.dialog, 0, "3");
    cancelled.dialog.TypeText(Dialog::IDC_TAG + 1, "ABC");
    cancelled.dialog.OnCancel();
    EXPECT_EQ(firstDifference(cancelled.image, before, 0, IMAGE_SIZE), "");
    OpenedAllocation untouched(before);
    untouched.afterOk();
    EXPECT_EQ(firstDifference(untouched.image, before, 0, IMAGE_SIZE), "");
}

TEST(HChannelAllocationDialogTest, OkRecomputesACountTypedWithoutLeavingTheEdit) {
    OpenedAllocation o(imageWithGroups({200, 56}));
    ASSERT_TRUE(o.dialog.TypeText(countId(2), "100"));
    const HChannelData data = o.afterOk();
    EXPECT_EQ(data.groupChannelCount(2), 0);
    EXPECT_EQ(data.channelsLeft(), 0);
}

TEST(HChannelAllocationDialogTest, TagsAreEditedWithoutTheirPaddingAndStoredPadded) {
    struct Case {
        const char* stored;
        const char* shown;
        const char* typed; // nullptr: left as it is
        const char* after;
    };
    const Case cases[] = {
        {"FIRE    ", "FIRE", "FIRE2", "FIRE2   "},
        {"        ", "", "A", "A       "},
        {"A B     ", "A B", nullptr, "A B     "},
        {"ABCDEFGH", "ABCDEFGH", nullptr, "ABCDEFGH"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        RadioImage image = imageWithGroups({10, 20});
        HChannelData data = dataOf(image);
        data.groups().setTag(1, c.stored);
        data.store(image);
        OpenedAllocation o(image);
        EXPECT_EQ(o.dialog.GetControl(Dialog::IDC_TAG + 1)->text, c.shown);
        if (c.typed != nullptr) {
            ASSERT_TRUE(o.dialog.TypeText(Dialog::IDC_TAG + 1, c.typed));
        }
        EXPECT_EQ(o.afterOk().groups().tag(1), c.after);
    }
}

} // namespace
} // namespace kq70::test
