#include "frame/ChannelViewBinding.h"
#include "doc/CKQ70Doc.h"
#include "pages/HChannelAllocationDialog.h"
#include "support/ChannelViewHarness.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

namespace kq70::test {
namespace {

struct Frame : DocumentListener {
    std::vector<std::string> titles;
    void titleChanged(const std::string& title) override { titles.push_back(title); }
};

struct Bound {
    CKQ70Doc doc;
    MemoryGrid grid;
    ScriptedPrompt prompt;
    ScriptedChoosers choosers;
    AppSettings settings;
    Frame frame;
    CKQ70View view{grid, prompt, choosers, 1, settings};
    ChannelViewBinding binding{doc, view, frame};

    explicit Bound(const RadioImage& image) { doc.GetMainMemory() = image; }
};

TEST(ChannelViewBindingTest, ViewChangesMarkTheDocumentModified) {
    Bound b(pmrImage());
    b.binding.documentChanged();
    EXPECT_FALSE(b.doc.dataModified()) << "an image stored as it is needs no saving";
    b.grid.setRow(2);
    b.grid.setColumn(11);
    b.view.onSpace();
    EXPECT_TRUE(b.doc.dataModified());
    b.binding.viewSaveData();
    HChannelData data;
    data.extract(b.doc.GetMainMemory());
    EXPECT_EQ(data.getValue(0, scan), 1);
    b.binding.titleChanged("radio.k70");
    EXPECT_EQ(b.frame.titles, std::vector<std::string>{"radio.k70"});
}

TEST(ChannelViewBindingTest, ChannelAllocationOkAndCancel) {
    Bound b(imageWithGroups({10, 6}));
    b.binding.documentChanged();
    ASSERT_FALSE(b.doc.dataModified());
    const RadioImage before = b.doc.GetMainMemory();
    EXPECT_FALSE(b.binding.runChannelAllocation(1, [](HChannelAllocationDialog& dialog) {
        dialog.typeText(HChannelAllocationDialog::IDC_COUNT, "3");
        dialog.countEditKillFocus(0);
        return false; // Cancel
    }));
    EXPECT_FALSE(b.doc.dataModified());
    EXPECT_EQ(firstDifference(b.doc.GetMainMemory(), before, 0, IMAGE_SIZE), "");
    EXPECT_TRUE(b.binding.runChannelAllocation(1, [](HChannelAllocationDialog& dialog) {
        dialog.typeText(HChannelAllocationDialog::IDC_COUNT, "3");
        dialog.countEditKillFocus(0);
        return dialog.OnOK();
    }));
    EXPECT_TRUE(b.doc.dataModified());
    EXPECT_EQ(b.grid.rowCount(), 2 + 3) << "the view reloaded";
}

} // namespace
} // namespace kq70::test
