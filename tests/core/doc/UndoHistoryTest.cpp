#include "doc/UndoHistory.h"

#include "doc/CKQ70Doc.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kq70 {
namespace {

// An image that differs from `base` in a few scattered bytes, one pattern per step.
RadioImage edited(const RadioImage& base, int step) {
    RadioImage image = base;
    for (std::size_t offset = static_cast<std::size_t>(step) * 37; offset < IMAGE_SIZE;
         offset += 1021) {
        image.setByte(offset, static_cast<std::uint8_t>(image.byteAt(offset) + 1 + step));
    }
    return image;
}

// The document's state after each of `count` recorded steps, starting from a clean image.
struct Session {
    explicit Session(int count, std::size_t maxSteps = UndoHistory::DEFAULT_STEPS)
        : history(maxSteps) {
        states.push_back(image);
        for (int step = 1; step <= count; ++step) {
            history.record("step " + std::to_string(step), image, flags);
            image = edited(image, step);
            flags.modified = true;
            states.push_back(image);
        }
    }

    UndoHistory history;
    RadioImage image;
    EditFlags flags;
    std::vector<RadioImage> states;
};

TEST(UndoHistoryTest, EveryStepUndoneAndRedoneRestoresItsImageAndFlag) {
    Session s(5);
    for (int step = 5; step >= 1; --step) {
        ASSERT_TRUE(s.history.undo(s.image, s.flags));
        EXPECT_EQ(s.image, s.states[static_cast<std::size_t>(step - 1)]) << step;
        EXPECT_EQ(s.flags.modified, step > 1) << "back at the opened state the document is clean";
    }
    const RadioImage unchanged = s.image;
    EXPECT_FALSE(s.history.undo(s.image, s.flags));
    EXPECT_EQ(s.image, unchanged);

    for (int step = 1; step <= 5; ++step) {
        ASSERT_TRUE(s.history.redo(s.image, s.flags));
        EXPECT_EQ(s.image, s.states[static_cast<std::size_t>(step)]) << step;
        EXPECT_TRUE(s.flags.modified);
    }
    EXPECT_FALSE(s.history.redo(s.image, s.flags));

    // A new step after two undos forgets what could have been redone.
    s.history.undo(s.image, s.flags);
    s.history.undo(s.image, s.flags);
    s.history.record("other", s.image, s.flags);
    EXPECT_FALSE(s.history.canRedo());
    EXPECT_EQ(s.history.undoCount(), 4u);
    ASSERT_TRUE(s.history.undo(s.image, s.flags));
    EXPECT_EQ(s.image, s.states[3]);
}

// Undoing back past a save must not call a state clean that the file no longer holds.
TEST(UndoHistoryTest, OnlyTheSavedStateIsUnmodified) {
    Session s(3);
    // Saved at step 2, reached by one undo.
    s.history.undo(s.image, s.flags);
    ASSERT_EQ(s.image, s.states[2]);
    s.history.markSaved(s.image);
    s.flags.modified = false;

    struct Expect {
        bool undo; // else redo
        std::size_t state;
        bool modified;
    };
    const Expect walk[] = {
        {true, 1, true},   {true, 0, true},  {false, 1, true},
        {false, 2, false}, {false, 3, true}, {true, 2, false},
    };
    for (const Expect& e : walk) {
        ASSERT_TRUE(e.undo ? s.history.undo(s.image, s.flags) : s.history.redo(s.image, s.flags));
        EXPECT_EQ(s.image, s.states[e.state]) << e.state;
        EXPECT_EQ(s.flags.modified, e.modified) << e.state;
    }
}

TEST(UndoHistoryTest, KeepsTheLatestStepsUpToItsLimit) {
    Session s(150);
    EXPECT_EQ(s.history.undoCount(), UndoHistory::DEFAULT_STEPS);
    while (s.history.undo(s.image, s.flags)) {
    }
    EXPECT_EQ(s.image, s.states[50]) << "the oldest 50 steps are gone";
    EXPECT_TRUE(s.flags.modified);

    Session tiny(3, 0); // a limit of 0 still keeps the last step
    EXPECT_EQ(tiny.history.undoCount(), 1u);

    UndoHistory history;
    const RadioImage image;
    EXPECT_FALSE(history.recordIfChanged("page closed with OK", image, {}, image));
    EXPECT_TRUE(history.recordIfChanged("Hardware page", image, {}, edited(image, 1)));
    history.clear();
    EXPECT_FALSE(history.canUndo());
}

// The document applies the history to its own image, which stays where it is, and a
// written file marks the saved state. A download keeps the values the user edited instead of
// the radio's: an undone edit must not leave that mark behind, nor a redone one lose it.
TEST(UndoHistoryTest, TheDocumentUndoesInPlaceAndKnowsWhatWasSaved) {
    test::TempFolder folder;
    test::ScriptedPrompt prompt;
    CKQ70Doc doc;
    const RadioImage* address = &doc.GetMainMemory();
    const RadioImage opened = doc.GetMainMemory();
    EXPECT_FALSE(doc.Undo());

    doc.GetUndoHistory().record("Space on CH5 Sub Audio", doc.GetMainMemory(), doc.GetEditFlags());
    doc.GetMainMemory() = edited(opened, 1);
    doc.SetEditFlags({true, true, true});
    ASSERT_TRUE(doc.WriteToFile(folder.file("a.k70"), prompt));
    const RadioImage saved = doc.GetMainMemory();

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(&doc.GetMainMemory(), address);
    EXPECT_EQ(doc.GetMainMemory(), opened);
    EXPECT_EQ(doc.GetEditFlags(), (EditFlags{true, false, false})) << "the file holds the edit";
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.GetMainMemory(), saved);
    EXPECT_EQ(doc.GetEditFlags(), (EditFlags{false, true, true}));
    EXPECT_FALSE(doc.Redo());
}

} // namespace
} // namespace kq70
