#include "output/CsvImport.h"

#include "app/AccessMode.h"
#include "channel/ChannelValueChecks.h"
#include "channel/FrequencyCodec.h"
#include "channel/HChannelData.h"
#include "channel/ToneTables.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "output/CsvReader.h"
#include "output/HCsvFileWriter.h"
#include "output/HKQ70Output.h"
#include "pages/HChannelAllocationDialog.h"
#include "pages/HHardwareDialog.h"
#include "pages/HScanningDialog.h"
#include "params/HHardwareParams.h"
#include "params/HMiscParams.h"
#include "support/ChannelViewHarness.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <sys/stat.h>

namespace kq70 {
namespace {

using test::ChannelViewHarness;
using test::TempFolder;
using Rows = std::vector<std::vector<std::string>>;

// What File > Export to CSV writes for `image` in `mode`.
std::string exported(const RadioImage& image, int mode) {
    TempFolder folder;
    test::ScriptedPrompt prompt;
    CKQ70Doc doc;
    doc.GetMainMemory() = image;
    HCsvFileWriter writer(prompt);
    writer.setSetting(HTextFileWriter::DIALOG, "OFF");
    writer.setSetting(HTextFileWriter::FILE_PATH, folder.file("out.csv"));
    HKQ70Output output(doc, mode, "radio.k70", prompt);
    EXPECT_EQ(output.exportTo(writer), HKQ70Output::ExportResult::Written);
    return TempFolder::readText(folder.file("out.csv"));
}

Rows rowsOf(const std::string& csv) {
    Rows rows;
    for (const CsvRow& row : CsvReader::rows(csv)) {
        rows.push_back(row.cells);
    }
    return rows;
}

// The rows written back as the export writes them. (What a spreadsheet program saves again
// reads into the same cells: CsvReaderTest.)
std::string written(const Rows& rows) {
    test::ScriptedPrompt prompt;
    const HCsvFileWriter writer(prompt);
    std::string text;
    for (const auto& row : rows) {
        text += writer.csvLine(row);
    }
    return text;
}

// The index of the first row whose first cell reads `key` (or starts with it), ignoring blanks.
std::size_t rowOf(const Rows& rows, const std::string& key, bool prefix = false) {
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string first = rows[k].empty() ? "" : trimmed(rows[k][0]);
        if (prefix ? first.starts_with(key) : first == key) {
            return k;
        }
    }
    ADD_FAILURE() << "no row " << key;
    return 0;
}

std::string withCell(const std::string& csv, const std::string& key, std::size_t cell,
                     const std::string& text) {
    Rows rows = rowsOf(csv);
    rows[rowOf(rows, key)][cell] = text;
    return written(rows);
}

CsvImportResult imported(const RadioImage& image, int mode, const std::string& csv,
                         UnlistedChannels unlisted = UnlistedChannels::Keep) {
    return CsvImport(mode, unlisted).importText(image, csv);
}

std::string errorsText(const CsvImportResult& result) {
    std::string text;
    for (const CsvImportError& e : result.errors) {
        text += e.text() + "\n";
    }
    return text;
}

// The result holds one error, on `line` (from 1), whose reason contains `reason`.
void expectOneError(const CsvImportResult& result, int line, const std::string& reason) {
    ASSERT_EQ(result.errors.size(), 1u) << errorsText(result);
    EXPECT_EQ(result.errors[0].line, line);
    EXPECT_NE(result.errors[0].reason.find(reason), std::string::npos) << errorsText(result);
}

// The image as the channel view leaves it once every group has been shown and saved.
RadioImage viewNormalised(const RadioImage& image, int mode) {
    ChannelViewHarness harness(image);
    CKQ70View& view = harness.open(mode);
    for (int group = 0; group < view.GetChannelData().groupCount(); ++group) {
        if (view.GetChannelData().isGroupUsed(group)) {
            view.SelectGroup(group);
        }
    }
    view.OnSaveData();
    return harness.image;
}

// A radio of `band` and `radioChannel` with channels, tones, flags and groups drawn at random.
RadioImage generatedImage(int band, int radioChannel, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&random](int n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
    };
    RadioImage image;
    BuildDefaultImage(band, image);
    test::setHardwareValue(image, HW_RADIO_CHANNEL, radioChannel);
    test::setMiscValue(image, HMiscParams::OPTION_UNIT,
                       pick(2) * HMiscParams::OPTION_UNIT_ENCRYPTION);
    test::setMiscValue(image, HMiscParams::ARTS_MODE, pick(3));
    HChannelData data;
    data.extract(image);
    for (int g = 0, left = data.capacity(); g < data.groupCount(); ++g) {
        const int count = g + 1 == data.groupCount() ? left : pick(std::min(left, 40) + 1);
        data.groups().setCount(g, count);
        data.groups().setTag(g, std::string(1, static_cast<char>('A' + g)) + "GRP");
        data.groups().setScanFlag(g, pick(2) == 1);
        left -= count;
    }
    const auto tone = [&](int mode) {
        return mode == 1   ? ctcssTable[static_cast<std::size_t>(pick(CTCSS_COUNT))]
               : mode == 2 ? dcsTable[static_cast<std::size_t>(pick(DCS_COUNT))]
                           : 0;
    };
    for (int c = 0; c < data.capacity(); ++c) {
        data.setValue(c, inUse, c == 0 || pick(3) != 0 ? 1 : 0);
        data.setValue(c, rxFrequency, 436000000 + 6250 * pick(3201));
        data.setValue(c, txFrequency, 436000000 + 12500 * pick(1601));
        data.setValue(c, txInhibit, pick(4) == 0 ? 1 : 0);
        for (const auto& [mode, code] :
             {std::pair{rxToneMode, rxToneCode}, {txToneMode, txToneCode}}) {
            data.setValue(c, mode, pick(3));
            data.setValue(c, code, tone(data.getValue(c, mode)));
        }
        for (const int flag : {rxDcsInverted, rxDcsBoth, txDcsInverted, powerSaveRx, scan, dialScan,
                               tot, lockOut, arts, ani}) {
            data.setValue(c, flag, pick(2));
        }
        data.setValue(c, squelchLevel, pick(16));
        data.setValue(c, encryption, pick(4));
        data.setValue(c, bandwidth, pick(3));
    }
    data.store(image);
    return image;
}

