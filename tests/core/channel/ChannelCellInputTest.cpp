#include "channel/ChannelCellInput.h"
#include "channel/ChannelCellTexts.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(ChannelCellInputTest, TonesReadBackFromTheirCellTexts) {
    struct Case {
        const char* text;
        bool parses;
        int mode;
        std::int32_t code;
        char polarity;
    };
    const Case cases[] = {
        {"-----", true, 0, 0, 'N'},
        {"No.10 (C-67.0)", true, 1, 670, 'N'},
        {"C- (254.1)", true, 1, 2541, 'N'},
        {"No.60 (D-023 B)", true, 2, 19, 'B'},
        {"D- (754) I", true, 2, 0754, 'I'},
        {"C- ( 65.0)", false, 0, 0, 'N'}, // no tone of the table
        {"D- (024) N", false, 0, 0, 'N'},
        {"D- (08", false, 0, 0, 'N'},
        {"C- (6.7.0)", false, 0, 0, 'N'},
        {"67.0", false, 0, 0, 'N'},
    };
    for (const Case& c : cases) {
        const auto tone = ChannelCellInput::parseTone(c.text);
        ASSERT_EQ(tone.has_value(), c.parses) << c.text;
        if (tone) {
            EXPECT_EQ(tone->mode, c.mode) << c.text;
            EXPECT_EQ(tone->code, c.code) << c.text;
            EXPECT_EQ(tone->polarity, c.polarity) << c.text;
        }
    }
    // Every text the grid shows reads back as the tone it shows.
    for (const std::int32_t code : {670, 1000, 2541}) {
        const auto tone =
            ChannelCellInput::parseTone(ChannelCellTexts::encodeToneText(1, code, false));
        ASSERT_TRUE(tone);
        EXPECT_EQ(tone->code, code);
    }
}

TEST(ChannelCellInputTest, PastedTextKeepsWhatTheColumnAccepts) {
    struct Case {
        int column;
        const char* pasted;
        const char* kept;
    };
    const Case cases[] = {
        {COL_RX_FREQUENCY, "446.00625", "446.00625"},
        {COL_RX_FREQUENCY, "CH3 (446.03125)", "446.03125"},
        {COL_TX_FREQUENCY, " 446.1 MHz\t x", "446.1"},
        {COL_TAG, "fire-1;\"x\"", "FIRE-1X"},
        {COL_DECODE, "No.10 (C-67.0)\r\n", "No.10 (C-67.0)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChannelCellInput::pasteText(c.column, c.pasted), c.kept) << c.pasted;
    }
    EXPECT_EQ(ChannelCellInput::paddedTag("AB"), "AB      ");
    EXPECT_EQ(ChannelCellInput::paddedTag("ABCDEFGHIJ"), "ABCDEFGH");
    EXPECT_FALSE(ChannelCellInput::parseDecimal("."));
    EXPECT_FALSE(ChannelCellInput::parseDecimal(""));
    EXPECT_DOUBLE_EQ(*ChannelCellInput::parseDecimal("446."), 446.0);
}

} // namespace
} // namespace kq70
