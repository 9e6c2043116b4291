#include "output/HKQ70Output.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "output/CsvReader.h"
#include "output/HCsvFileWriter.h"
#include "output/ListingPages.h"
#include "params/HHardwareParams.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

using Rows = std::vector<std::vector<std::string>>;

Rows parseCsv(const std::string& csv) {
    Rows rows;
    for (const CsvRow& row : CsvReader::rows(csv)) {
        rows.push_back(row.cells);
    }
    return rows;
}

class HKQ70OutputTest : public ::testing::Test {
protected:
    HKQ70OutputTest() { BuildDefaultImage(12, doc.GetMainMemory()); } // PMR446

    void setRadioChannel(int value) {
        test::setHardwareValue(doc.GetMainMemory(), HW_RADIO_CHANNEL, value);
    }

    // The CSV of the document in `mode`, written without a dialog.
    Rows exported(int mode) {
        ScriptedPrompt prompt;
        HCsvFileWriter writer(prompt);
        writer.setSetting(HTextFileWriter::DIALOG, "OFF");
        writer.setSetting(HTextFileWriter::FILE_PATH, folder.file("out.csv"));
        HKQ70Output output(doc, mode, "/data/radios/shop 7.k70", prompt);
        EXPECT_EQ(output.exportTo(writer), HKQ70Output::ExportResult::Written);
        return parseCsv(TempFolder::readText(folder.file("out.csv")));
    }

    static std::vector<std::string> banners(const Rows& rows) {
        std::vector<std::string> found;
        for (const auto& row : rows) {
            if (!row.empty() && row[0].starts_with("***") && row[0] != text::CSV_TITLE) {
                found.push_back(row[0]);
            }
        }
        return found;
    }

    CKQ70Doc doc;
    TempFolder folder;
};

TEST_F(HKQ70OutputTest, TitleRowsNameTheFileAndTheMarketingValues) {
    const Rows rows = exported(ACCESS_NORMAL);
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"***  Orvalis QM-724 PMR446  ***", ""}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"File Name", "shop 7.k70"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"Market Application", "[0100]"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"Serial Number", "[00000000]"}));
}

TEST_F(HKQ70OutputTest, SectionsByAccessModeAndRadioChannel) {
    const std::string hardware(text::CSV_HARDWARE);
    const std::string directCh(text::CSV_DIRECT_CH);
    const std::vector<std::string> common{
        std::string(text::CSV_SCAN), std::string(text::CSV_POWER_SAVING),
        std::string(text::CSV_KEY_FUNCTION), std::string(text::CSV_MISCELLANEOUS)};
    struct Case {
        int mode;
        int radioChannel;
        bool hasHardware;
        bool hasDirectCh;
    };
    const Case cases[] = {
        {ACCESS_NORMAL, 0, false, false},     {ACCESS_NORMAL, 6, false, true},
        {ACCESS_MANUFACTURE, 5, true, false}, {ACCESS_MANUFACTURE, 6, true, true},
        {ACCESS_ADJUSTMENT, 4, false, false}, {ACCESS_E_MODE, 6, false, true},
    };
    for (const Case& c : cases) {
        setRadioChannel(c.radioChannel);
        std::vector<std::string> expected;
        if (c.hasHardware) {
            expected.push_back(hardware);
        }
        expected.insert(expected.end(), common.begin(), common.end());
        if (c.hasDirectCh) {
            expected.push_back(directCh);
        }
        expected.emplace_back(text::CSV_CHANNEL_DATA);
        EXPECT_EQ(banners(exported(c.mode)), expected)
            << "mode " << c.mode << ", Radio Channel " << c.radioChannel;
    }
}