// The image after a user changed, in every group, the cells the export shows: each flag and
// the squelch of every programmed channel, the receive frequency in the service modes where the
// radio's range allows, and then every eighth channel unprogrammed.
RadioImage disturbed(const RadioImage& image, int mode) {
    ChannelViewHarness harness(image);
    CKQ70View& view = harness.open(mode);
    // The channel table holds 436-456 MHz whatever the band; only where the radio's own range
    // holds that too can a frequency be typed back in.
    HHardwareParams hardware;
    hardware.extract(image);
    const bool frequencies = (mode == ACCESS_MANUFACTURE || mode == ACCESS_E_MODE) &&
                             isFrequencyInRange(STORE_MIN_HZ, hardware) &&
                             isFrequencyInRange(STORE_MAX_HZ, hardware);
    const std::int32_t optionUnit = HMiscParams::optionUnitOf(image);
    const bool encryptionShown = optionUnit != 0 && optionUnit != 4;
    for (int group = 0; group < view.GetChannelData().groupCount(); ++group) {
        if (!view.GetChannelData().isGroupUsed(group)) {
            continue;
        }
        view.SelectGroup(group);
        for (int row = 2; row < harness.grid.rowCount(); ++row) {
            const int channel = view.ChannelOfRow(row);
            if (!view.GetChannelData().isInUse(channel)) {
                continue; // not exported
            }
            for (const int column : {COL_POWER_SAVE_RX, COL_SCAN, COL_DIAL_SCAN, COL_TOT,
                                     COL_LOCK_OUT, COL_ARTS, COL_ENCRYPTION}) {
                if (column != COL_ENCRYPTION || encryptionShown) {
                    harness.at(row, column);
                    view.OnSpace();
                }
            }
            harness.grid.chooseComboData(
                COL_SQUELCH,
                std::to_string((view.GetChannelData().getValue(channel, squelchLevel) + 1) % 16));
            view.afterEdit(row, COL_SQUELCH);
            if (frequencies) {
                harness.grid.typeInto(view, row, COL_RX_FREQUENCY, "446.05");
            }
        }
        for (int row = 2; row < harness.grid.rowCount(); ++row) {
            const int channel = view.ChannelOfRow(row);
            if (channel % 8 == 1 && view.GetChannelData().isInUse(channel)) {
                harness.at(row, COL_CHANNEL);
                view.OnSpace();
            }
        }
    }
    view.OnSaveData();
    return harness.image;
}

