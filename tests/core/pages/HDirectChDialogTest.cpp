#include "pages/HDirectChDialog.h"

#include "app/AccessMode.h"
#include "image/RadioImage.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(HDirectChDialogTest, ChannelNumbersAreStoredAsTypedOrRefused) {
    struct Case {
        const char* typed;
        int stored;          // -1: refused, the page stays open
        const char* message; // the refusal
    };
    const char* outOfRange = "Direct CH No#2: enter a channel number from 1 to 256.";
    const char* notStorable =
        "Direct CH No#2: channel 256 cannot be a direct channel; enter a number from 1 to 255.";
    const Case cases[] = {{"1", 1, nullptr},        {"12", 12, nullptr},   {"255", 255, nullptr},
                          {"256", -1, notStorable}, {"0", -1, outOfRange}, {"257", -1, outOfRange},
                          {"300", -1, outOfRange}};
    for (const Case& c : cases) {
        RadioImage image;
        image.setBe16(0x0279, 0xA305); // group 3 in the low nibble, channel 5
        image.setBe16(0x027B, 0x0CFF); // channel 255
        const RadioImage before = image;
        test::ScriptedPrompt prompt;
        HDirectChDialog page(image, ACCESS_NORMAL, &prompt);
        page.OnInitDialog();
        ASSERT_TRUE(page.TypeText(HDirectChDialog::GetControlId(1), c.typed));
        if (c.stored < 0) {
            prompt.expectMessage(c.message);
            EXPECT_FALSE(page.OnOK()) << c.typed;
            EXPECT_TRUE(image == before) << c.typed;
            continue;
        }
        ASSERT_TRUE(page.OnOK());
        EXPECT_EQ(image.be16(0x027B), 0x0C00 | c.stored) << c.typed << ", the group kept";
        EXPECT_EQ(image.be16(0x0279), 0xA305) << "the untouched record is kept";
        // What was stored shows again as typed.
        HDirectChDialog again(image, ACCESS_NORMAL);
        again.OnInitDialog();
        EXPECT_EQ(again.GetShownValue(HDirectChDialog::GetControlId(1)), c.typed);
    }
}

TEST(HDirectChDialogTest, RecordsReadAndAnEmptyEditKeepsTheRecord) {
    RadioImage image;
    image.setBe16(0x0279, 0x0F02);
    image.setBe16(0x027B, 0x0107);
    HDirectChParams params;
    params.extract(image);
    EXPECT_EQ(params.get(HDirectChParams::groupIndex(0)), 15);
    EXPECT_EQ(params.get(HDirectChParams::channelIndex(0)), 2);
    EXPECT_EQ(params.get(HDirectChParams::GROUP_2), 1);
    EXPECT_EQ(params.get(HDirectChParams::CHANNEL_2), 7);

    HDirectChDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    // Letters are dropped as typed; an empty edit names no channel and keeps the record.
    ASSERT_TRUE(page.TypeText(HDirectChDialog::GetControlId(0), "x"));
    EXPECT_EQ(page.GetShownValue(HDirectChDialog::GetControlId(0)), "");
    const RadioImage before = image;
    ASSERT_TRUE(page.OnOK());
    EXPECT_TRUE(image == before);
}

} // namespace
} // namespace kq70