// Each used group has its line and its column titles; an empty group has neither. (A radio
// without groups has no group line: CsvImportRoundTrip reads such exports back.)
TEST_F(HKQ70OutputTest, ChannelSectionListsTheUsedGroups) {
    setRadioChannel(6);
    HChannelData data;
    data.extract(doc.GetMainMemory());
    for (int g = 0; g < HGroupTable::GROUP_COUNT; ++g) {
        data.groups().setCount(g, g == 0 ? 2 : g == 2 ? 1 : 0);
        data.groups().setTag(g, "");
    }
    data.groups().setTag(0, "DEPOT");
    data.groups().setScanFlag(2, true);
    for (int channel = 0; channel < CHANNEL_COUNT; ++channel) {
        data.setValue(channel, inUse, channel < 3 ? 1 : 0);
    }
    data.store(doc.GetMainMemory());

    const Rows rows = exported(ACCESS_MANUFACTURE);
    std::vector<std::string> firstCells;
    for (auto row = std::find_if(rows.begin(), rows.end(),
                                 [](const auto& r) { return r[0] == text::CSV_CHANNEL_DATA; });
         row != rows.end(); ++row) {
        firstCells.push_back(row->at(0));
        if (row->at(0).starts_with("GROUP") || *row == std::vector<std::string>{""}) {
            EXPECT_EQ(row->size(), 1u) << row->at(0);
        }
    }
    EXPECT_EQ(firstCells,
              (std::vector<std::string>{"***CHANNEL DATA***", "GROUP 1: DEPOT    None", "Chn",
                                        "  1", "  2", "GROUP 3:          SCAN", "Chn", "  3", ""}));
}

TEST_F(HKQ70OutputTest, FailuresAreReportedAndLeaveTheTargetAlone) {
    const std::string target = folder.file("radio.csv");
    TempFolder::writeText(target, "kept\r\n");

    ScriptedPrompt cancelled;
    cancelled.expectSaveFile(std::nullopt);
    HCsvFileWriter dialogWriter(cancelled);
    EXPECT_EQ(HKQ70Output(doc, ACCESS_NORMAL, "a.k70", cancelled).exportTo(dialogWriter),
              HKQ70Output::ExportResult::Cancelled);

    ScriptedPrompt openFails;
    const std::string missing = folder.file("gone/radio.csv");
    openFails.expectMessage("Problem opening file\r\n" + missing, MessageAnswer::Ok,
                            MessageIcon::Stop);
    HCsvFileWriter badPath(openFails);
    badPath.setSetting(HTextFileWriter::DIALOG, "OFF");
    badPath.setSetting(HTextFileWriter::FILE_PATH, missing);
    EXPECT_EQ(HKQ70Output(doc, ACCESS_NORMAL, "a.k70", openFails).exportTo(badPath),
              HKQ70Output::ExportResult::Failed);

    // A full disk (the writer's own test fails it at every point).
    ScriptedPrompt writeFails;
    writeFails.expectMessage("Problem writing to file", MessageAnswer::Ok, MessageIcon::Stop);
    HCsvFileWriter full(writeFails);
    full.setSetting(HTextFileWriter::DIALOG, "OFF");
    full.setSetting(HTextFileWriter::FILE_PATH, target);
    full.setWriteHooks({[](int, const void*, std::size_t) -> ssize_t {
                            errno = ENOSPC;
                            return -1;
                        },
                        {}});
    EXPECT_EQ(HKQ70Output(doc, ACCESS_NORMAL, "a.k70", writeFails).exportTo(full),
              HKQ70Output::ExportResult::Failed);
    EXPECT_EQ(TempFolder::readText(target), "kept\r\n");
}

TEST_F(HKQ70OutputTest, ExportAndListingLeaveTheDocumentUntouched) {
    // A frequency that is no PMR channel: the grid shows it as channel 1 and writes that back;
    // the export and the listing only show it.
    HChannelData data;
    data.extract(doc.GetMainMemory());
    data.setValue(3, rxFrequency, 446010000);
    data.store(doc.GetMainMemory());
    const RadioImage before = doc.GetMainMemory();
    exported(ACCESS_MANUFACTURE);
    exported(ACCESS_NORMAL);
    ScriptedPrompt quiet;
    const ListingPages listing(doc, ACCESS_NORMAL, "a.k70", quiet);
    EXPECT_EQ(test::firstDifference(doc.GetMainMemory(), before, 0, IMAGE_SIZE), "");
}

} // namespace
} // namespace kq70
