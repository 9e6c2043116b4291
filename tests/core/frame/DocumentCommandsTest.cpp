#include "frame/DocumentCommands.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "platform/IniFile.h"
#include "support/BoundView.h"
#include "support/FrameFixtures.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

// Every built image is filled with one byte telling which band it was built for.
std::uint8_t builtMarker(int band) {
    return static_cast<std::uint8_t>(0xA0 + band);
}

using FileBytes = std::vector<std::uint8_t>;

class DocumentCommandsTest : public ::testing::Test {
protected:
    DocumentCommandsTest()
        : settingsFile(home.file("KQ70.ini")),
          commands(doc, prompt, home.path(), settings, settingsFile, builder(), listener) {}

    DefaultImageBuilder builder() {
        return [this](int band, RadioImage& image) {
            builtBands.push_back(band);
            for (std::uint8_t& byte : image.bytes()) {
                byte = builtMarker(band);
            }
        };
    }

    bool imageIs(std::uint8_t value) const {
        return std::ranges::all_of(doc.GetMainMemory().bytes(),
                                   [value](std::uint8_t byte) { return byte == value; });
    }

    std::string message(int id, const std::string& path) const {
        return substitute1(Strings::get(id), path);
    }

    TempFolder home;
    TempFolder files;
    CKQ70Doc doc;
    ScriptedPrompt prompt;
    AppSettings settings;
    IniFile settingsFile;
    test::SaveCounter listener;
    test::DocumentRecorder announced{doc};
    std::vector<int> builtBands;
    DocumentCommands commands;
};

TEST_F(DocumentCommandsTest, NewWithoutTemplatesBuildsAndWritesThePmr446Template) {
    ASSERT_TRUE(commands.OnFileNew());
    EXPECT_EQ(builtBands, std::vector<int>{12});
    EXPECT_TRUE(imageIs(builtMarker(12)));
    EXPECT_EQ(doc.GetCurrentFilePath(), NO_FILE_MARKER);
    EXPECT_EQ(TempFolder::readBytes(home.file("default_pmr.k70")), FileBytes(10787, 0xAC));
}

TEST_F(DocumentCommandsTest, StartupDocumentTakesTheDisplayTypeThroughTheHardwareFields) {
    // Bit 0 is the display, bits 1-2 the release; the built marker's other bits stay.
    const std::pair<int, std::uint8_t> cases[] = {{0, 0}, {1, 3}, {7, 3}};
    for (const auto& [lcd, bits] : cases) {
        commands.NewDocumentAtStartup(lcd);
        EXPECT_EQ(doc.GetMainMemory().byteAt(0x26E9), (builtMarker(12) & 0xF8) | bits) << lcd;
        // The first start writes the template; later starts load it.
        EXPECT_EQ(doc.GetCurrentFilePath(),
                  lcd == 0 ? std::string(NO_FILE_MARKER) : home.file("default_pmr.k70"));
    }
}

TEST_F(DocumentCommandsTest, NewLoadsAnExistingTemplateAndNamesIt) {
    TempFolder::writeBytes(home.file("default_pmr.k70"), FileBytes(10787, 0x42));
    doc.SetDataModified(true);
    prompt.expectMessage("Do you want to save changes ?", MessageAnswer::No);
    ASSERT_TRUE(commands.OnFileNew());
    EXPECT_TRUE(imageIs(0x42));
    EXPECT_EQ(doc.GetCurrentFilePath(), home.file("default_pmr.k70"));
    EXPECT_FALSE(doc.GetDataModified());

    // Saving over a template asks first; No leaves it byte-identical.
    doc.GetMainMemory().setByte(0, 1);
    prompt.expectMessage(std::string(Strings::get(IDS_WRITE_DEFAULT_FILE)), MessageAnswer::No,
                         MessageIcon::Question, MessageButtons::YesNo);
    EXPECT_FALSE(commands.OnFileSave());
    EXPECT_EQ(TempFolder::readBytes(home.file("default_pmr.k70")), FileBytes(10787, 0x42));
}

