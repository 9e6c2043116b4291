#include "frame/EditSteps.h"

#include "channel/ChannelGridLayout.h"
#include "doc/CKQ70Doc.h"
#include "frame/ChannelViewBinding.h"
#include "pages/HChannelAllocationDialog.h"
#include "support/BoundView.h"
#include "support/ChannelValues.h"
#include "support/ChannelViewHarness.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kq70::test {
namespace {

constexpr int ROW1 = ChannelGridLayout::FIRST_DATA_ROW;

TEST(EditStepsTest, DescriptionsNameTheStep) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {EditSteps::CellStep("Space", 4, COL_DECODE), "Space on CH5 Sub Audio Dec"},
        {EditSteps::CellStep("Enter", 0, COL_RX_FREQUENCY), "Enter on CH1 RX Frequency"},
        {EditSteps::EditStep(15, COL_TAG), "Edit CH16 TAG"},
        {EditSteps::PasteStep(4), "Paste into 4 channels"},
        {EditSteps::PasteStep(1), "Paste into 1 channel"},
        {EditSteps::PageStep("Hardware"), "Hardware page"},
    };
    for (const auto& [actual, expected] : cases) {
        EXPECT_EQ(actual, expected);
    }
}

// Every kind of grid step, then all undone and redone: each intermediate image comes back
// byte for byte, with its modified flag.
TEST(EditStepsTest, GridStepsUndoneAndRedoneRestoreEveryImage) {
    BoundView b(imageWithGroups({10, 6}));
    ASSERT_FALSE(b.doc.GetDataModified());
    DocumentRecorder announced(b.doc);
    struct Taken {
        RadioImage image;
        bool modified;
    };
    std::vector<Taken> states;
    auto keep = [&] {
        b.binding.viewSaveData();
        states.push_back({b.doc.GetMainMemory(), b.doc.GetDataModified()});
    };
    keep();

    b.at(ROW1, COL_SCAN);
    EXPECT_EQ(b.binding.onSpace(), CKQ70View::KeyOutcome::Handled);
    keep();
    ASSERT_TRUE(b.grid.typeInto(b.binding, ROW1 + 1, COL_TAG, "PUMP"));
    keep();
    b.grid.select({ROW1, COL_TAG, ROW1 + 3, COL_TAG});
    ASSERT_TRUE(b.binding.paste("YARD"));
    keep();
    ASSERT_TRUE(b.binding.runChannelAllocation([](auto& dialog) {
        dialog.TypeText(HChannelAllocationDialog::IDC_COUNT, "3");
        dialog.CountEditKillFocus(0);
        return dialog.OnOK();
    }));
    keep();

    const std::vector<std::string> names = {"Space on CH1 Scan", "Edit CH2 TAG",
                                            "Paste into 4 channels", "Channel allocation"};
    ASSERT_EQ(b.doc.GetUndoHistory().undoCount(), names.size());
    announced.changes.clear();
    for (std::size_t i = names.size(); i-- > 0;) {
        ASSERT_TRUE(b.steps().OnEditUndo());
        const Taken& expected = states[i];
        EXPECT_EQ(firstDifference(b.doc.GetMainMemory(), expected.image, 0, IMAGE_SIZE), "")
            << "after undoing " << names[i];
        EXPECT_EQ(b.doc.GetDataModified(), expected.modified) << names[i];
    }
    EXPECT_FALSE(b.steps().OnEditUndo());
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(b.steps().OnEditRedo());
        EXPECT_EQ(firstDifference(b.doc.GetMainMemory(), states[i + 1].image, 0, IMAGE_SIZE), "")
            << "after redoing " << names[i];
        EXPECT_TRUE(b.doc.GetDataModified());
    }
    EXPECT_FALSE(b.steps().OnEditRedo());
    // Each step taken back or done again is announced once: the view, the menus and the
    // title follow it.
    EXPECT_EQ(announced.changes.size(), 2 * names.size());
}

// One input per way into a step: a key run as a whole, a cell edit begun and ended, and one
// begun but refused.
TEST(EditStepsTest, InputThatChangesNothingIsNoStep) {
    BoundView b(imageWithGroups({10, 6}));
    const std::vector<std::pair<std::string, std::function<void()>>> inputs = {
        {"Space on a header row",
         [&] {
             b.at(0, COL_SCAN);
             b.binding.onSpace();
         }},
        {"the same text typed again",
         [&] {
             const std::string tag = b.grid.textMatrix(ROW1, COL_TAG);
             b.grid.typeInto(b.binding, ROW1, COL_TAG, tag);
         }},
        {"an edit the view refuses", [&] { b.grid.typeInto(b.binding, 0, COL_TAG, "X"); }}};
    for (const auto& [name, input] : inputs) {
        input();
        EXPECT_FALSE(b.doc.GetUndoHistory().canUndo()) << name;
    }
}

// An edit the view had not yet written into the image when Undo came is part of the state
// left: Redo brings it back.
TEST(EditStepsTest, UndoKeepsTheViewsUncommittedDataForRedo) {
    BoundView b(imageWithGroups({10, 6}));
    b.at(ROW1, COL_SCAN);
    b.binding.onSpace();
    const RadioImage afterFirst = b.doc.GetMainMemory();
    b.at(ROW1 + 1, COL_SCAN);
    b.view.OnSpace(); // straight to the view: no step recorded
    ASSERT_TRUE(b.steps().OnEditUndo());
    ASSERT_TRUE(b.steps().OnEditRedo());
    b.binding.viewSaveData();
    const std::int32_t stored = channelValue(b.doc.GetMainMemory(), 1, scan);
    EXPECT_EQ(stored, b.view.GetChannelData().getValue(1, scan));
    EXPECT_NE(stored, channelValue(afterFirst, 1, scan)) << "the second change is back";
}

} // namespace
} // namespace kq70::test
