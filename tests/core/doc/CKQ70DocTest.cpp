#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "image/RadioImage.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

std::vector<std::uint8_t> pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
    }
    return bytes;
}

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
        {true, MessageAnswer::No, std::nullopt, true, false},
        {true, MessageAnswer::Cancel, std::nullopt, false, true},
    };
    for (const Case& c : cases) {
        CKQ70Doc doc;
        doc.GetMainMemory().setByte(100, 0x5A);
        doc.setDataModified(c.modified);
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
        EXPECT_EQ(doc.dataModified(), c.stillModified);
        EXPECT_EQ(saves, c.saveSucceeds ? 1 : 0);
        EXPECT_EQ(doc.GetMainMemory().byteAt(100), 0x5A);
    }
}

TEST(CKQ70DocTest, SaveThroughSaveAsWritesTheFileAndClearsModified) {
    TempFolder folder;
    CKQ70Doc doc;
    EXPECT_TRUE(doc.isUntitled());
    doc.setDataModified(true);
    ScriptedPrompt prompt;
    prompt.expectMessage("Do you want to save changes ?", MessageAnswer::Yes);
    const std::string target = folder.file("saved.k70");
    ASSERT_TRUE(doc.SaveModifiedData(prompt, [&] {
        doc.setCurrentFilePath(target);
        return doc.WriteToFile(target, prompt);
    }));
    EXPECT_FALSE(doc.dataModified());
    EXPECT_EQ(TempFolder::readBytes(target).size(), IMAGE_SIZE);
}

TEST(CKQ70DocTest, FailedWriteKeepsTheDocumentModified) {
    CKQ70Doc doc;
    doc.setDataModified(true);
    ScriptedPrompt prompt;
    prompt.expectMessage("", MessageAnswer::Ok, MessageIcon::Stop);
    EXPECT_FALSE(doc.WriteToFile("/nonexistent-folder/x.k70", prompt));
    EXPECT_TRUE(doc.dataModified());
}

TEST(CKQ70DocTest, PrepareImageForWriteTouchesOnlyTheMirrors) {
    CKQ70Doc doc;
    const std::uint8_t* address = doc.GetMainMemory().data();
    RadioImage& image = doc.GetMainMemory();
    const auto bytes = pattern(IMAGE_SIZE, 11);
    std::copy(bytes.begin(), bytes.end(), image.data());
    const RadioImage before = image;
    PrepareImageForWrite(image);
    for (std::size_t i = 0; i < IMAGE_SIZE; ++i) {
        std::uint8_t expected = before.byteAt(i);
        if (i >= 0x016C && i <= 0x016F) {
            expected = before.byteAt(0x29EE + (i - 0x016C));
        } else if (i == 0x0200 || i == 0x0201) {
            expected = before.byteAt(i - 0x0200);
        }
        ASSERT_EQ(image.byteAt(i), expected) << "offset " << i;
    }
    doc.clearEditedFlags();
    EXPECT_EQ(doc.GetMainMemory().data(), address);
}

} // namespace
} // namespace kq70
