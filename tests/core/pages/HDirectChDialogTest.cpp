#include "pages/HDirectChDialog.h"

#include "app/AccessMode.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using P = HDirectChParams;

TEST(HDirectChDialogTest, ChannelNumbersAreStoredAsTyped) {
    struct Case {
        const char* typed;
        std::uint8_t stored;
    };
    // One byte holds no 256: the edit stops at 255 rather than wrap to 0.
    const Case cases[] = {{"1", 1}, {"12", 12}, {"255", 255}, {"256", 255}, {"0", 1}};
    for (const Case& c : cases) {
        RadioImage image;
        image.setBe16(0x0279, 0xA305); // group 3 in the low nibble, channel 5
        image.setBe16(0x027B, 0x0C40);
        HDirectChDialog page(image, ACCESS_NORMAL);
        page.OnInitDialog();
        EXPECT_EQ(page.shownValue(HDirectChDialog::controlId(0)), "5");
        EXPECT_EQ(page.shownValue(HDirectChDialog::controlId(1)), "64");
        ASSERT_TRUE(page.typeText(HDirectChDialog::controlId(1), c.typed));
        ASSERT_TRUE(page.OnOK());
        EXPECT_EQ(image.byteAt(0x027C), c.stored) << c.typed;
        EXPECT_EQ(image.byteAt(0x027B), 0x0C) << "the group is kept";
        EXPECT_EQ(image.be16(0x0279), 0xA305) << "the untouched record is kept";
    }
}

TEST(HDirectChDialogTest, RecordsAndPrompts) {
    RadioImage image;
    image.setBe16(0x0279, 0x0F02);
    image.setBe16(0x027B, 0x0107);
    HDirectChParams params;
    params.extract(image);
    EXPECT_EQ(params.get(P::groupIndex(0)), 15);
    EXPECT_EQ(params.get(P::channelIndex(0)), 2);
    EXPECT_EQ(params.get(P::GROUP_2), 1);
    EXPECT_EQ(params.get(P::CHANNEL_2), 7);

    HDirectChDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    page.setFocus(HDirectChDialog::controlId(1));
    EXPECT_EQ(page.promptLine().first, "Direct CH No#2(1 - 256)");
    EXPECT_EQ(page.promptLine().second, "<ENTER>");
    // Letters are dropped as typed; an empty edit names no channel and keeps the record.
    ASSERT_TRUE(page.typeText(HDirectChDialog::controlId(0), "x"));
    EXPECT_EQ(page.shownValue(HDirectChDialog::controlId(0)), "");
    const RadioImage before = image;
    ASSERT_TRUE(page.OnOK());
    EXPECT_TRUE(image == before);
}

} // namespace
} // namespace kq70
