// The program under the user's locale, as the desktop program's Qt sets it for the whole
// process: numbers keep their decimal point and case mapping stays ASCII whatever the locale.

#include "SimulatorSeed.h"
#include "app/Passwords.h"
#include "channel/ChannelCellInput.h"
#include "channel/ChannelGridLayout.h"
#include "support/ChannelViewHarness.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "support/ProcessLocale.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr const char* LANGUAGES[] = {"de_DE", "tr_TR"};
constexpr int ROW2 = ChannelGridLayout::FIRST_DATA_ROW + 1; // channel 2 of the group

struct Outputs {
    std::vector<std::string> printed;
    std::vector<std::vector<std::uint8_t>> files;
};

// Every command that reads or writes numbers, run in this process with its outputs kept.
Outputs runCommands(const TempFolder& folder, const std::string& tag) {
    const std::string data = folder.file("radio.k70");
    const std::vector<std::vector<std::string>> commands = {
        {"show", "--json", data},
        {"show", data},
        {"grid", "--mode", "1", "--mode-password", "Quiet Harbours", data},
        {"listing", data},
        {"export-csv", data, folder.file(tag + ".csv")},
        {"apply", data, folder.file("patch.json"), "-o", folder.file(tag + ".k70")},
        {"export-csv", "--mode", "4", "--mode-password", "LOMARI-KE", data,
         folder.file(tag + "-e.csv")},
        {"import-csv", data, folder.file("lower.csv"), "-o", folder.file(tag + "-csv.k70")},
    };
    Outputs outputs;
    for (const auto& command : commands) {
        const test::CliRun run = test::runCliWith(command, folder.path());
        EXPECT_EQ(run.code, 0) << command.front() << ": " << run.err;
        // Only the names of the written files differ.
        std::string printed = run.out;
        if (const std::size_t at = printed.find(tag); at != std::string::npos) {
            printed.replace(at, tag.size(), "TAG");
        }
        outputs.printed.push_back(printed);
    }
    for (const char* suffix : {".csv", ".k70", "-e.csv", "-csv.k70"}) {
        outputs.files.push_back(TempFolder::readBytes(folder.file(tag + suffix)));
    }
    return outputs;
}

TEST(LocaleTest, CommandsPrintAndWriteTheSameUnderEveryLocale) {
    TempFolder folder;
    test::writeDataFile(folder.file("radio.k70"), makeSimulatorSeedImage());
    TempFolder::writeText(folder.file("patch.json"),
                          R"({"channels": [{"index": 1, "rxFrequency": 446012500}]})");
    // A spreadsheet's tag in lower case, which the import takes in capitals.
    TempFolder::writeText(folder.file("lower.csv"), "\"***Power Saving Parameters***\",\"\"\r\n"
                                                    "\"Power-ON Alpha Tag\",\"mission\"\r\n");
    const Outputs plain = runCommands(folder, "plain");
    for (const char* language : LANGUAGES) {
        const test::ProcessLocale locale(language);
        if (!locale.active()) {
            GTEST_SKIP() << locale.why();
        }
        const Outputs localised = runCommands(folder, language);
        EXPECT_EQ(localised.printed, plain.printed) << language;
        EXPECT_TRUE(localised.files == plain.files) << language;
    }
}

// A frequency typed or pasted into the grid, the E mode's word in capitals, a tag typed in
// lower case: what the desktop program takes from the user.
TEST(LocaleTest, TypedNumbersAndWordsMeanTheSameUnderEveryLocale) {
    for (const char* language : LANGUAGES) {
        const test::ProcessLocale locale(language);
        if (!locale.active()) {
            GTEST_SKIP() << locale.why();
        }
        SCOPED_TRACE(language);
        EXPECT_EQ(ChannelCellInput::filteredKey(COL_TAG, 'i'), 'I');
        EXPECT_TRUE(passwords::isEModeWord("LOMARI-KE"));

        test::ChannelViewHarness typed(test::pmrImage());
        EXPECT_TRUE(typed.grid.typeInto(typed.open(ACCESS_MANUFACTURE), ROW2, COL_RX_FREQUENCY,
                                        "446.0125"));
        EXPECT_EQ(typed.saved().getValue(1, rxFrequency), 446012500);

        test::ChannelViewHarness pasted(test::pmrImage());
        CKQ70View& view = pasted.open(ACCESS_MANUFACTURE);
        pasted.prompt.expectMessage("", MessageAnswer::Yes); // copy into channel 2?
        pasted.grid.select({ROW2, COL_RX_FREQUENCY, ROW2, COL_RX_FREQUENCY});
        EXPECT_TRUE(view.Paste("446.0125\r\n"));
        EXPECT_EQ(pasted.saved().getValue(1, rxFrequency), 446012500);
    }
}

} // namespace
} // namespace kq70
