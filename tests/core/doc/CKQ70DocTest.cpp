#include "doc/CKQ70Doc.h"
#include "doc/DocumentObserver.h"
#include "image/RadioImage.h"
#include "support/ScriptedPrompt.h"
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

} // namespace
} // namespace kq70
