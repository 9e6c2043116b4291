#include "pages/HDirectChDialog.h"

#include "app/AccessMode.h"
#include "image/RadioImage.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using P = HDirectChParams;

TEST(HDirectChDialogTest, ChannelNumbersOneToTwoFiftySixFillTheByte) {
    struct Case {
        const char* typed;
        int stored; // -1: refused with the prompt's range, the page stays open
    };
    const Case cases[] = {{"1", 0x00}, {"12", 0x0B}, {"255", 0xFE}, {"256", 0xFF},
                          {"0", -1},   {"257", -1},  {"300", -1}};
    for (const Case& c : cases) {
        RadioImage image;
        image.setBe16(0x0279, 0xA305); // group 3 in the low nibble, channel 6
        image.setBe16(0x027B, 0x0CFF); // channel 256
        const RadioImage before = image;
        test::ScriptedPrompt prompt;
        HDirectChDialog page(image, ACCESS_NORMAL, &prompt);
        page.OnInitDialog();
        EXPECT_EQ(page.shownValue(HDirectChDialog::controlId(0)), "6");
        EXPECT_EQ(page.shownValue(HDirectChDialog::controlId(1)), "256");
        ASSERT_TRUE(page.typeText(HDirectChDialog::controlId(1), c.typed));
        if (c.stored < 0) {
            prompt.expectMessage("Direct CH No#2: enter a channel number from 1 to 256.");
            EXPECT_FALSE(page.OnOK()) << c.typed;
            EXPECT_TRUE(image == before) << c.typed;
            EXPECT_EQ(page.promptLine().first, "Direct CH No#2(1 - 256)");
            continue;
        }
        ASSERT_TRUE(page.OnOK());
        EXPECT_EQ(image.byteAt(0x027C), c.stored) << c.typed;
        EXPECT_EQ(image.byteAt(0x027B), 0x0C) << "the group is kept";
        EXPECT_EQ(image.be16(0x0279), 0xA305) << "the untouched record is kept";
        // What was stored shows again as typed.
        HDirectChDialog again(image, ACCESS_NORMAL);
        again.OnInitDialog();
        EXPECT_EQ(again.shownValue(HDirectChDialog::controlId(1)), c.typed);
    }
}

TEST(HDirectChDialogTest, RecordsAndPrompts) {
    RadioImage image;
    image.setBe16(0x0279, 0x0F02);
    image.setBe16(0x027B, 0x0107);
    HDirectChParams params;
    params.extract(image);
    EXPECT_EQ(params.get(P::groupIndex(0)), 15);
    EXPECT_EQ(params.get(P::channelIndex(0)), 2); // channel 3
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
