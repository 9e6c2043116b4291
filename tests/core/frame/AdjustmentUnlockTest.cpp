#include "frame/AdjustmentUnlock.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "frame/CommonCommands.h"
#include "frame/DocumentListener.h"
#include "frame/MainMenuModel.h"
#include "support/ChannelViewHarness.h"

#include <gtest/gtest.h>

namespace kq70::test {
namespace {

struct Frame : DocumentListener {
    std::vector<std::string> titles;
    int radioMenus = 0;
    void titleChanged(const std::string& title) override { titles.push_back(title); }
    void radioMenusChanged() override { ++radioMenus; }
};

TEST(AdjustmentUnlockTest, OnlyTheKeywordInNormalModeUnlocks) {
    struct Case {
        int startMode;
        std::optional<std::string> entry; // nothing: no password asked, or Cancel
        bool asked;
        bool unlocked;
    };
    const Case cases[] = {
        {ACCESS_NORMAL, "mUl-PeK", true, true},
        {ACCESS_NORMAL, "MUL-PEKX", true, true}, // what follows the keyword is not looked at
        {ACCESS_NORMAL, "MUL PEK", true, false},
        {ACCESS_NORMAL, std::nullopt, true, false},
        {ACCESS_MANUFACTURE, std::nullopt, false, false},
        {ACCESS_E_MODE, std::nullopt, false, false},
        {ACCESS_ADJUSTMENT, std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.startMode * 100 + (c.entry ? static_cast<int>(c.entry->size()) : 0));
        ChannelViewHarness h(pmrImage());
        CKQ70View& view = h.open(c.startMode);
        CKQ70Doc doc;
        Frame frame;
        MainMenuModel menus(c.startMode);
        CommonCommands common(doc, c.startMode, h.prompt, frame, menus);
        AccessMode mode(c.startMode);
        if (c.asked) {
            h.prompt.expectPassword(c.entry);
        }
        EXPECT_EQ(AdjustmentUnlock::Run(mode, h.prompt, view, common, frame), c.unlocked);
        EXPECT_TRUE(h.prompt.finished());
        const int expected = c.unlocked ? ACCESS_ADJUSTMENT : c.startMode;
        EXPECT_EQ(mode.value(), expected);
        EXPECT_EQ(view.accessMode(), expected);
        EXPECT_EQ(common.accessMode(), expected);
        EXPECT_EQ(frame.radioMenus, c.unlocked ? 1 : 0);
        if (c.unlocked) {
            ASSERT_EQ(frame.titles.size(), 1u);
            EXPECT_EQ(frame.titles[0], "KQ70 for QM-724 PMR446(A)");
            // Once unlocked, Shift+F10 asks for nothing more.
            EXPECT_EQ(view.onShiftF10(), CKQ70View::FrameRequest::None);
        } else {
            EXPECT_TRUE(frame.titles.empty());
        }
    }
}

} // namespace
} // namespace kq70::test
