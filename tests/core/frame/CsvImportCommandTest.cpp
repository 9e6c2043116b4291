#include "frame/CsvImportCommand.h"

#include "output/CsvReader.h"
#include "output/HCsvFileWriter.h"
#include "output/HKQ70Output.h"
#include "support/BoundView.h"
#include "support/ChannelValues.h"
#include "support/ChannelViewHarness.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace kq70::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr int CH2 = 1;
constexpr int CH5 = 4;

// The document's data as File > Export to CSV writes it, as rows of cells.
Rows exportedRows(CKQ70Doc& doc, int mode, const TempFolder& folder) {
    ScriptedPrompt prompt;
    HCsvFileWriter writer(prompt);
    writer.setSetting(HTextFileWriter::DIALOG, "OFF");
    writer.setSetting(HTextFileWriter::FILE_PATH, folder.file("export.csv"));
    HKQ70Output(doc, mode, "radio.k70", prompt).exportTo(writer);
    Rows rows;
    for (const CsvRow& row : CsvReader::rows(TempFolder::readText(folder.file("export.csv")))) {
        rows.push_back(row.cells);
    }
    return rows;
}

// The row of channel `number` (from 1), and the index of the squelch column.
std::vector<std::string>& channelRow(Rows& rows, int number) {
    const auto it = std::find_if(rows.begin(), rows.end(), [number](const auto& row) {
        return !row.empty() && trimmed(row[0]) == std::to_string(number);
    });
    EXPECT_NE(it, rows.end()) << number;
    return *it;
}
std::size_t squelchColumn(const Rows& rows) {
    for (const auto& row : rows) {
        if (!row.empty() && row[0] == "Chn") {
            return static_cast<std::size_t>(std::find(row.begin(), row.end(), "SQ") - row.begin());
        }
    }
    ADD_FAILURE() << "no column titles";
    return 0;
}

std::string written(const Rows& rows) {
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            text += (k != 0 ? ",\"" : "\"") + row[k] + "\"";
        }
        text += "\r\n";
    }
    return text;
}

struct Edited {
    BoundView bound{pmrImage()};
    TempFolder folder;
    std::string csv = folder.file("plan.csv");
    RadioImage before;
    std::optional<CsvImportErrorList> shown;

    // CH2's squelch set to `squelch` in the CSV; CH5's row dropped when `dropCh5`.
    Edited(const std::string& squelch, bool dropCh5) {
        Rows rows = exportedRows(bound.doc, ACCESS_MANUFACTURE, folder);
        const std::size_t sq = squelchColumn(rows);
        channelRow(rows, 2)[sq] = squelch;
        if (dropCh5) {
            std::erase(rows, channelRow(rows, 5));
        }
        TempFolder::writeText(csv, written(rows));
        before = bound.doc.GetMainMemory();
    }
    // Answers the file dialog with the CSV, then the unlisted-channels question with `answer`.
    bool run(std::optional<MessageAnswer> answer = std::nullopt) {
        CsvImportCommand command(bound.doc, bound.mode, bound.prompt, bound.binding);
        bound.prompt.expectOpenFile(csv);
        if (answer) {
            bound.prompt.expectMessage(strprintf(text::CSV_IMPORT_UNLISTED_QUESTION.data(), 1),
                                       *answer, MessageIcon::Question, MessageButtons::YesNoCancel);
        }
        return command.OnFileImportCsv([this](const CsvImportErrorList& list) { shown = list; });
    }
};

// A good import is one step; Undo gives back the image. Channels the file leaves out are made
// unused only on Yes; Cancel leaves the document alone.
TEST(CsvImportCommandTest, AGoodImportIsOneUndoStepAndAsksAboutUnlistedChannels) {
    struct Case {
        const char* name;
        bool dropCh5;
        std::optional<MessageAnswer> answer; // to the unlisted-channels question
        bool changed;
        bool ch5InUse;
    };
    const Case cases[] = {
        {"every channel listed", false, std::nullopt, true, true},
        {"CH5 left out, Yes", true, MessageAnswer::Yes, true, false},
        {"CH5 left out, No", true, MessageAnswer::No, true, true},
        {"CH5 left out, Cancel", true, MessageAnswer::Cancel, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edited edited("9", c.dropCh5);
        ASSERT_NE(channelValue(edited.before, CH2, squelchLevel), 9);
        EXPECT_EQ(edited.run(c.answer), c.changed);
        const RadioImage& image = edited.bound.doc.GetMainMemory();
        EXPECT_EQ(channelValue(image, CH2, squelchLevel),
                  c.changed ? 9 : channelValue(edited.before, CH2, squelchLevel));
        EXPECT_EQ(channelValue(image, CH5, inUse), c.ch5InUse ? 1 : 0);
        EXPECT_EQ(edited.bound.doc.GetUndoHistory().canUndo(), c.changed);
        if (c.changed) {
            EXPECT_TRUE(edited.bound.steps().OnEditUndo());
            EXPECT_EQ(firstDifference(image, edited.before, 0, IMAGE_SIZE), "");
        }
    }
}

// A file with an error changes nothing and records no step; the error window gets one row per
// error with its line, column and reason, and a summary naming the file.
TEST(CsvImportCommandTest, AnErrorChangesNothingAndListsLineColumnAndReason) {
    Edited edited("99", true); // the unlisted CH5 is not asked about either
    EXPECT_FALSE(edited.run());
    ASSERT_TRUE(edited.shown.has_value());
    EXPECT_EQ(edited.shown->summary,
              strprintf(text::CSV_IMPORT_ONE_ERROR.data(), edited.csv.c_str()));
    ASSERT_EQ(edited.shown->rows.size(), 1u);
    EXPECT_EQ(edited.shown->rows[0][1], "SQ");
    EXPECT_EQ(firstDifference(edited.bound.doc.GetMainMemory(), edited.before, 0, IMAGE_SIZE), "");
    EXPECT_FALSE(edited.bound.doc.GetUndoHistory().canUndo());
}

} // namespace
} // namespace kq70::test
