#include "frame/AdjustmentUnlock.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "frame/CMainFrame.h"
#include "frame/MainMenuModel.h"
#include "support/ChannelViewHarness.h"
#include "support/CountingWindow.h"

#include <gtest/gtest.h>

namespace kq70::test {
namespace {

// The unlock changes the run's one access mode; the view reads it and the frame follows it,
// so nothing is copied by hand.
TEST(AdjustmentUnlockTest, OnlyTheKeywordInNormalModeUnlocksAndEverythingFollows) {
    struct Case {
        int startMode;
        std::optional<std::string> entry; // nothing: no password asked, or Cancel
        bool asked;
        bool unlocked;
    };
    const Case cases[] = {
        {ACCESS_NORMAL, "mUl-PeK", true, true},
        {ACCESS_NORMAL, std::nullopt, true, false},
        {ACCESS_MANUFACTURE, std::nullopt, false, false},
        {ACCESS_ADJUSTMENT, std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.startMode * 100 + (c.entry ? static_cast<int>(c.entry->size()) : 0));
        ChannelViewHarness h(pmrImage());
        CKQ70View& view = h.open(c.startMode);
        CKQ70Doc doc;
        doc.GetMainMemory() = pmrImage();
        CountingWindow window;
        const CMainFrame frame(doc, h.mode, window);
        const bool alignmentBefore = frame.menus().Has(ID_RADIO_ALIGNMENT);
        if (c.asked) {
            h.prompt.expectPassword(c.entry);
        }

        EXPECT_EQ(AdjustmentUnlock::Run(h.mode, h.prompt), c.unlocked);

        const int expected = c.unlocked ? ACCESS_ADJUSTMENT : c.startMode;
        EXPECT_EQ(h.mode.value(), expected);
        EXPECT_EQ(view.GetAccessMode(), expected);
        EXPECT_EQ(window.menus, c.unlocked ? 1 : 0);
        EXPECT_EQ(window.titles, c.unlocked ? 1 : 0);
        if (c.unlocked) {
            EXPECT_EQ(frame.modeTitle(), "KQ70 for QM-724 PMR446(A)");
            EXPECT_FALSE(alignmentBefore);
            EXPECT_TRUE(frame.menus().Has(ID_RADIO_ALIGNMENT));
            // Once unlocked, Shift+F10 asks for nothing more.
            EXPECT_EQ(view.OnShiftF10(), CKQ70View::FrameRequest::None);
        } else {
            EXPECT_EQ(frame.menus().Has(ID_RADIO_ALIGNMENT), alignmentBefore);
        }
    }
}

} // namespace
} // namespace kq70::test
