#include "pages/HPowerSaveDialog.h"

#include "app/AccessMode.h"
#include "fields/RadioCharacterCode.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using P = HPowerSaveParams;

RadioImage defaultImage() {
    RadioImage image;
    HPowerSaveParams().store(image);
    return image;
}

TEST(HPowerSaveDialogTest, ValuesAreReadFromTheirBits) {
    RadioImage image;
    image.setByte(0x0203, 0b1'011'10'11); // KeyPad bit 7 belongs to the hardware page
    image.setByte(0x0204, 0b1001'1'110);
    image.setByte(0x0265, 0b1'0'11'0101); // the option unit in bits 3-0
    image.setByte(0x0207, 0b10'1'00000);
    HPowerSaveDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    const std::pair<std::size_t, const char*> shown[] = {
        {P::TRANSMIT_TIMER, "3   min"},
        {P::PENALTY_TIMER, "20 sec"},
        {P::RELEASE_TIMER, "5 sec"},
        {P::POWER_SAVE_MODE, "1 : 3.5"},
        {P::LCD_LIGHTING_MODE, "Key ON 5sec"},
        {P::LOW_BATTERY_ALERT, "Enable "},
        {P::TX_LOW_BATTERY_ALERT, "Disable"},
        {P::LOW_BATTERY_ALERT_INTERVAL, "10sec"},
        {P::MIC_GAIN, "-6dB"},
    };
    for (const auto& [index, text] : shown) {
        EXPECT_EQ(page.shownValue(HPowerSaveDialog::controlId(index)), text) << index;
    }
    const RadioImage before = image;
    ASSERT_TRUE(page.selectItemValue(HPowerSaveDialog::controlId(P::TRANSMIT_TIMER), 0));
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(image.byteAt(0x0203), 0b1'000'10'11) << "only bits 6-4 change";
    for (const std::size_t offset : {0x0204, 0x0265, 0x0207}) {
        EXPECT_EQ(image.byteAt(offset), before.byteAt(offset)) << offset;
    }
}

TEST(HPowerSaveDialogTest, PowerOnTagIsTypedInCapitals) {
    RadioImage image = defaultImage();
    HPowerSaveDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    const int tag = HPowerSaveDialog::controlId(P::POWER_ON_TAG);
    EXPECT_EQ(page.shownValue(tag), "SELFTEST");
    ASSERT_TRUE(page.typeText(tag, "ab c"));
    EXPECT_EQ(page.shownValue(tag), "AB C");
    ASSERT_TRUE(page.OnOK());
    HPowerSaveParams back;
    back.extract(image);
    EXPECT_EQ(back.getText(P::POWER_ON_TAG), "AB C    ");
    EXPECT_EQ(image.byteAt(0x027D), RadioCharacterCode::encode('A'));
    EXPECT_EQ(image.byteAt(0x0284), RadioCharacterCode::SPACE);
    EXPECT_EQ(image.byteAt(0x0285), 0) << "nothing beyond the eight characters";
}

TEST(HPowerSaveDialogTest, PromptLinesAndListing) {
    RadioImage image = defaultImage();
    HPowerSaveDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    page.setFocus(HPowerSaveDialog::controlId(P::POWER_ON_TAG));
    EXPECT_EQ(page.promptLine().first, "Edit Power-ON Alpha Tag display Max 8 Letters");
    EXPECT_EQ(page.promptLine().second, "<ENTER>");
    page.setFocus(HPowerSaveDialog::controlId(P::LOW_BATTERY_ALERT)); // has no prompt
    EXPECT_EQ(page.promptLine().second, "<ENTER>");
    page.setFocus(HPowerSaveDialog::controlId(P::TRANSMIT_TIMER));
    EXPECT_EQ(page.promptLine().first, "Transmit Timer (0.5/1 - 7 min)");

    const auto lines = page.listingLines();
    ASSERT_EQ(lines.size(), P::VALUE_COUNT);
    EXPECT_EQ(lines[P::TRANSMIT_TIMER], HDialog::listingLine23("Transmit Timer", "1   min"));
    EXPECT_EQ(lines[P::POWER_ON_TAG], HDialog::listingLine23("Power-ON Alpha Tag", "SELFTEST"));
}

} // namespace
} // namespace kq70
