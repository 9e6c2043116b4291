#include "frame/SessionRecovery.h"

#include "channel/ChannelGridLayout.h"
#include "doc/CKQ70Doc.h"
#include "support/BoundView.h"
#include "support/ChannelValues.h"
#include "support/ChannelViewHarness.h"
#include "support/DataFiles.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70::test {
namespace {

std::vector<std::uint8_t> bytesOf(const RadioImage& image) {
    return {image.bytes().begin(), image.bytes().end()};
}

// Unsaved changes go to the program folder's recovery file and nowhere else; the document
// keeps its own file and mark. Nothing unsaved, no file.
TEST(SessionRecoveryTest, KeepsOnlyUnsavedChangesAndLeavesTheDocumentAsItIs) {
    for (const bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        TempFolder home;
        BoundView bound(pmrImage());
        bound.doc.SetCurrentFilePath(home.file("mine.k70"));
        {
            const CKQ70Doc::ChangeScope scope(bound.doc); // the view follows
            bound.doc.GetMainMemory().bytes()[0x400] ^= 0xFF;
        }
        bound.doc.SetDataModified(modified);
        const SessionRecovery recovery(home.path());

        EXPECT_TRUE(recovery.keep(bound.doc, bound.binding));

        EXPECT_EQ(TempFolder::exists(recovery.path()), modified);
        if (modified) {
            EXPECT_EQ(TempFolder::readBytes(recovery.path()), bytesOf(bound.doc.GetMainMemory()));
        }
        EXPECT_FALSE(TempFolder::exists(home.file("mine.k70")));
        EXPECT_EQ(bound.doc.GetCurrentFilePath(), home.file("mine.k70"));
    }
}

// A value still being typed when the program must end is kept when it is one; text that is
// no value is left out without a question (nobody is there to answer it).
TEST(SessionRecoveryTest, AValueBeingTypedIsKeptWhenItIsOne) {
    const std::pair<const char*, bool> cases[] = {{"446.05", true}, {"4..4", false}};
    for (const auto& [typed, kept] : cases) {
        SCOPED_TRACE(typed);
        TempFolder home;
        BoundView bound(radioWithChannels(6));
        bound.doc.SetDataModified(true); // other changes are unsaved too
        const std::int32_t before = channelValue(bound.doc.GetMainMemory(), 2, rxFrequency);
        ASSERT_TRUE(bound.grid.startTyping(bound.binding, ChannelGridLayout::FIRST_DATA_ROW + 2,
                                           COL_RX_FREQUENCY, typed));
        const SessionRecovery recovery(home.path());

        EXPECT_TRUE(recovery.keep(bound.doc, bound.binding));

        EXPECT_EQ(channelValue(readDataFile(recovery.path()), 2, rxFrequency),
                  kept ? 446050000 : before);
    }
}

// The next start: nothing asked without a file; Yes opens it as an untitled, unsaved
// document and removes it; No keeps it for the start after; a damaged file is said so and
// kept.
TEST(SessionRecoveryTest, TheNextStartOffersTheKeptChanges) {
    struct Case {
        const char* name;
        bool fileThere;
        bool damaged;
        MessageAnswer answer;
        bool restored;
    };
    const Case cases[] = {
        {"no file", false, false, MessageAnswer::Yes, false},
        {"Yes", true, false, MessageAnswer::Yes, true},
        {"No", true, false, MessageAnswer::No, false},
        {"Yes, damaged file", true, true, MessageAnswer::Yes, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder home;
        const SessionRecovery recovery(home.path());
        RadioImage kept = pmrImage();
        setChannelValue(kept, 1, squelchLevel, (channelValue(kept, 1, squelchLevel) + 5) % 16);
        std::vector<std::uint8_t> bytes = bytesOf(kept);
        if (c.damaged) {
            bytes.resize(100);
        }
        if (c.fileThere) {
            TempFolder::writeBytes(recovery.path(), bytes);
        }
        BoundView bound(pmrImage());
        bound.doc.SetCurrentFilePath(home.file("mine.k70"));
        if (c.fileThere) {
            bound.prompt.expectMessage(
                strprintf(text::SESSION_RECOVERY_QUESTION.data(), recovery.path().c_str()),
                c.answer, MessageIcon::Question, MessageButtons::YesNo);
        }
        if (c.damaged) {
            bound.prompt.expectMessage({});
        }

        const auto offered = recovery.offer(bound.prompt);
        const bool restored = offered && recovery.restore(bound.doc, bound.prompt);

        EXPECT_EQ(restored, c.restored);
        EXPECT_EQ(TempFolder::exists(recovery.path()), c.fileThere && !c.restored);
        EXPECT_EQ(bound.doc.GetMainMemory() == kept, c.restored);
        EXPECT_EQ(bound.doc.IsUntitled(), c.restored);
        EXPECT_EQ(bound.doc.GetDataModified(), c.restored);
    }
}

} // namespace
} // namespace kq70::test