TEST_F(DocumentCommandsTest, AnyTemplateCodeTakesTheFirstDefinedBandInCodeOrder) {
    TempFolder::writeBytes(home.file("NotDefined"), FileBytes(10787, 0x01));
    TempFolder::writeBytes(home.file("defaultU350.k70"), FileBytes(10787, 0x09));
    TempFolder::writeBytes(home.file("defaultUD.k70"), FileBytes(10787, 0x05));
    EXPECT_TRUE(commands.FindDefaultFile(LOAD_ANY_TEMPLATE));
    EXPECT_EQ(doc.GetCurrentFilePath(), home.file("defaultUD.k70"));

    const TempFolder empty;
    DocumentCommands bare(doc, prompt, empty.path(), settings, settingsFile, builder(), listener);
    TempFolder::writeBytes(empty.file("NotDefined"), FileBytes(10787, 0x01));
    EXPECT_FALSE(bare.FindDefaultFile(LOAD_ANY_TEMPLATE)) << "NotDefined is never a template";
    EXPECT_FALSE(bare.FindDefaultFile(2));
    bare.NewDocumentWith(NO_FILE_MARKER, LOAD_ANY_TEMPLATE);
    EXPECT_EQ(builtBands.back(), 13);
    EXPECT_TRUE(TempFolder::exists(empty.file("default_pmr.k70")));
    bare.NewDocumentWith(NO_FILE_MARKER, 3); // an undefined band: nothing is written for it
    EXPECT_EQ(TempFolder::readBytes(empty.file("NotDefined")), FileBytes(10787, 0x01));
}

TEST_F(DocumentCommandsTest, UnreadableTemplateIsReportedAndRewritten) {
    TempFolder::writeBytes(home.file("defaultUA.k70"), FileBytes(100, 0x04));
    prompt.expectMessage(message(IDS_PROBLEM_READING_FILE, home.file("defaultUA.k70")));
    commands.NewDocumentWith(NO_FILE_MARKER, 4);
    EXPECT_EQ(builtBands, std::vector<int>{4});
    EXPECT_EQ(doc.GetCurrentFilePath(), NO_FILE_MARKER);
    EXPECT_EQ(TempFolder::readBytes(home.file("defaultUA.k70")), FileBytes(10787, 0xA4));
}

TEST_F(DocumentCommandsTest, TemplateThatCannotBeWrittenLeavesAnUntitledDocument) {
    const std::string missing = files.file("no/such/folder");
    DocumentCommands homeless(doc, prompt, missing, settings, settingsFile, builder(), listener);
    prompt.expectMessage(
        message(IDS_PROBLEM_OPENING_FILE_FOR_WRITING, missing + "/default_pmr.k70"));
    homeless.NewDocumentWith(NO_FILE_MARKER, PMR446_BAND);
    EXPECT_TRUE(imageIs(builtMarker(12)));
    EXPECT_EQ(doc.GetCurrentFilePath(), NO_FILE_MARKER);
}

// Which files are refused, and with which message, is the data file's check.
TEST_F(DocumentCommandsTest, OpenRefusesBadFilesBeforeReadingThem) {
    const std::string path = files.file("radio.k70");
    TempFolder::writeBytes(path, FileBytes(10786, 0x33));
    doc.SetDataModified(true); // no save prompt: the file is refused first
    announced.changes.clear();
    // File > Open, and the same file from the recent-file list or dropped on the window.
    const std::string refused = message(IDS_FILE_FORMAT_INVALID, path);
    prompt.expectOpenFile(path).expectMessage(refused, MessageAnswer::Ok, MessageIcon::Stop);
    commands.OnFileOpen();
    prompt.expectMessage(refused, MessageAnswer::Ok, MessageIcon::Stop);
    EXPECT_FALSE(commands.OnOpenNamedFile(path));
    EXPECT_TRUE(announced.changes.empty()) << "the document was never touched";
}

// Opening the open file again offers to save its changes, then reloads it from disk.
TEST_F(DocumentCommandsTest, OpenLoadsTheFileAndRemembersItAndReopeningReloadsIt) {
    const std::string path = files.file("radio.k70");
    TempFolder::writeBytes(path, FileBytes(10787, 0x5C));
    doc.SetHardwareEdited(true);
    prompt.expectOpenFile(path);
    commands.OnFileOpen();
    EXPECT_TRUE(imageIs(0x5C));
    EXPECT_EQ(doc.GetCurrentFilePath(), path);
    EXPECT_FALSE(doc.GetHardwareEdited());
    EXPECT_EQ(settings.recentFiles, std::vector<std::string>{path});
    EXPECT_EQ(IniFile(home.file("KQ70.ini")).readString("Recent File List", "File1", ""), path);

    doc.GetMainMemory().setByte(7, 0x99);
    doc.SetDataModified(true);
    TempFolder::writeBytes(path, FileBytes(10787, 0x22)); // changed behind our back
    prompt.expectOpenFile(path).expectMessage("Do you want to save changes ?", MessageAnswer::No);
    commands.OnFileOpen();
    EXPECT_TRUE(imageIs(0x22));
    EXPECT_FALSE(doc.GetDataModified());
}

