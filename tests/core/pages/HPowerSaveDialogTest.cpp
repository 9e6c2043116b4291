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
