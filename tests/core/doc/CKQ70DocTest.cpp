#include "doc/CKQ70Doc.h"
#include "doc/DocumentObserver.h"
#include "doc/UndoHistory.h"
#include "image/RadioImage.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;

TEST(CKQ70DocTest, SaveModifiedDataAnswers) {
    struct Case {
        bool modified;
        std::optional<MessageAnswer> answer; // nothing: no question expected
        std::optional<bool> saveSucceeds;    // nothing: save must not run
        bool result;
        bool stillModified;
    };
    const Case cases[] = {
        {false, std::nullopt, std::nullopt, true, false},
        {true, MessageAnswer::Yes, true, true, false},
        {true, MessageAnswer::Yes, false, false, true}, // save cancelled or failed
        // No gives the changes up to the caller's command, which may yet fail: the mark stays
        // until the document is replaced.
        {true, MessageAnswer::No, std::nullopt, true, true},
        {true, MessageAnswer::Cancel, std::nullopt, false, true},
    };
    for (const Case& c : cases) {
        CKQ70Doc doc;
        doc.SetDataModified(c.modified);
        ScriptedPrompt prompt;
        if (c.answer) {
            prompt.expectMessage("Do you want to save changes ?", *c.answer,
                                 MessageIcon::Exclamation, MessageButtons::YesNoCancel);
        }
        int saves = 0;
        const bool result = doc.SaveModifiedData(prompt, [&] {
            ++saves;
            return c.saveSucceeds.value_or(false);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(doc.GetDataModified(), c.stillModified);
        EXPECT_EQ(saves, c.saveSucceeds ? 1 : 0);
    }
}

TEST(CKQ70DocTest, FailedWriteKeepsTheDocumentModified) {
    CKQ70Doc doc;
    doc.SetDataModified(true);
    ScriptedPrompt prompt;
    prompt.expectMessage("", MessageAnswer::Ok, MessageIcon::Stop);
    EXPECT_FALSE(doc.WriteToFile("/nonexistent-folder/x.k70", prompt));
    EXPECT_TRUE(doc.GetDataModified());
}

TEST(CKQ70DocTest, PrepareImageForWriteTouchesOnlyTheMirrors) {
    RadioImage image = test::patternImage(11);
    RadioImage expected = image;
    expected.setBe32(0x016C, image.be32(0x29EE));
    expected.setBe16(0x0200, image.be16(0x0000));
    PrepareImageForWrite(image);
    EXPECT_EQ(test::firstDifference(image, expected, 0, IMAGE_SIZE), "");
}

// Hears the document's announcements; the first one it hears it answers with a change of
// its own, as a view that repairs what it shows would.
struct Listener : DocumentObserver {
    explicit Listener(CKQ70Doc& doc, std::vector<std::string>& heard, std::string name)
        : m_doc(doc), m_heard(heard), m_name(std::move(name)) {}
    void documentChanged(const DocumentChange& change) override {
        m_heard.push_back(m_name + " " + std::to_string(change.what));
        if (answerOnce) {
            answerOnce = false;
            m_doc.SetDataModified(true);
        }
    }
    bool answerOnce = false;

private:
    CKQ70Doc& m_doc;
    std::vector<std::string>& m_heard;
    std::string m_name;
};

TEST(CKQ70DocTest, ChangesAreAnnouncedOnceAScopeClosesAndInOrder) {
    CKQ70Doc doc;
    std::vector<std::string> heard;
    Listener first(doc, heard, "first");
    Listener second(doc, heard, "second");
    doc.AddObserver(first);
    doc.AddObserver(second);
    const auto word = [](unsigned what) { return std::to_string(what); };

    doc.SetDataModified(false);             // no change, nothing said
    doc.GetMainMemory().setByte(0x0315, 1); // outside a scope: not looked at
    EXPECT_TRUE(heard.empty());

    doc.SetCurrentFilePath("a.k70");
    EXPECT_EQ(heard, (std::vector<std::string>{"first " + word(DocumentChange::PATH),
                                               "second " + word(DocumentChange::PATH)}));
    heard.clear();
    {
        const CKQ70Doc::ChangeScope outer(doc);
        {
            const CKQ70Doc::ChangeScope inner(doc);
            doc.GetMainMemory().setByte(0x0315, 2);
            doc.SetCurrentFilePath("b.k70");
        }
        doc.SetDataModified(true);
        EXPECT_TRUE(heard.empty()) << "nothing before the outermost scope closes";
    }
    const unsigned all = DocumentChange::IMAGE | DocumentChange::PATH | DocumentChange::MODIFIED;
    EXPECT_EQ(heard, (std::vector<std::string>{"first " + word(all), "second " + word(all)}));

    // A change made while hearing one is heard by everyone after the first.
    heard.clear();
    first.answerOnce = true;
    doc.SetDataModified(false);
    EXPECT_EQ(heard, (std::vector<std::string>{"first " + word(DocumentChange::MODIFIED),
                                               "second " + word(DocumentChange::MODIFIED),
                                               "first " + word(DocumentChange::MODIFIED),
                                               "second " + word(DocumentChange::MODIFIED)}));
    EXPECT_TRUE(doc.GetDataModified());

    // Another radio's data, or a replacement, is announced as a new document.
    heard.clear();
    doc.RemoveObserver(second);
    {
        const CKQ70Doc::ChangeScope scope(doc);
        doc.GetMainMemory().setByte(0x26E9, 0x60); // the Radio Channel value
    }
    doc.MarkReplaced();
    EXPECT_EQ(heard, (std::vector<std::string>{"first " + word(DocumentChange::EVERYTHING),
                                               "first " + word(DocumentChange::EVERYTHING)}));
    doc.RemoveObserver(first);
}

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
