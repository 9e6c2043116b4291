#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <string_view>

namespace kq70 {
namespace {

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
}

// Ids next to real ones, the extremes of int and the gaps between ranges find nothing.
TEST(StringsTest, UnknownIdsGiveEmptyText) {
    for (int id : {INT_MIN, -1, 0, 31, 38, 2600, 2633, INT_MAX}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Strings::has(id));
        EXPECT_TRUE(Strings::get(id).empty());
    }
}

} // namespace
} // namespace kq70
