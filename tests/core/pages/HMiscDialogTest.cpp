#include "pages/HMiscDialog.h"

#include "app/AccessMode.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

RadioImage defaultImage() {
    RadioImage image;
    HMiscParams().store(image);
    return image;
}

// An unlisted option unit shows "None" and stores 0 once "None" is picked (that OK alone keeps
// it is in the common pages' round trip).
TEST(HMiscDialogTest, UnlistedOptionUnitShowsNoneAndIsReplacedWhenPicked) {
    RadioImage image = defaultImage();
    image.setByte(0x0265, 0xB1);
    HMiscDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    const int option = HMiscDialog::GetControlId(HMiscParams::OPTION_UNIT);
    EXPECT_EQ(page.GetShownValue(option), "None");
    ASSERT_TRUE(page.SelectItemValue(option, 0));
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(image.byteAt(0x0265), 0xB0) << "the power saving bits stay";
}

TEST(HMiscDialogTest, DefaultSplitIsEditedInMegahertz) {
    struct Case {
        std::int32_t stored;
        const char* shown;
        const char* typed; // nullptr: OK without touching the edit
        std::int32_t afterOk;
    };
    const Case cases[] = {
        {-600000, "-0.6", nullptr, -600000},
        {1234567, "1.2 ", nullptr, 1234567}, // kept to the hertz when not edited
        {0, "0.0 ", "12.5", 12500000},
        {0, "0.0 ", "-5", -5000000},
        {0, "0.0 ", "150", 99900000},
        {0, "0.0 ", "-150", -99900000},
    };
    for (const Case& c : cases) {
        RadioImage image = defaultImage();
        image.setBe32(0x2A00, static_cast<std::uint32_t>(c.stored));
        HMiscDialog page(image, ACCESS_NORMAL);
        page.OnInitDialog();
        const int split = HMiscDialog::GetControlId(HMiscParams::DEFAULT_SPLIT);
        EXPECT_EQ(page.GetShownValue(split), c.shown) << c.stored;
        if (c.typed != nullptr) {
            ASSERT_TRUE(page.TypeText(split, c.typed));
        }
        ASSERT_TRUE(page.OnOK());
        EXPECT_EQ(static_cast<std::int32_t>(image.be32(0x2A00)), c.afterOk)
            << (c.typed != nullptr ? c.typed : "untouched");
    }
}

} // namespace
} // namespace kq70
