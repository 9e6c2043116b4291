#include "pages/HScanningDialog.h"
#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"

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

D::ChannelsInUse channelsInUse(const RadioImage& image) {
    HChannelData channels;
    channels.extract(image);
    return channels.firstSixteenInUse();
}

TEST(HScanningDialogTest, PriorityCheckEnableSetsBitsThreeAndFour) {
    RadioImage image = radioImage(2);
    image.setByte(0x0206, 0x20); // bit 5 set, Dual Watch Timer 0
    D page(image, ACCESS_NORMAL, channelsInUse(image));
    page.OnInitDialog();
    EXPECT_FALSE(page.GetControl(D::IDC_PRIORITY_CH)->enabled);
    ASSERT_TRUE(page.SelectItemValue(D::IDC_PRIORITY_CHECK, PRIORITY_CHECK_ENABLE));
    EXPECT_TRUE(page.GetControl(D::IDC_PRIORITY_CH)->enabled) << "enabled at once";
    ASSERT_TRUE(page.SelectItemValue(D::IDC_PRIORITY_CH, 3));
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(image.byteAt(0x0206) & 0x38, 0x18);
    EXPECT_EQ(image.byteAt(0x0263), 3);
    HChannelData channels;
    channels.extract(image);
    EXPECT_EQ(channels.getGlobal(GLOBAL_PRIORITY_SET), 1) << "the channel data sees it too";

    D off(image, ACCESS_NORMAL, channelsInUse(image));
    off.OnInitDialog();
    ASSERT_TRUE(off.SelectItemValue(D::IDC_PRIORITY_CHECK, 0));
    ASSERT_TRUE(off.OnOK());
    EXPECT_EQ(image.byteAt(0x0206) & 0x38, 0x00);
}

TEST(HScanningDialogTest, PriorityListOffersProgrammedChannelsOnly) {
    struct Case {
        int stored;
        const char* shown;
    };
    const Case cases[] = {{2, "CH3"}, {6, "CH1"}, {20, "CH1"}};
    for (const Case& c : cases) {
        RadioImage image = radioImage(c.stored);
        D page(image, ACCESS_NORMAL, channelsInUse(image));
        page.OnInitDialog();
        const auto& items = page.GetControl(D::IDC_PRIORITY_CH)->items;
        ASSERT_EQ(items.size(), 4u);
        EXPECT_EQ(items.back().text, "CH4");
        EXPECT_EQ(page.GetShownValue(D::IDC_PRIORITY_CH), c.shown) << c.stored;
    }
}

TEST(HScanningDialogTest, VisibleControlsByAccessMode) {
    for (const int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE, ACCESS_ADJUSTMENT, ACCESS_E_MODE}) {
        RadioImage image = radioImage(0);
        D page(image, mode, channelsInUse(image));
        page.OnInitDialog();
        std::vector<int> visible;
        for (const PageControl& c : page.GetControls()) {
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
    HHardwareParams hw;
    hw.extract(image);
    hw.set(HW_RADIO_CHANNEL, 4);
    hw.store(image);
    D page(image, ACCESS_NORMAL, channelsInUse(image));
    page.OnInitDialog();
    EXPECT_EQ(page.GetListingLines()[SCAN_GROUP_SCAN],
              HDialog::ListingLine23("Group Scan", "Group Only"));
}

} // namespace
} // namespace kq70
