#include "app/WindowTitles.h"
#include "app/AccessMode.h"
#include "app/Passwords.h"
#include "support/ScriptedPrompt.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;

TEST(WindowTitlesTest, TitlesCarryTwoRunsOf113Blanks) {
    const std::string blanks(226, ' ');
    EXPECT_EQ(frameTitleForMode(ACCESS_NORMAL), "KQ70 for QM-724 PMR446" + blanks);
    EXPECT_EQ(frameTitleForMode(ACCESS_MANUFACTURE), "KQ70 for QM-724PMR446(M)" + blanks);
    EXPECT_EQ(frameTitleForMode(ACCESS_ADJUSTMENT), "KQ70 for QM-724 PMR446(A)" + blanks);
    EXPECT_EQ(frameTitleForMode(ACCESS_E_MODE), "KQ70 for QM-724 PMR446(E)" + blanks);
    EXPECT_EQ(captionAfterAdjustmentUnlock("radio.k70 - KQ70 for QM-724 PMR446  "),
              "radio.k70 - KQ70 for QM-724 PMR446(A)");
    EXPECT_EQ(captionAfterAdjustmentUnlock("a - b - c"), "a - KQ70 for QM-724 PMR446(A)");
    EXPECT_EQ(captionAfterAdjustmentUnlock("untitled"), "KQ70 for QM-724 PMR446(A)");
}

} // namespace
} // namespace kq70
