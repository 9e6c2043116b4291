#include "pages/HMarketingDialog.h"

#include "app/AccessMode.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using P = HMarketingParams;

RadioImage sampleImage() {
    RadioImage image;
    HMarketingParams().store(image);
    image.setBe16(0x29EC, 0x0110);
    image.setBe32(0x29EE, 0x2A05C3F1);
    image.setBe32(0x016C, 0x11111111);
    return image;
}

TEST(HMarketingDialogTest, ShowsAndStoresDigitsAndSerialCharacters) {
    RadioImage image = sampleImage();
    HMarketingDialog page(image, ACCESS_MANUFACTURE);
    page.OnInitDialog();
    const int market = HMarketingDialog::GetControlId(P::MARKET_APPLICATION);
    const int serial = HMarketingDialog::GetControlId(P::SERIAL_NUMBER);
    EXPECT_EQ(page.GetShownValue(market), "0100");
    EXPECT_EQ(page.GetShownValue(serial), "2A05C3F1");
    EXPECT_FALSE(page.GetControl(HMarketingDialog::GetControlId(P::FIRMWARE_VERSION))->visible);
    EXPECT_FALSE(page.GetControl(HMarketingDialog::GetControlId(P::EEPROM_SERIAL_NUMBER))->visible);

    ASSERT_TRUE(page.TypeText(market, "12a34"));
    EXPECT_EQ(page.GetShownValue(market), "1234");
    ASSERT_TRUE(page.TypeText(serial, "3b-0c0011zz"));
    EXPECT_EQ(page.GetShownValue(serial), "3B0C0011");
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(image.be16(0x0000), 0x1234);
    EXPECT_EQ(image.be32(0x29EE), 0x3B0C0011u);
    EXPECT_EQ(image.be16(0x29EC), 0x0110) << "the firmware version is the radio's";
    EXPECT_EQ(image.be32(0x016C), 0x11111111u) << "the copy is made before a write";
}

TEST(HMarketingDialogTest, NormalModeShowsTheValuesOnly) {
    RadioImage image = sampleImage();
    const RadioImage before = image;
    HMarketingDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    EXPECT_FALSE(page.TypeText(HMarketingDialog::GetControlId(P::SERIAL_NUMBER), "00000000"));
    EXPECT_FALSE(page.TypeText(HMarketingDialog::GetControlId(P::MARKET_APPLICATION), "9"));
    ASSERT_TRUE(page.OnOK());
    EXPECT_TRUE(image == before);
}

} // namespace
} // namespace kq70
