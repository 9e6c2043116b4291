#include "frame/ChannelViewBinding.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "frame/FrameLifecycle.h"
#include "log/HLogPrint.h"
#include "pages/HChannelAllocationDialog.h"
#include "platform/IniFile.h"
#include "support/BoundView.h"
#include "support/ChannelViewHarness.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

namespace kq70::test {
namespace {

TEST(ChannelViewBindingTest, ViewChangesMarkTheDocumentModified) {
    BoundView b(pmrImage());
    EXPECT_FALSE(b.doc.GetDataModified()) << "an image stored as it is needs no saving";
    b.at(2, 11);
    b.view.OnSpace();
    EXPECT_TRUE(b.doc.GetDataModified());
}

// The view follows what the document announces: a changed image is read again, one of another
// radio starts afresh; a change made outside any announcement is not looked at.
TEST(ChannelViewBindingTest, TheViewFollowsTheDocumentsAnnouncements) {
    BoundView b(imageWithGroups({10, 6}));
    const int rows = b.grid.rowCount();
    const auto setFirstGroup = [&b](int count) {
        HChannelData data;
        data.extract(b.doc.GetMainMemory());
        data.groups().setCount(0, count);
        data.store(b.doc.GetMainMemory());
    };
    setFirstGroup(4);
    EXPECT_EQ(b.grid.rowCount(), rows) << "not announced";
    {
        const CKQ70Doc::ChangeScope scope(b.doc);
        setFirstGroup(3);
        EXPECT_EQ(b.grid.rowCount(), rows) << "announced when the scope closes";
    }
    EXPECT_EQ(b.grid.rowCount(), 2 + 3);
    b.view.SelectGroup(1);
    {
        const CKQ70Doc::ChangeScope scope(b.doc);
        setHardwareValue(b.doc.GetMainMemory(), HW_RADIO_CHANNEL, 5);
    }
    EXPECT_EQ(b.view.GetCurrentGroup(), 0) << "another radio's data starts at the first group";
}

// OK is a step of the edit steps' test; Cancel must leave every byte.
TEST(ChannelViewBindingTest, ChannelAllocationCancelChangesNothing) {
    BoundView b(imageWithGroups({10, 6}));
    ASSERT_FALSE(b.doc.GetDataModified());
    const RadioImage before = b.doc.GetMainMemory();
    EXPECT_FALSE(b.binding.runChannelAllocation([](HChannelAllocationDialog& dialog) {
        dialog.TypeText(HChannelAllocationDialog::IDC_COUNT, "3");
        dialog.CountEditKillFocus(0);
        return false; // Cancel
    }));
    EXPECT_EQ(firstDifference(b.doc.GetMainMemory(), before, 0, IMAGE_SIZE), "");
    EXPECT_FALSE(b.doc.GetDataModified());
}

TEST(ChannelViewBindingTest, TheLogShowsTheImageAndEveryViewMessage) {
    TempFolder folder;
    HLogPrint::global().enableChannel(0, LOG_D2, folder.file("trace.log"));
    {
        BoundView b(pmrImage());
        b.binding.documentChanged();
        b.binding.documentChanged();
        b.binding.reload();
        AppSettings settings;
        IniFile ini(folder.file("KQ70.ini"));
        FrameLifecycle::OnDestroy(settings, ini, b.doc, {800, 600});
    }
    HLogPrint::global().enableChannel(0, 0, "");
    const std::string log = TempFolder::readText(folder.file("trace.log"));
    const std::pair<const char*, std::size_t> expected[] = {
        {"[D1] GetMainMemory()\tm_pMainMemory = [", 1},
        {"[D2] [SendMessage]2025", 3}, // the first showing too
        {"[D2] [SendMessage]2024", 1},
        {"[D1] CMainFrame::OnDestroy()", 1},
    };
    for (const auto& [line, times] : expected) {
        std::size_t count = 0;
        for (std::size_t at = log.find(line); at != std::string::npos;
             at = log.find(line, at + 1)) {
            ++count;
        }
        EXPECT_EQ(count, times) << line << "\n" << log;
    }
}

} // namespace
} // namespace kq70::test