// A file from the recent list or dropped asks to save first; Cancel there, or at the Save As
// that Yes leads to, keeps the document as it is.
TEST_F(DocumentCommandsTest, ACancelledSaveQuestionOrSaveAsKeepsTheDocument) {
    const std::string path = files.file("other.k70");
    TempFolder::writeBytes(path, FileBytes(10787, 0x33));
    doc.GetMainMemory().setByte(7, 0x99);
    doc.SetDataModified(true);

    prompt.expectMessage("Do you want to save changes ?", MessageAnswer::Cancel);
    EXPECT_FALSE(commands.OnOpenNamedFile(path));
    prompt.expectMessage("Do you want to save changes ?", MessageAnswer::Yes)
        .expectSaveFile(std::nullopt);
    EXPECT_FALSE(commands.OnFileNew());
    EXPECT_EQ(doc.GetMainMemory().byteAt(7), 0x99);
    EXPECT_TRUE(doc.GetDataModified());
}

TEST_F(DocumentCommandsTest, NamedFileThatCannotBeReadFallsBackUntitled) {
    const std::string shortFile = files.file("short.k70");
    TempFolder::writeBytes(shortFile, FileBytes(5000, 0x10));
    prompt.expectMessage(message(IDS_PROBLEM_READING_FILE, shortFile));
    EXPECT_FALSE(commands.OpenDocumentFile(shortFile));
    EXPECT_EQ(builtBands, std::vector<int>{13});
    EXPECT_EQ(doc.GetCurrentFilePath(), NO_FILE_MARKER) << "Save must never overwrite it";
    EXPECT_FALSE(TempFolder::exists(home.file("default_pmr.k70")))
        << "the fallback is not written as a template";
    EXPECT_TRUE(settings.recentFiles.empty());
}

// A cancelled or failing Save As keeps the document's path and its unsaved mark.
TEST_F(DocumentCommandsTest, SaveOfAnUntitledDocumentGoesThroughSaveAs) {
    doc.SetDataModified(true);
    const std::string path = files.file("new.k70");
    prompt.expectSaveFile(path);
    ASSERT_TRUE(commands.OnFileSave());
    EXPECT_FALSE(doc.GetDataModified());
    EXPECT_EQ(doc.GetCurrentFilePath(), path);
    EXPECT_EQ(listener.saves, 1) << "the view commits before the write";

    doc.SetDataModified(true);
    prompt.expectSaveFile(std::nullopt);
    EXPECT_FALSE(commands.OnFileSaveAs());
    EXPECT_EQ(doc.GetCurrentFilePath(), path);
    const std::string locked = files.file("locked.k70");
    TempFolder::writeBytes(locked, FileBytes(10787, 0x07));
    ::chmod(locked.c_str(), 0444);
    prompt.expectSaveFile(locked).expectMessage(message(IDS_FILE_READ_ONLY, locked));
    EXPECT_FALSE(commands.OnFileSaveAs());
    EXPECT_EQ(TempFolder::readBytes(locked), FileBytes(10787, 0x07));
    EXPECT_EQ(doc.GetCurrentFilePath(), path);
    EXPECT_TRUE(doc.GetDataModified());
}

// Steps of the document that was there cannot be undone into the one that replaced it; a
// command that replaced nothing leaves them. Every replacement goes the same way.
TEST_F(DocumentCommandsTest, NewAndOpenClearTheUndoHistoryOnlyWhenTheyReplaceTheDocument) {
    const std::string path = files.file("radio.k70");
    TempFolder::writeBytes(path, FileBytes(10787, 0x5C));
    const struct {
        const char* name;
        bool open; // else New
        MessageAnswer toSaving;
        bool cleared;
    } cases[] = {{"New, save prompt cancelled", false, MessageAnswer::Cancel, false},
                 {"New", false, MessageAnswer::No, true},
                 {"Open", true, MessageAnswer::No, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.GetUndoHistory().record("Space on CH5 Sub Audio", doc.GetMainMemory(),
                                    doc.GetEditFlags());
        doc.GetMainMemory().setByte(0x0400, 0x77);
        doc.SetDataModified(true);
        if (c.open) {
            prompt.expectOpenFile(path);
        }
        prompt.expectMessage("Do you want to save changes ?", c.toSaving);
        if (c.open) {
            commands.OnFileOpen();
        } else {
            EXPECT_EQ(commands.OnFileNew(), c.cleared);
        }
        EXPECT_EQ(doc.GetUndoHistory().canUndo(), !c.cleared);
        EXPECT_EQ(doc.Undo(), !c.cleared);
        doc.GetUndoHistory().clear();
    }
}

TEST_F(DocumentCommandsTest, WriteDefaultFileWithoutANameIsReported) {
    doc.SetCurrentFilePath("/some/file.k70");
    prompt.expectMessage(message(IDS_PROBLEM_OPENING_FILE, ""));
    commands.WriteDefaultFile("");
    EXPECT_EQ(doc.GetCurrentFilePath(), NO_FILE_MARKER);
}

} // namespace
} // namespace kq70
