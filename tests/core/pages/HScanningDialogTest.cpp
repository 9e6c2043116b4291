#include "pages/HScanningDialog.h"
#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using D = HScanningDialog;

// A 16-channel radio with channels 1–4 programmed.
RadioImage radioImage(int priorityChannel) {
    RadioImage image;
    HHardwareParams().store(image);
    HScanParams().store(image);
    HChannelData channels;
    channels.extract(image);
    for (int k = 0; k < 4; ++k) {
        channels.setValue(k, inUse, 1);
        channels.setValue(k, rxFrequency, 446006250 + 12500 * k);
        channels.setValue(k, txFrequency, 446006250 + 12500 * k);
    }
    channels.store(image);
    image.setByte(0x0263, static_cast<std::uint8_t>(priorityChannel));
    return image;
}

HChannelData channelsOf(const RadioImage& image) {
    HChannelData channels;
    channels.extract(image);
    return channels;
}

struct OpenedScanPage {
    explicit OpenedScanPage(const RadioImage& start, int mode = ACCESS_NORMAL)
        : image(start), page(image, mode, channelsOf(image).firstSixteenInUse()) {
        page.OnInitDialog();
    }
    RadioImage image;
    D page;
};

TEST(HScanningDialogTest, PriorityCheckEnableSetsBitsThreeAndFour) {
    RadioImage image = radioImage(2);
    image.setByte(0x0206, 0x20); // bit 5 set, Dual Watch Timer 0
    OpenedScanPage on(image);
    EXPECT_FALSE(on.page.GetControl(D::IDC_PRIORITY_CH)->enabled);
    ASSERT_TRUE(on.page.SelectItemValue(D::IDC_PRIORITY_CHECK, PRIORITY_CHECK_ENABLE));
    EXPECT_TRUE(on.page.GetControl(D::IDC_PRIORITY_CH)->enabled) << "enabled at once";
    ASSERT_TRUE(on.page.SelectItemValue(D::IDC_PRIORITY_CH, 3));
    ASSERT_TRUE(on.page.OnOK());
    EXPECT_EQ(on.image.byteAt(0x0206) & 0x38, 0x18);
    EXPECT_EQ(on.image.byteAt(0x0263), 3);
    EXPECT_EQ(channelsOf(on.image).getGlobal(GLOBAL_PRIORITY_SET), 1)
        << "the channel data sees it too";

    OpenedScanPage off(on.image);
    ASSERT_TRUE(off.page.SelectItemValue(D::IDC_PRIORITY_CHECK, 0));
    ASSERT_TRUE(off.page.OnOK());
    EXPECT_EQ(off.image.byteAt(0x0206) & 0x38, 0x00);
}

TEST(HScanningDialogTest, PriorityListOffersProgrammedChannelsOnly) {
    for (const auto& [stored, shown] : {std::pair{2, "CH3"}, {6, "CH1"}, {20, "CH1"}}) {
        OpenedScanPage o(radioImage(stored));
        const auto& items = o.page.GetControl(D::IDC_PRIORITY_CH)->items;
        ASSERT_EQ(items.size(), 4u);
        EXPECT_EQ(items.back().text, "CH4");
        EXPECT_EQ(o.page.GetShownValue(D::IDC_PRIORITY_CH), shown) << stored;
    }
}

TEST(HScanningDialogTest, VisibleControlsByAccessMode) {
    for (const int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE, ACCESS_ADJUSTMENT, ACCESS_E_MODE}) {
        OpenedScanPage o(radioImage(0), mode);
        std::vector<int> visible;
        for (const PageControl& c : o.page.GetControls()) {
            if (c.visible) {
                visible.push_back(c.id);
            }
        }
        std::vector<int> expected{D::IDC_PRIORITY_CHECK, D::IDC_PRIORITY_CH, D::IDC_SCAN_BEEP,
                                  D::IDC_POWER_ON_SCAN};
        if (mode == ACCESS_MANUFACTURE) {
            expected.insert(expected.begin(), {D::IDC_RESUME_TIME_RX, D::IDC_RESUME_TIME_TX});
        }
        EXPECT_EQ(visible, expected) << "mode " << mode;
    }
}

// A radio without groups lists no Group Scan line: the printed page's golden lines.
TEST(HScanningDialogTest, GroupScanListingNeedsGroups) {
    RadioImage image = radioImage(0);
    test::setHardwareValue(image, HW_RADIO_CHANNEL, 4);
    OpenedScanPage o(image);
    EXPECT_EQ(o.page.GetListingLines()[SCAN_GROUP_SCAN],
              HDialog::ListingLine23("Group Scan", "Group Only"));
}

} // namespace
} // namespace kq70