// Every band and capacity, in the user, manufacture and E modes: an unedited export imports
// to the image the channel view makes of it, byte for byte, and exports again to the same
// file. Imported into the image after a user changed the shown cells (in one of the modes, by
// turns), it gives the exported image back.
class CsvImportRoundTrip : public testing::TestWithParam<int> {};

TEST_P(CsvImportRoundTrip, AnUneditedExportImportsToTheSameBytesAndTheSameFile) {
    const int band = GetParam();
    const std::array<int, 3> modes = {ACCESS_NORMAL, ACCESS_MANUFACTURE, ACCESS_E_MODE};
    for (const int radioChannel : {0, 1, 3, 4, 5, 6}) {
        for (const int mode : modes) {
            SCOPED_TRACE(testing::Message() << "band " << band << ", Radio Channel " << radioChannel
                                            << ", mode " << mode);
            const auto seed = static_cast<unsigned>(band * 100 + radioChannel * 10 + mode);
            const RadioImage image = generatedImage(band, radioChannel, seed);
            const RadioImage normalised = viewNormalised(image, mode);
            const std::string csv = exported(image, mode);
            const CsvImportResult result = imported(image, mode, csv);
            ASSERT_TRUE(result.ok()) << errorsText(result);
            EXPECT_EQ(test::firstDifference(result.image, normalised, 0, IMAGE_SIZE), "");
            EXPECT_TRUE(result.unlistedChannels.empty());
            EXPECT_EQ(exported(result.image, mode), csv);
            if (mode != modes[static_cast<std::size_t>(band + radioChannel) % modes.size()]) {
                continue;
            }
            const CsvImportResult restored = imported(disturbed(normalised, mode), mode, csv);
            ASSERT_TRUE(restored.ok()) << errorsText(restored);
            EXPECT_EQ(test::firstDifference(restored.image, normalised, 0, IMAGE_SIZE), "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryBand, CsvImportRoundTrip, testing::Values(0, 1, 4, 5, 6, 8, 9, 12));

// A user's action on the grid row of `channel` (0-based) in the view over `image`.
using GridAction = std::function<void(ChannelViewHarness&, CKQ70View&, int row)>;

void onChannel(RadioImage& image, int mode, int channel, const std::vector<GridAction>& steps) {
    ChannelViewHarness harness(image);
    CKQ70View& view = harness.open(mode);
    view.SelectGroup(view.GetChannelData().groupOfChannel(channel));
    for (const GridAction& step : steps) {
        step(harness, view, view.RowOfChannel(channel));
    }
    view.OnSaveData();
    EXPECT_TRUE(harness.prompt.finished());
    image = harness.image;
}

GridAction space(int column) {
    return [column](ChannelViewHarness& h, CKQ70View& view, int row) {
        h.at(row, column);
        view.OnSpace();
    };
}

GridAction chooseTone(ToneKind kind, std::int32_t code) {
    return [kind, code](ChannelViewHarness& h, CKQ70View& view, int row) {
        h.choosers.toneAnswers.push_back(ChannelChoosers::Tone{kind, code});
        h.at(row, COL_DECODE);
        view.OnEnter();
    };
}

GridAction typed(int column, const std::string& text, bool warned) {
    return [=](ChannelViewHarness& h, CKQ70View& view, int row) {
        if (warned) {
            h.prompt.expectMessage(std::string(text::OUT_OF_FREQUENCY_RANGE));
        }
        h.grid.typeInto(view, row, column, text);
    };
}

// An edited cell of the CSV lands as the grid or the page stores the same change: a tone
// (also in its short forms, switched on, with a DCS polarity), a frequency chosen or typed
// (kept with the grid's warning) and parameter entries and edits; flags and the squelch go
// through the round trip above.
TEST(CsvImportTest, AnEditedCellLandsAsTheGridOrThePageStoresIt) {
    struct Case {
        const char* what;
        int mode;
        std::string key; // the row's first cell
        std::size_t cell;
        std::string text;
        std::function<void(RadioImage&)> expected;
    };
    const auto grid = [](int mode, int channel, std::vector<GridAction> steps) {
        return [=](RadioImage& image) { onChannel(image, mode, channel, steps); };
    };
    const std::vector<Case> cases = {
        {"a tone switched on, short form", 0, "3", 2, "71.9",
         grid(0, 2, {space(COL_DECODE), chooseTone(ToneKind::Ctcss, 719)})},
        {"a DCS tone with its polarity", 0, "9", 2, "D-023 I",
         grid(0, 8,
              {chooseTone(ToneKind::Dcs, 19),
               [](ChannelViewHarness& h, CKQ70View& view, int row) {
                   h.at(row, COL_DECODE);
                   view.OnF3();
               }})},
        {"a tone switched off", 1, "10", 3, "-----", grid(1, 9, {space(COL_DECODE)})},
        {"a PMR channel chosen", 0, "2", 1, "CH7",
         grid(0, 1, {[](ChannelViewHarness& h, CKQ70View& view, int row) {
                  h.choosers.pmrAnswers.push_back(7);
                  h.at(row, COL_RX_FREQUENCY);
                  view.OnEnter();
              }})},
        {"a frequency kept with a warning", 1, "2", 1, "445.5",
         grid(1, 1, {typed(COL_RX_FREQUENCY, "445.5", true)})},
        {"a transmit frequency", 4, "4", 2, "446.00000",
         grid(4, 3, {typed(COL_TX_FREQUENCY, "446.00000", false)})},
        {"a page entry", 0, "Priority Check", 1, "Enable",
         [](RadioImage& image) {
             HScanningDialog page(image, 0);
             page.OnInitDialog();
             ASSERT_TRUE(page.SelectItemValue(HScanningDialog::IDC_PRIORITY_CHECK, 3));
             ASSERT_TRUE(page.OnOK());
         }},
        {"a page edit, as a spreadsheet writes the number", 1, "Ref XTAL", 1, "16.4",
         [](RadioImage& image) {
             CKQ70Doc doc;
             doc.GetMainMemory() = image;
             test::ScriptedPrompt prompt;
             HHardwareDialog page(doc, 1, prompt);
             page.OnInitDialog();
             ASSERT_TRUE(page.TypeText(IDC_HW_REF_XTAL, "16.40"));
             ASSERT_TRUE(page.OnOK());
             image = doc.GetMainMemory();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RadioImage image = viewNormalised(test::pmrImage(), c.mode);
        RadioImage expected = image;
        c.expected(expected);
        ASSERT_NE(test::firstDifference(expected, image, 0, IMAGE_SIZE), "");
        const CsvImportResult result =
            imported(image, c.mode, withCell(exported(image, c.mode), c.key, c.cell, c.text));
        ASSERT_TRUE(result.ok()) << errorsText(result);
        EXPECT_EQ(test::firstDifference(result.image, expected, 0, IMAGE_SIZE), "");
        EXPECT_EQ(result.hardwareEdited, c.key == "Ref XTAL");
    }
}

// A bad cell of each kind is reported with its line and column and changes nothing; a file
// with all of them reports every one, top to bottom.
TEST(CsvImportTest, EveryBadCellIsReportedWithItsLineAndColumnAndNothingChanges) {
    struct Case {
        std::string key;
        std::size_t cell;
        std::string text;
        std::string column;
        std::string reason; // a part of it
    };
    const std::string rx = "RX/TX Channel (Frequency)";
    const std::vector<Case> cases = {
        {"Ref XTAL", 1, "16,8", "Ref XTAL", "is not a number"},
        {"Scan PLL B Register", 1, "300", "Scan PLL B Register", "300 is outside 0 - 255"},
        {"Dual Watch Timer", 1, "2 sec", "Dual Watch Timer", "does not let this entry be changed"},
        {"Penalty Timer", 1, "9 sec", "Penalty Timer", "\"9 sec\" is not one of the entries"},
        {"Bell", 0, "Bells", "Bells", "no entry of this name"},
        {"1", 1, "471.00000", rx, "outside the radio's frequency range"},
        {"2", 1, "460.00000", rx, "outside 436.00000-456.00000 MHz"},
        {"3", 1, "446.00100", rx, "not on the radio's channel step"},
        {"4", 2, "---.-----", rx, "cannot switch"},
        {"5", 3, "C-67.1", "SUB AUDIO Dec/Enc (Value)", "\"C-67.1\" is not a tone"},
        {"6", 5, "x", "SC", "\"x\" is neither"},
        {"7", 8, "16", "SQ", "\"16\" is not a squelch level"},
        {"8", 0, "17", "Chn", "channel 17 is beyond the radio's 16 channels"},
        {"10", 0, "9", "Chn", "channel 9 is listed on line"},
    };
    const RadioImage image = viewNormalised(test::pmrImage(), ACCESS_MANUFACTURE);
    const std::string csv = exported(image, ACCESS_MANUFACTURE);
    const Rows rows = rowsOf(csv);
    Rows everyError = rows;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key + " " + c.text);
        const int line = static_cast<int>(rowOf(rows, c.key)) + 1;
        const CsvImportResult result =
            imported(image, ACCESS_MANUFACTURE, withCell(csv, c.key, c.cell, c.text));
        expectOneError(result, line, c.reason);
        EXPECT_EQ(result.errors.at(0).column, c.column);
        EXPECT_EQ(test::firstDifference(result.image, image, 0, IMAGE_SIZE), "");
        everyError[static_cast<std::size_t>(line - 1)][c.cell] = c.text;
    }
    const CsvImportResult result = imported(image, ACCESS_MANUFACTURE, written(everyError));
    ASSERT_EQ(result.errors.size(), cases.size()) << errorsText(result);
    for (std::size_t k = 0; k < cases.size(); ++k) {
        EXPECT_EQ(result.errors[k].column, cases[k].column);
    }
    EXPECT_EQ(test::firstDifference(result.image, image, 0, IMAGE_SIZE), "");
}

// Channels the file does not list are kept or made unused, as the caller chooses; channel 1
// is always programmed.
TEST(CsvImportTest, UnlistedChannelsAreKeptOrMadeUnused) {
    const RadioImage image = viewNormalised(test::pmrImage(), ACCESS_NORMAL);
    Rows rows = rowsOf(exported(image, 0));
    std::erase_if(rows, [](const std::vector<std::string>& row) {
        return !row.empty() && (row[0] == "  1" || row[0] == "  5" || row[0] == " 16");
    });
    const std::string csv = written(rows);
    const CsvImportResult kept = imported(image, 0, csv, UnlistedChannels::Keep);
    ASSERT_TRUE(kept.ok()) << errorsText(kept);
    EXPECT_EQ(kept.unlistedChannels, (std::vector<int>{5, 16}));
    EXPECT_EQ(test::firstDifference(kept.image, image, 0, IMAGE_SIZE), "");

    const CsvImportResult unused = imported(image, 0, csv, UnlistedChannels::Unprogram);
    ASSERT_TRUE(unused.ok()) << errorsText(unused);
    EXPECT_EQ(unused.unlistedChannels, (std::vector<int>{5, 16}));
    HChannelData data;
    data.extract(unused.image);
    for (int channel = 0; channel < 16; ++channel) {
        EXPECT_EQ(data.isInUse(channel), channel != 4 && channel != 15) << channel;
    }
    // Listed again, they are programmed again with the values the file gives.
    const CsvImportResult back = imported(unused.image, 0, exported(image, 0));
    ASSERT_TRUE(back.ok()) << errorsText(back);
    EXPECT_EQ(exported(back.image, 0), exported(image, 0));
}

// A user may reorder and drop columns: they are found by their titles, and a dropped column
// leaves its values as they are.
TEST(CsvImportTest, ColumnsAreFoundByTheirTitles) {
    const RadioImage image = viewNormalised(test::pmrImage(), ACCESS_NORMAL);
    Rows rows = rowsOf(withCell(exported(image, 0), "6", 7, "9")); // SQ of channel 6
    for (std::size_t k = rowOf(rows, "Chn"); k < rows.size(); ++k) {
        if (rows[k].size() > 7) {
            std::reverse(rows[k].begin(), rows[k].end());
            rows[k].erase(rows[k].begin() + 1); // "BCLO"
        }
    }
    const CsvImportResult result = imported(image, 0, written(rows));
    ASSERT_TRUE(result.ok()) << errorsText(result);
    RadioImage expected = image;
    onChannel(expected, 0, 5, {[](ChannelViewHarness& h, CKQ70View& view, int row) {
                  h.grid.chooseComboData(COL_SQUELCH, "9");
                  view.afterEdit(row, COL_SQUELCH);
              }});
    EXPECT_EQ(test::firstDifference(result.image, expected, 0, IMAGE_SIZE), "");
}

// `count` rows from `from` put before the row at `to`.
Rows moved(Rows rows, std::size_t from, std::size_t count, std::size_t to) {
    std::vector<std::vector<std::string>> block(rows.begin() + static_cast<long>(from),
                                                rows.begin() + static_cast<long>(from + count));
    rows.erase(rows.begin() + static_cast<long>(from),
               rows.begin() + static_cast<long>(from + count));
    const std::size_t at = to > from ? to - count : to;
    rows.insert(rows.begin() + static_cast<long>(at), block.begin(), block.end());
    return rows;
}

// Group lines set each group's tag and scan flag, and the channels under them its run,
// through the channel allocation dialog, whose rules apply.
TEST(CsvImportTest, GroupLinesSetTheGroupsAsTheAllocationDialogDoes) {
    const RadioImage image = viewNormalised(test::imageWithGroups({10, 10, 12}), ACCESS_NORMAL);
    const Rows rows = rowsOf(exported(image, 0));
    const std::size_t group2 = rowOf(rows, "GROUP 2:", true);

    // Channel 11 moved up into group 1: group 1 grows by one, group 2 starts a channel later.
    // The dialog programs every channel of a group from the first that grew; those the file
    // does not list are made unused again.
    const Rows grown = moved(rows, group2, 2, group2 + 3);
    const CsvImportResult result = imported(image, 0, written(grown), UnlistedChannels::Unprogram);
    ASSERT_TRUE(result.ok()) << errorsText(result);
    HChannelData data;
    data.extract(result.image);
    EXPECT_EQ(data.groupChannelCount(0), 11);
    EXPECT_EQ(data.groupChannelCount(1), 9);
    EXPECT_EQ(data.groupChannelCount(2), 12);
    EXPECT_EQ(exported(result.image, 0), written(grown));

    // A tag and the group scan, in the short form a person types.
    Rows tagged = rows;
    tagged[group2][0] = "GROUP 2: fire SCAN";
    const CsvImportResult retagged = imported(image, 0, written(tagged));
    ASSERT_TRUE(retagged.ok()) << errorsText(retagged);
    RadioImage expected = image;
    HChannelAllocationDialog dialog(expected, 0);
    dialog.OnInitDialog();
    ASSERT_TRUE(dialog.TypeText(HChannelAllocationDialog::IDC_TAG + 1, "fire"));
    ASSERT_TRUE(dialog.SelectItemValue(HChannelAllocationDialog::IDC_SCAN + 1, 1));
    ASSERT_TRUE(dialog.OnOK());
    EXPECT_EQ(test::firstDifference(retagged.image, expected, 0, IMAGE_SIZE), "");

    // What the groups cannot be.
    struct Case {
        RadioImage image;
        Rows rows;
        std::size_t row;
        std::string reason;
    };
    Rows unknownGroup = rows;
    unknownGroup[group2][0] = "GROUP 17: X None";
    const RadioImage small = viewNormalised(test::imageWithGroups({8, 24}, 4), ACCESS_NORMAL);
    const Rows smallRows = rowsOf(exported(small, 0));
    const std::size_t smallGroup2 = rowOf(smallRows, "GROUP 2:", true);
    Rows sixteen = rowsOf(exported(viewNormalised(test::pmrImage(), 0), 0));
    const std::size_t header = rowOf(sixteen, "Chn", true);
    sixteen.insert(sixteen.begin() + static_cast<long>(header), {"GROUP 1: X None"});
    const std::vector<Case> cases = {
        {image, unknownGroup, group2, "this radio has groups 1-16, not group 17"},
        {image, moved(rows, group2 - 6, 1, group2 + 3), group2 + 2,
         "channel 5 cannot be in group 2"},
        {small, moved(smallRows, smallGroup2, 2, smallGroup2 + 3), smallGroup2 + 1,
         "cannot be changed in this access mode"},
        {test::pmrImage(), sixteen, header, "this radio has no channel groups"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        expectOneError(imported(c.image, 0, written(c.rows)), static_cast<int>(c.row) + 1,
                       c.reason);
    }
}

// Rows and column titles the export never writes for this radio and access mode.
TEST(CsvImportTest, RowsAndTitlesOutOfPlaceAreReported) {
    const RadioImage image = viewNormalised(test::pmrImage(), ACCESS_NORMAL);
    const Rows rows = rowsOf(exported(image, 0));
    const std::size_t header = rowOf(rows, "Chn", true);
    const std::size_t scan = rowOf(rows, "***Scan", true);
    struct Case {
        std::function<void(Rows&)> edit;
        std::size_t row;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {[&](Rows& r) { r[header][4] = "Foo"; }, header, "there is no such column"},
        {[&](Rows& r) { r[header].push_back("Encr"); }, header, "does not show this column"},
        {[&](Rows& r) { r[header].push_back(r[header][1]); }, header, "does not show this column"},
        {[&](Rows& r) { r[header].push_back("SC"); }, header, "the column is there twice"},
        {[&](Rows& r) { r.erase(r.begin() + static_cast<long>(header)); }, header,
         "a channel row comes before the column titles"},
        {[&](Rows& r) {
             r.insert(r.begin() + static_cast<long>(scan), {"***Direct CH Parameters***"});
         },
         scan, "no such page"},
        {[&](Rows& r) { r.insert(r.begin() + static_cast<long>(scan), {"***Other***"}); }, scan,
         "there is no such section"},
        {[&](Rows& r) {
             r.insert(r.begin() + 2, {"Hello", "x"});
         },
         2, "the row belongs to no section"},
        {[&](Rows& r) { r[scan + 1].push_back("x"); }, scan + 1, "more than a caption and a value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        Rows edited = rows;
        c.edit(edited);
        expectOneError(imported(image, 0, written(edited)), static_cast<int>(c.row) + 1, c.reason);
    }
    const CsvImportResult empty = imported(image, 0, "\r\n\r\n");
    ASSERT_EQ(empty.errors.size(), 1u);
    EXPECT_EQ(empty.errors[0].text(), text::CSV_IMPORT_NO_SECTION);
}

// A file over 1 MB, one that is not text, or no file at all is refused before it is parsed.
TEST(CsvImportTest, AFileThatIsNoCsvTextIsRefusedBeforeParsing) {
    TempFolder folder;
    const RadioImage image = test::pmrImage();
    const std::string csv = exported(image, 0);
    struct Case {
        std::string name;
        std::string content;
        std::string_view reason;
    };
    const std::vector<Case> cases = {
        {"large.csv", csv + std::string(CsvImport::MAX_FILE_SIZE, ' '), text::CSV_IMPORT_TOO_LARGE},
        {"binary.csv", csv + std::string(1, '\0'), text::CSV_IMPORT_NOT_TEXT},
        {"utf16.csv", std::string("\xFF\xFE\"\0*\0", 6), text::CSV_IMPORT_NOT_TEXT},
        {"folder.csv", "", text::CSV_IMPORT_NOT_REGULAR},
        {"missing.csv", "", text::CSV_IMPORT_UNREADABLE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        if (c.name == "folder.csv") {
            ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
        } else if (c.name != "missing.csv") {
            TempFolder::writeText(path, c.content);
        }
        const CsvImportResult result = CsvImport(0, UnlistedChannels::Keep).importFile(image, path);
        ASSERT_EQ(result.errors.size(), 1u);
        EXPECT_EQ(result.errors[0].text(), c.reason);
        EXPECT_EQ(test::firstDifference(result.image, image, 0, IMAGE_SIZE), "");
    }
    const std::string exact = folder.file("exact.csv");
    TempFolder::writeText(exact, csv + std::string(CsvImport::MAX_FILE_SIZE - csv.size(), '\n'));
    EXPECT_TRUE(CsvImport(0, UnlistedChannels::Keep).importFile(image, exact).ok());
}

} // namespace
} // namespace kq70
