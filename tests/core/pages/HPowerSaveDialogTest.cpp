#include "pages/HPowerSaveDialog.h"

#include "app/AccessMode.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

RadioImage defaultImage() {
    RadioImage image;
    HPowerSaveParams().store(image);
    return image;
}

TEST(HPowerSaveDialogTest, PowerOnTagIsTypedInCapitals) {
    RadioImage image = defaultImage();
    HPowerSaveDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    const int tag = HPowerSaveDialog::GetControlId(HPowerSaveParams::POWER_ON_TAG);
    EXPECT_EQ(page.GetShownValue(tag), "SELFTEST");
    ASSERT_TRUE(page.TypeText(tag, "ab c"));
    EXPECT_EQ(page.GetShownValue(tag), "AB C");
    ASSERT_TRUE(page.OnOK());
    HPowerSaveParams back;
    back.extract(image);
    EXPECT_EQ(back.getText(HPowerSaveParams::POWER_ON_TAG), "AB C    ");
    EXPECT_EQ(image.byteAt(0x0285), 0) << "nothing beyond the eight characters";
}

} // namespace
} // namespace kq70
