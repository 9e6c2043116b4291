#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <string_view>

namespace kq70 {
namespace {

// Texts whose bytes are easy to get wrong: double blanks, CR LF pairs, trailing blanks, the
// blank before '?', and the titles that differ by one blank.  The length is checked too, so
// a lost or doubled blank cannot hide behind a look-alike.
TEST(StringsTest, TextsAreExactToTheByte) {
    struct Case {
        int id;
        std::string_view text;
        std::size_t length;
    };
    const Case cases[] = {
        {32, "Problem opening file\r\nFile Name = %1", 36},
        {33, "Problem writing to file", 23},
        {34, "Problem reading from file\r\nFile Name = %1", 41},
        {35, "Problem opening file\r\n%1", 24},
        {36, "Do  you want to write default file?", 35},
        {37, "The File cannot be Opened.\r\nThe File's format is invalid or not Supported", 73},
        {49, "The File's attribute is Read_Only.\r\nFile Name = %1", 50},
        {119, "Hardware Data mismatched! ", 26},
        {120, "1.01", 4},
        {123, "Password mismatched! ", 21},
        {125, "It failed in initial processing. ", 33},
        {126, "It failed in the change processing. \n", 37},
        {128, "KQ70 for QM-724 PMR446", 22},
        {129, "Change Channel Erro!", 20},
        {130, "KQ70 for QM-724PMR446(M)", 24},
        {115, "Alingnment Error", 16},
        {145,
         "It failed in downloading for adjustment data file.\r\n"
         "Please Switch  radio OFF,then back ON to start downloading former data.",
         123},
        {146, "Do you want to save changes ?", 29},
        {156, "KQ70 for QM-724 PMR446(A)", 25},
        {157, "KQ70 for QM-724 PMR446(E)", 25},
        {1022, "KQ70 Ver%1", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(Strings::get(c.id), c.text);
        EXPECT_EQ(Strings::get(c.id).size(), c.length);
        EXPECT_TRUE(Strings::has(c.id));
    }
}

// Message texts with a second line break it with the two control characters CR LF, never
// with a written backslash or a bare LF.
TEST(StringsTest, TwoLineMessagesUseCrLf) {
    for (int id : {32, 34, 35, 37, 49, 133, 137, 138, 139, 142, 145}) {
        SCOPED_TRACE(id);
        const std::string_view text = Strings::get(id);
        const std::size_t cr = text.find('\r');
        ASSERT_NE(cr, std::string_view::npos);
        EXPECT_EQ(text.substr(cr, 2), "\r\n");
        EXPECT_EQ(text.find('\\'), std::string_view::npos);
        EXPECT_EQ(text.find('\n'), cr + 1);
    }
}

TEST(StringsTest, ManufactureModeWarningIsPresent) {
    const std::string_view text = Strings::get(IDS_MANUFACTURE_MODE_WARNING);
    EXPECT_NE(text.find("damage"), std::string_view::npos);
    EXPECT_NE(text.find("responsibility"), std::string_view::npos);
}

// Each control of a prompt-line range has its own id; a gap would leave the prompt line
// showing the previous control's text.
TEST(StringsTest, PromptRangesAreCompleteAndTwoPaned) {
    struct Range {
        int first;
        int last;
        std::string_view secondPane;
    };
    const Range ranges[] = {
        {IDS_PROMPT_KEY_FUNCTION_FIRST, IDS_PROMPT_KEY_FUNCTION_LAST, "<SELECT>"},
        {IDS_PROMPT_GROUP_COUNT_FIRST, IDS_PROMPT_GROUP_COUNT_LAST, "<ENTER>"},
        {IDS_PROMPT_GROUP_TAG_FIRST, IDS_PROMPT_GROUP_TAG_LAST, "<ENTER>"},
        {IDS_PROMPT_GROUP_SCAN_FIRST, IDS_PROMPT_GROUP_SCAN_LAST, "<SELECT>"},
    };
    for (const Range& r : ranges) {
        for (int id = r.first; id <= r.last; ++id) {
            SCOPED_TRACE(id);
            const std::string_view text = Strings::get(id);
            const std::size_t lf = text.find('\n');
            ASSERT_NE(lf, std::string_view::npos);
            EXPECT_GT(lf, 0U);
            EXPECT_EQ(text.substr(lf + 1), r.secondPane);
        }
    }
    EXPECT_EQ(Strings::get(2220), "Specify [SIDE1] Key Press Function\n<SELECT>");
    EXPECT_EQ(Strings::get(2225), "Specify [D] Key Press Function\n<SELECT>");
    EXPECT_EQ(Strings::get(2226), "Specify [SIDE1] Key Press & Hold Function\n<SELECT>");
    EXPECT_EQ(Strings::get(2231), "Specify [D] Key Press & Hold Function\n<SELECT>");
    EXPECT_EQ(Strings::get(2616), "Edit Channel Number(1 - 255)\n<ENTER>");
    EXPECT_EQ(Strings::get(2617), "Edit Group Alpha Tag Max 8 Letters\n<ENTER>");
    EXPECT_EQ(Strings::get(2666), "Group Scan(None/SCAN)\n<SELECT>");
}

// Ids next to real ones, the extremes of int and the gaps between ranges find nothing.
TEST(StringsTest, UnknownIdsGiveEmptyText) {
    for (int id : {INT_MIN, -1, 0, 1, 31, 38, 131, 147, 1021, 1023, 2219, 2232, 2600, 2633, 2650,
                   2667, 57600, INT_MAX}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Strings::has(id));
        EXPECT_TRUE(Strings::get(id).empty());
    }
}

// The table holds every id the program uses and no stray ones: 34 single texts and the 60
// prompt lines.  Walking all ids also runs the lookup across the whole table, so an unsorted
// table would lose entries here.
TEST(StringsTest, TableHoldsExactlyTheKnownIds) {
    int count = 0;
    for (int id = -10; id <= 70000; ++id) {
        if (Strings::has(id)) {
            ++count;
            EXPECT_FALSE(Strings::get(id).empty()) << id;
        }
    }
    EXPECT_EQ(count, 94);
}

// Texts without an id that are easy to get wrong by a blank.
TEST(StringsTest, NamedTextsKeepTheirBlanks) {
    struct Case {
        std::string_view text;
        std::string_view expected;
    };
    const Case cases[] = {
        {text::STATUS_HELP_WITH_GROUPS,
         "F1 for Help   F2 for Next Group  F3 for DCS Complement   F10 for Menus"},
        {text::STATUS_HELP, "F1 for Help   F3 for DCS Complement   F10 for Menus"},
        {text::OUT_OF_RANGE_CONTINUE, "Out of Frequency range!\r\nDo you continue downloading?"},
        {text::PROMPT_GROUP_SCAN, "Group Scan(Group Only/Select Group) \n<SELECT>"},
        {text::PROMPT_SCAN_BEEP,
         "Beep when Radio enters into scan mode(Disable/Enable) \n<SELECT>"},
        {text::MARKET_APPLICATION, "Market Application  Max 4 Letters (0 - 9)"},
        {text::GRID_HEADER_TOP[8], " Power"},
        {text::GROUP_LABELS[9], "Grp 10(&A)"},
        {text::GROUP_LABELS[15], "Grp 16(&0)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text, c.expected);
    }
}

// Each printed channel header line is exactly as wide as the rule under it, so the columns
// of the channel rows line up with the header words.
TEST(StringsTest, PrintedChannelHeadersMatchTheirRules) {
    struct Header {
        std::string_view line1;
        std::string_view line2;
        std::size_t rule;
    };
    const Header headers[] = {
        {text::PRINT_HEADER_USER_ENCR_1, text::PRINT_HEADER_USER_ENCR_2, 84},
        {text::PRINT_HEADER_USER_1, text::PRINT_HEADER_USER_2, 73},
        {text::PRINT_HEADER_SERVICE_ENCR_1, text::PRINT_HEADER_SERVICE_ENCR_2, 85},
        {text::PRINT_HEADER_SERVICE_1, text::PRINT_HEADER_SERVICE_2, 74},
    };
    for (const Header& h : headers) {
        EXPECT_EQ(h.line1.size(), h.rule);
        EXPECT_EQ(h.line2.size(), h.rule);
    }
}

} // namespace
} // namespace kq70
