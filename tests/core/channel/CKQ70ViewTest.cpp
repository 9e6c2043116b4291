#include "channel/CKQ70View.h"
#include "channel/ChannelGridLayout.h"
#include "params/HHardwareParams.h"
#include "params/HMiscParams.h"
#include "params/HScanParams.h"
#include "support/ChannelViewHarness.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70::test {
namespace {

constexpr int ROW1 = ChannelGridLayout::FIRST_DATA_ROW; // channel 1 of the group
using Input = CKQ70View::CellInput;
using Tone = ChannelChoosers::Tone;

RadioImage withValues(RadioImage image, int channel,
                      std::initializer_list<std::pair<ChannelValue, std::int32_t>> values) {
    HChannelData data;
    data.extract(image);
    for (const auto& [index, value] : values) {
        data.setValue(channel, index, value);
    }
    data.store(image);
    return image;
}

// The PMR image with channel 4 (row 5) unprogrammed and channel 3 (row 4) on DCS 023 both ways.
RadioImage workImage() {
    return withValues(withValues(pmrImage(), 3, {{inUse, 0}}), 2,
                      {{rxToneMode, 2}, {rxToneCode, 19}, {txToneMode, 2}, {txToneCode, 19}});
}

std::vector<bool> hiddenColumns(const ChannelViewHarness& h) {
    std::vector<bool> hidden;
    for (int column = 0; column < 22; ++column) {
        hidden.push_back(h.grid.columnHidden(column));
    }
    return hidden;
}

void pressSpace(ChannelViewHarness& h, int row, int column) {
    h.at(row, column);
    EXPECT_EQ(h.view->OnSpace(), CKQ70View::KeyOutcome::Handled);
}

TEST(CKQ70ViewTest, VisibilityByModeDisplayAndOptionUnit) {
    struct Case {
        int mode;
        int lcd;
        int optionUnit;
        bool txShown;
        bool encryptionShown;
    };
    const Case cases[] = {{0, 1, 0, false, false},
                          {2, 1, 3, false, true},
                          {1, 1, 4, true, false},
                          {4, 0, 1, true, true}};
    for (const Case& c : cases) {
        RadioImage image = pmrImage();
        setHardwareValue(image, HW_LCD_TYPE, c.lcd);
        setMiscValue(image, HMiscParams::OPTION_UNIT, c.optionUnit);
        ChannelViewHarness h(image);
        CKQ70View& view = h.open(c.mode);
        SCOPED_TRACE(c.mode);
        // Fixed rules: Pri, W/N, TAG, Power, ANI, Page/Signal, Clock Shift, 7 and 9.
        std::vector<bool> hidden(22, false);
        for (const int column : {1, 2, 3, 7, 9, 10, 15, 18, 19, 20}) {
            hidden[static_cast<std::size_t>(column)] = true;
        }
        hidden[5] = !c.txShown;
        hidden[16] = !c.encryptionShown;
        EXPECT_EQ(hiddenColumns(h), hidden);
        EXPECT_EQ(view.ItemChecked(ChannelGridLayout::ITEM_ENCR), c.encryptionShown);
        EXPECT_EQ(view.ItemCommandEnabled(ChannelGridLayout::ITEM_ENCR), c.encryptionShown);
        if (c.lcd == 0) {
            EXPECT_EQ(h.settings.items[ChannelGridLayout::ITEM_TAG], 0);
        }
    }
}

TEST(CKQ70ViewTest, HidingAnItemAndShowingItAgainRestoresItsColumns) {
    ChannelViewHarness h(pmrImage());
    CKQ70View& view = h.open(1);
    for (const int item : {ChannelGridLayout::ITEM_FREQUENCY, ChannelGridLayout::ITEM_SUB_AUDIO,
                           ChannelGridLayout::ITEM_POWER_SAVE, ChannelGridLayout::ITEM_ARTS}) {
        const std::vector<bool> before = hiddenColumns(h);
        view.ToggleItem(item);
        EXPECT_FALSE(view.ItemChecked(item));
        for (int c = 1; c < 22; ++c) {
            if (ChannelGridLayout::itemOfColumn(c) == item) {
                EXPECT_TRUE(h.grid.columnHidden(c)) << c;
            }
        }
        view.ToggleItem(item);
        EXPECT_EQ(hiddenColumns(h), before) << item;
    }
    EXPECT_FALSE(view.ItemCommandEnabled(ChannelGridLayout::ITEM_PRI));
}

TEST(CKQ70ViewTest, InformationStripAndStatusText) {
    struct Case {
        int radioChannel;
        int mode;
        bool countShown;
        bool selectorShown;
        bool leftShown;
        bool withGroupsStatus;
    };
    const Case cases[] = {{3, 1, true, false, false, false},
                          {6, 1, false, true, true, true},
                          {6, 0, true, false, false, true}, // firmware below 1.10 in mode 0
                          {4, 4, false, true, false, true}};
    for (const Case& c : cases) {
        ChannelViewHarness h(pmrImage(c.radioChannel));
        h.settings.portType = 1;
        h.settings.portName = "/dev/ttyUSB0";
        CKQ70View& view = h.open(c.mode);
        const CKQ70View::InfoStrip strip = view.GetInfoStrip();
        SCOPED_TRACE(c.radioChannel * 10 + c.mode);
        EXPECT_EQ(strip.channelCount.shown, c.countShown);
        EXPECT_EQ(strip.groupSelectorShown, c.selectorShown);
        EXPECT_EQ(strip.channelsLeft.shown, c.leftShown);
        EXPECT_EQ(strip.groupSelectorEnabled, c.radioChannel >= 4);
        EXPECT_EQ(strip.port.text, "/dev/ttyUSB0 (PGC-30)");
        EXPECT_EQ(view.GetStatusText(),
                  c.withGroupsStatus ? text::STATUS_HELP_WITH_GROUPS : text::STATUS_HELP);
    }
    ChannelViewHarness h(imageWithGroups({200, 40}));
    h.settings.comPort = 3;
    const auto strip = h.open(1).GetInfoStrip();
    EXPECT_EQ(strip.channelsLeft.text, "16 Channels Left");
    EXPECT_EQ(strip.channelCount.text, "256CH");
    EXPECT_EQ(strip.port.text, "/dev/ttyS2");
    ASSERT_EQ(strip.groups.size(), 2u);
    EXPECT_EQ(strip.groups[1].text, "Group 2");
    EXPECT_EQ(strip.groups[1].group, 1);
}

TEST(CKQ70ViewTest, GroupsF2AndSelector) {
    ChannelViewHarness h(imageWithGroups({3, 0, 5}));
    CKQ70View& view = h.open(1);
    EXPECT_EQ(h.grid.rowCount(), 2 + 3);
    view.OnF2();
    EXPECT_EQ(view.GetCurrentGroup(), 2);
    EXPECT_EQ(h.grid.rowCount(), 2 + 5);
    EXPECT_EQ(h.grid.textMatrix(ROW1, 0), "  4");
    view.OnF2(); // wraps round to the lowest used group
    EXPECT_EQ(view.GetCurrentGroup(), 0);
    view.SelectGroup(1); // unused: Refresh takes the next used group
    EXPECT_EQ(view.GetCurrentGroup(), 2);
    h.at(ROW1 + 1, 4);
    view.rowColumnChange();
    EXPECT_EQ(view.GetCurrentChannel(), 4);
}

// Each cell action through the grid, checked in the image after the view saved.
TEST(CKQ70ViewTest, CellActionsChangeTheRecord) {
    struct Case {
        const char* name;
        int column;
        Input input;
        int index;
        std::int32_t before;
        std::int32_t after;
    };
    const Case cases[] = {
        {"bandwidth N→W5", 2, Input::Space, bandwidth, 2, 0},
        {"power save rx", 8, Input::Space, powerSaveRx, 0, 1},
        {"power save tx", 9, Input::Click, powerSaveTx, 0, 1},
        {"power", 10, Input::Space, txPowerLow, 0, 1},
        {"scan", 11, Input::Space, scan, 0, 1},
        {"dial scan", 12, Input::Click, dialScan, 0, 1},
        {"tot", 13, Input::Space, tot, 0, 1},
        {"ani", 15, Input::Space, ani, 0, 1},
        {"lock out", 17, Input::Click, lockOut, 0, 1},
        {"clock shift", 20, Input::Space, clockShift, 1, 0},
    };
    for (const Case& c : cases) {
        ChannelViewHarness h(pmrImage());
        h.open(1);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(h.saved().getValue(0, c.index), c.before);
        h.at(ROW1, c.column);
        if (c.input == Input::Space) {
            h.view->OnSpace();
        } else {
            h.grid.setMouseRow(ROW1);
            h.view->OnDoubleClick();
        }
        EXPECT_EQ(h.saved().getValue(0, c.index), c.after);
        EXPECT_EQ(h.saved().getValue(1, c.index), c.before) << "only the row's channel";
    }
}

TEST(CKQ70ViewTest, UnprogrammedRowsRefuseAllButColumnsZeroAndTwelve) {
    ChannelViewHarness h(workImage());
    CKQ70View& view = h.open(1);
    const int row = ROW1 + 3;
    // Grey everywhere but Dial Scan, check cells disabled but 12.
    EXPECT_EQ(h.grid.backColour(row, 4), 0xDCDCDCu);
    EXPECT_EQ(h.grid.backColour(row, 12), h.grid.foreColour());
    EXPECT_FALSE(h.grid.checkCell(row, 11).enabled);
    EXPECT_TRUE(h.grid.checkCell(row, 12).enabled);
    const RadioImage before = h.image;
    for (int column = 1; column < 22; ++column) {
        if (column == 12 || ChannelGridLayout::frequencyColumn(column)) {
            continue;
        }
        h.at(row, column);
        view.OnSpace();
        view.OnEnter();
        h.grid.setMouseRow(row);
        view.OnDoubleClick();
        view.OnF3();
        EXPECT_FALSE(h.grid.typeInto(view, row, column, "1")) << column;
    }
    EXPECT_FALSE(h.grid.typeInto(view, row, 4, "446.1"));
    view.OnSaveData();
    EXPECT_EQ(firstDifference(h.image, before, 0, IMAGE_SIZE), "");
    EXPECT_EQ(h.modifiedCount, 0);
    pressSpace(h, row, 12);
    EXPECT_EQ(h.saved().getValue(3, dialScan), 1);
    pressSpace(h, row, 0);
    EXPECT_TRUE(h.saved().isInUse(3));
    EXPECT_EQ(h.grid.backColour(row, 4), h.grid.foreColour());
    EXPECT_TRUE(h.grid.checkCell(row, 11).enabled);
    // The first channel is never unprogrammed.
    pressSpace(h, ROW1, 0);
    EXPECT_TRUE(h.saved().isInUse(0));
}

TEST(CKQ70ViewTest, UnprogrammingTheScanPriorityChannelDisablesPriorityCheck) {
    RadioImage image = pmrImage();
    HScanParams scanParams;
    scanParams.extract(image);
    scanParams.set(SCAN_PRIORITY_CHECK, PRIORITY_CHECK_ENABLE);
    scanParams.set(SCAN_PRIORITY_CH, 5);
    scanParams.store(image);
    ChannelViewHarness h(image);
    h.open(1);
    pressSpace(h, ROW1 + 5, 0);
    HScanParams after;
    after.extract(h.image);
    EXPECT_EQ(after.get(SCAN_PRIORITY_CH), 0);
    EXPECT_EQ(after.get(SCAN_PRIORITY_CHECK), 0); // Disable, as the scan page shows it
    EXPECT_FALSE(h.saved().isInUse(5));
}

TEST(CKQ70ViewTest, DecodeAndEncodeTones) {
    ChannelViewHarness h(workImage());
    CKQ70View& view = h.open(1);
    // Space on a channel with decode off: CTCSS 67.0 Hz on both sides.
    pressSpace(h, ROW1, 6);
    EXPECT_EQ(h.grid.textMatrix(ROW1, 6), "No.10 (C-67.0)");
    EXPECT_EQ(h.grid.textMatrix(ROW1, 7), "C- ( 67.0)");
    HChannelData d = h.saved();
    EXPECT_EQ(d.getValue(0, rxToneMode), 1);
    EXPECT_EQ(d.getValue(0, txToneCode), 670);
    // Space on a DCS decode cell switches decoding off.
    pressSpace(h, ROW1 + 2, 6);
    EXPECT_EQ(h.saved().getValue(2, rxToneMode), 0);
    EXPECT_EQ(h.saved().getValue(2, txToneMode), 0);
    // Encode cycles off → CTCSS 67.0 → DCS 023 → off.
    for (const char* text : {"C- ( 67.0)", "D- (023) N", "-----"}) {
        pressSpace(h, ROW1 + 1, 7);
        EXPECT_EQ(h.grid.textMatrix(ROW1 + 1, 7), text);
    }
    // The decode chooser sets both sides; the encode chooser sets the mode with the code.
    h.choosers.toneAnswers = {Tone{ToneKind::Dcs, 0754}, Tone{ToneKind::Dcs, 0265}};
    h.at(ROW1, 6);
    EXPECT_EQ(view.OnEnter(), CKQ70View::KeyOutcome::Handled);
    d = h.saved();
    EXPECT_EQ(d.getValue(0, rxToneMode), 2);
    EXPECT_EQ(d.getValue(0, txToneCode), 0754);
    pressSpace(h, ROW1 + 8, 6); // channel 9 CTCSS → off
    pressSpace(h, ROW1 + 8, 7); // encode off → CTCSS
    h.at(ROW1 + 8, 7);
    view.OnEnter();
    d = h.saved();
    EXPECT_EQ(d.getValue(8, txToneMode), 2) << "a DCS code is stored as DCS";
    EXPECT_EQ(d.getValue(8, txToneCode), 0265);
}

TEST(CKQ70ViewTest, F3ThreeTimesReturnsThePolarity) {
    ChannelViewHarness h(workImage());
    CKQ70View& view = h.open(1);
    h.at(ROW1 + 2, 6);
    const std::array<const char*, 3> decode = {"No.60 (D-023 I)", "No.60 (D-023 B)",
                                               "No.60 (D-023 N)"};
    // The encode polarity follows: inverted with the decode, then normal twice.
    const std::array<const char*, 3> encode = {"D- (023) I", "D- (023) N", "D- (023) N"};
    for (std::size_t i = 0; i < 3; ++i) {
        view.OnF3();
        EXPECT_EQ(h.grid.textMatrix(ROW1 + 2, 6), decode[i]) << i;
        EXPECT_EQ(h.grid.textMatrix(ROW1 + 2, 7), encode[i]) << i;
    }
    const HChannelData d = h.saved();
    EXPECT_EQ(d.getValue(2, rxDcsInverted), 0);
    EXPECT_EQ(d.getValue(2, rxDcsBoth), 0);
    EXPECT_EQ(h.modifiedCount, 3);
    h.at(ROW1, 6); // CTCSS-free channel: no complement
    view.OnF3();
    EXPECT_EQ(h.modifiedCount, 3);
}

TEST(CKQ70ViewTest, ArtsAllowanceByArtsMode) {
    struct Case {
        int artsMode;
        int rxMode;
        int txMode;
        bool allowed;
    };
    const Case cases[] = {{0, 2, 2, true},  {0, 2, 1, false}, {0, 0, 2, false}, {1, 0, 2, true},
                          {1, 2, 1, false}, {2, 2, 0, true},  {2, 1, 2, false}, {3, 2, 2, false}};
    for (const Case& c : cases) {
        RadioImage image = withValues(pmrImage(), 0,
                                      {{rxToneMode, c.rxMode},
                                       {rxToneCode, c.rxMode == 2 ? 19 : 670},
                                       {txToneMode, c.txMode},
                                       {txToneCode, c.txMode == 2 ? 19 : 670}});
        setMiscValue(image, HMiscParams::ARTS_MODE, c.artsMode);
        ChannelViewHarness h(image);
        h.open(1);
        pressSpace(h, ROW1, 21);
        EXPECT_EQ(h.saved().getValue(0, arts), c.allowed ? 1 : 0)
            << c.artsMode << " " << c.rxMode << " " << c.txMode;
    }
    // A tone change that takes the allowance away clears ARTS.
    RadioImage image = withValues(pmrImage(), 0, {{txToneMode, 2}, {txToneCode, 19}, {arts, 1}});
    setMiscValue(image, HMiscParams::ARTS_MODE, 1);
    ChannelViewHarness h(image);
    h.open(1);
    pressSpace(h, ROW1, 7); // DCS → off
    EXPECT_EQ(h.saved().getValue(0, arts), 0);
}

TEST(CKQ70ViewTest, EncryptionAndSignalTypeCycles) {
    struct Case {
        int optionUnit;
        int column;
        std::vector<const char*> texts;
    };
    const Case cases[] = {
        {1, 16, {"Key ON", "Power ON", "All ON", "OFF     "}},
        // With option unit 3 a channel is stored "All ON" and stays so.
        {3, 16, {"All ON", "All ON"}},
        {0, 18, {"Signal", "------"}},
        {1, 18, {"Signal", "Page", "------"}},
        {4, 18, {"Signal", "Option", "------"}},
    };
    for (const Case& c : cases) {
        RadioImage image = pmrImage();
        setMiscValue(image, HMiscParams::OPTION_UNIT, c.optionUnit);
        ChannelViewHarness h(image);
        h.open(1);
        for (const char* text : c.texts) {
            pressSpace(h, ROW1, c.column);
            EXPECT_EQ(h.grid.textMatrix(ROW1, c.column), text) << c.optionUnit;
        }
    }
}

TEST(CKQ70ViewTest, SignalTypeClearsAniAndTheChooserSetsTheNumber) {
    ChannelViewHarness h(withValues(pmrImage(), 0, {{ani, 1}}));
    CKQ70View& view = h.open(1);
    pressSpace(h, ROW1, 18);
    EXPECT_EQ(h.grid.textMatrix(ROW1, 15), "-");
    pressSpace(h, ROW1, 15); // refused while the type is Signal
    EXPECT_EQ(h.grid.textMatrix(ROW1, 15), "-");
    h.choosers.signalAnswers = {33, 7};
    h.at(ROW1, 19);
    h.grid.setMouseRow(ROW1);
    view.OnDoubleClick(); // 33 does not fit the record
    EXPECT_EQ(h.grid.textMatrix(ROW1, 19), "-");
    view.OnDoubleClick();
    EXPECT_EQ(h.grid.textMatrix(ROW1, 19), "7");
    const HChannelData d = h.saved();
    EXPECT_EQ(d.getValue(0, signalType), 1);
    EXPECT_EQ(d.getValue(0, signalNumber), 6);
}

TEST(CKQ70ViewTest, PmrChooserInTheUserModes) {
    ChannelViewHarness h(pmrImage());
    CKQ70View& view = h.open(0);
    h.choosers.pmrAnswers = {5};
    h.at(ROW1 + 1, 4);
    EXPECT_EQ(view.OnEnter(), CKQ70View::KeyOutcome::Handled);
    EXPECT_EQ(h.grid.textMatrix(ROW1 + 1, 4), "CH5 (446.05625)");
    const HChannelData d = h.saved();
    EXPECT_EQ(d.getValue(1, rxFrequency), 446056250);
    EXPECT_EQ(d.getValue(1, txFrequency), 446056250);
    // Service modes edit the frequency in the cell instead.
    ChannelViewHarness s(pmrImage());
    s.open(1);
    s.at(ROW1, 4);
    EXPECT_EQ(s.view->OnEnter(), CKQ70View::KeyOutcome::GridEdits);
    EXPECT_TRUE(s.choosers.pmrPresets.empty());
}

TEST(CKQ70ViewTest, KeysForTheFrame) {
    ChannelViewHarness h(pmrImage());
    CKQ70View& view = h.open(0);
    h.at(ROW1, 6);
    EXPECT_EQ(view.GetHelpTopic(), CKQ70View::HELP_TOPIC_BASE + 6);
    EXPECT_EQ(view.OnShiftF9(), CKQ70View::FrameRequest::RawImageEditor);
    EXPECT_EQ(view.OnShiftF10(), CKQ70View::FrameRequest::AdjustmentUnlock);
    h.at(ROW1, 3);
    EXPECT_EQ(view.OnEnter(), CKQ70View::KeyOutcome::GridEdits);
    h.grid.setMouseRow(1); // a header row
    EXPECT_EQ(view.OnDoubleClick(), CKQ70View::KeyOutcome::Handled);
    EXPECT_EQ(h.modifiedCount, 0);
    ChannelViewHarness s(pmrImage());
    EXPECT_EQ(s.open(1).OnShiftF10(), CKQ70View::FrameRequest::None);
}

TEST(CKQ70ViewTest, InCellFilters) {
    ChannelViewHarness h(pmrImage());
    CKQ70View& view = h.open(1);
    EXPECT_TRUE(h.grid.typeInto(view, ROW1, 3, "ab9_<z>#%x!y"));
    EXPECT_EQ(h.grid.editMaxLength(), 8);
    EXPECT_EQ(h.saved().getTag(0), "AB9_<Z>X");
    EXPECT_EQ(view.keyPressEdit(ROW1, 3, 0x7F), 0);
    EXPECT_EQ(view.keyPressEdit(ROW1, 3, 200), 0);
    EXPECT_EQ(view.keyPressEdit(ROW1, 3, 8), 8);
    EXPECT_EQ(view.keyPressEdit(ROW1, 4, 'a'), 0);
    EXPECT_EQ(view.keyPressEdit(ROW1, 4, '.'), '.');
    EXPECT_EQ(view.keyPressEdit(ROW1, 6, '1'), 0);
    EXPECT_EQ(view.keyPressEdit(ROW1, 7, 27), 27);
    EXPECT_TRUE(h.grid.typeInto(view, ROW1, 4, "44x6.0 4375"));
    EXPECT_EQ(h.grid.editMaxLength(), 9);
    EXPECT_EQ(h.grid.textMatrix(ROW1, 4), "446.04375");
    // Never edited in place; BCLO is a check column, with no text to type.
    for (const int column : {0, 1, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21}) {
        EXPECT_FALSE(view.beforeEdit(ROW1, column)) << column;
    }
    // Drop-down columns store the chosen item data.
    h.grid.chooseComboData(14, "9");
    EXPECT_TRUE(h.grid.typeInto(view, ROW1, 14, ""));
    h.grid.chooseComboData(2, "1");
    EXPECT_TRUE(h.grid.typeInto(view, ROW1, 2, ""));
    const HChannelData d = h.saved();
    EXPECT_EQ(d.getValue(0, squelchLevel), 9);
    EXPECT_EQ(d.getValue(0, bandwidth), 1);
    EXPECT_EQ(h.grid.textMatrix(ROW1, 2), "W4");
}

TEST(CKQ70ViewTest, FrequencyValidation) {
    struct Case {
        int mode;
        const char* typed;
        bool message;
        std::int32_t hz;
    };
    const Case cases[] = {
        {1, "445.5", true, 445500000},   {1, "460", true, 456000000},
        {1, "1234", true, 456000000},    {4, "430", true, 436000000},
        {1, "446.05", false, 446050000}, {1, "446.2", true, 446200000},
        {0, "430", true, 446006250},     {0, "460", true, 446093750},
        {2, "1234", true, 446093750},    {0, "446.08125", false, 446081250},
    };
    for (const Case& c : cases) {
        ChannelViewHarness h(pmrImage());
        CKQ70View& view = h.open(c.mode);
        if (c.message) {
            h.prompt.expectMessage(std::string(text::OUT_OF_FREQUENCY_RANGE));
        }
        SCOPED_TRACE(std::string(c.typed) + " mode " + std::to_string(c.mode));
        EXPECT_TRUE(h.grid.typeInto(view, ROW1 + 1, 4, c.typed));
        EXPECT_EQ(h.saved().getValue(1, rxFrequency), c.hz);
    }
    ChannelViewHarness h(pmrImage());
    h.open(1);
    h.prompt.expectMessage(std::string(text::OUT_OF_FREQUENCY_RANGE));
    EXPECT_TRUE(h.grid.typeInto(*h.view, ROW1, 4, "445.5"));
    EXPECT_EQ(h.prompt.asked().at(0).caption, text::FREQUENCY_CAPTION);
    EXPECT_EQ(h.grid.textMatrix(ROW1, 4), "445.50000");
    EXPECT_FALSE(h.grid.typeInto(*h.view, ROW1, 4, "4.4.6")) << "no number: cell unchanged";
    EXPECT_EQ(h.grid.textMatrix(ROW1, 4), "445.50000");
}

TEST(CKQ70ViewTest, CopyAndPaste) {
    ChannelViewHarness h(workImage());
    CKQ70View& view = h.open(1);
    h.grid.select({ROW1 + 2, 6, ROW1 + 2, 6});
    EXPECT_EQ(view.Copy(), "No.60 (D-023 N)");
    // The tone goes to every programmed row of the selection; channel 4 is skipped.
    h.grid.select({ROW1, 6, ROW1 + 4, 6});
    EXPECT_TRUE(view.Paste("No.60 (D-023 N)\r\n"));
    HChannelData d = h.saved();
    for (const int channel : {0, 1, 4}) {
        EXPECT_EQ(d.getValue(channel, rxToneMode), 2) << channel;
        EXPECT_EQ(d.getValue(channel, rxToneCode), 19) << channel;
    }
    EXPECT_EQ(d.getValue(3, rxToneMode), 0);

    // Frequencies keep their decimal point; the question is asked once.
    h.grid.select({ROW1, 4, ROW1, 4});
    view.Copy();
    h.prompt.expectMessage("Do you copy Ch1 data to Ch 2-3?", MessageAnswer::Yes,
                           MessageIcon::Question, MessageButtons::YesNo);
    h.grid.select({ROW1 + 1, 4, ROW1 + 2, 4});
    EXPECT_TRUE(view.Paste("446.00625"));
    d = h.saved();
    EXPECT_EQ(d.getValue(1, rxFrequency), 446006250);
    EXPECT_EQ(d.getValue(2, rxFrequency), 446006250);
    h.prompt.expectMessage("", MessageAnswer::No);
    h.grid.select({ROW1 + 4, 4, ROW1 + 4, 4});
    EXPECT_FALSE(view.Paste("446.09375"));
    EXPECT_EQ(h.saved().getValue(4, rxFrequency), 446056250);

    // Text that does not parse leaves the cell unchanged; the tag is filtered and upper-cased.
    h.grid.select({ROW1, 7, ROW1, 7});
    EXPECT_FALSE(view.Paste("rubbish"));
    h.grid.select({ROW1, 3, ROW1, 3});
    EXPECT_TRUE(view.Paste("fire.1 ,x"));
    EXPECT_EQ(h.saved().getTag(0), "FIRE1 X ");
}

TEST(CKQ70ViewTest, APastedFrequencyIsCheckedOnceForTheSelection) {
    ChannelViewHarness h(pmrImage());
    CKQ70View& view = h.open(1);
    h.prompt.expectMessage("", MessageAnswer::Yes);
    h.prompt.expectMessage(std::string(text::OUT_OF_FREQUENCY_RANGE));
    h.grid.select({ROW1, 4, ROW1 + 2, 4});
    EXPECT_TRUE(view.Paste("460.5"));
    const HChannelData d = h.saved();
    for (int channel = 0; channel < 3; ++channel) {
        EXPECT_EQ(d.getValue(channel, rxFrequency), 456000000) << channel;
    }
    EXPECT_EQ(d.getValue(3, rxFrequency), 446043750);
    h.prompt.expectMessage("", MessageAnswer::Yes);
    EXPECT_FALSE(view.Paste("..")) << "no number: nothing changes";
}

TEST(CKQ70ViewTest, ShowingADocumentMarksItModifiedOnlyWhenBytesChange) {
    // (The built-in image in mode 0 stays unmarked: the chooser test below opens it so.)
    // A frequency off the PMR plan on a PMR446 image in mode 0 becomes channel 1, in the image
    // at once, and the document is marked.
    const auto offPlan = [](int band) {
        RadioImage image = pmrImage();
        setHardwareValue(image, HW_FREQUENCY_BAND, band);
        return withValues(image, 1, {{rxFrequency, 440000000}, {txFrequency, 440000000}});
    };
    ChannelViewHarness pmr(offPlan(12));
    pmr.open(0);
    EXPECT_EQ(pmr.grid.textMatrix(ROW1 + 1, 4), "CH1 (446.00625)");
    EXPECT_EQ(pmr.modifiedCount, 1);
    HChannelData d;
    d.extract(pmr.image);
    EXPECT_EQ(d.getValue(1, rxFrequency), 446006250);

    // Other bands, and the service modes, show the frequency and leave the image alone.
    for (const auto& [band, mode] : {std::pair{5, 0}, std::pair{4, 2}, std::pair{12, 1}}) {
        ChannelViewHarness h(offPlan(band));
        const RadioImage before = h.image;
        h.open(mode);
        EXPECT_EQ(h.grid.textMatrix(ROW1 + 1, 4), "440.00000") << band;
        EXPECT_EQ(h.modifiedCount, 0) << band;
        EXPECT_EQ(firstDifference(h.image, before, 0, IMAGE_SIZE), "") << band;
    }
    // A load-time store that changes bytes (an unstepped frequency) marks the document.
    RadioImage raw = pmrImage();
    raw.setByte(0x0315 + 32 * 2 + 0x0C,
                static_cast<std::uint8_t>(raw.byteAt(0x0315 + 64 + 0x0C) + 1));
    ChannelViewHarness h(raw);
    h.open(1);
    EXPECT_EQ(h.modifiedCount, 1);
}

TEST(CKQ70ViewTest, AnEditSetsBothSidesWhenTheOtherSideIsHidden) {
    // Normal modes hide the TX frequency, every mode hides the encode column: a typed or
    // pasted value there would make a split the user cannot see.
    struct Case {
        int mode;
        int column;
        bool paste;
        const char* text;
        bool bothSides;
    };
    const Case cases[] = {
        {0, 4, false, "446.03125", true},     {0, 4, true, "446.03125", true},
        {2, 4, false, "446.03125", true},     {1, 4, false, "446.03125", false},
        {1, 4, true, "446.03125", false},     {0, 6, true, "No.60 (D-023 I)", true},
        {1, 6, true, "No.10 (C-67.0)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " mode " + std::to_string(c.mode) +
                     (c.paste ? " pasted" : " typed"));
        ChannelViewHarness h(pmrImage());
        CKQ70View& view = h.open(c.mode);
        const HChannelData before = h.saved();
        if (c.paste) {
            if (c.column == 4) {
                h.prompt.expectMessage("", MessageAnswer::Yes);
            }
            h.grid.select({ROW1 + 1, c.column, ROW1 + 1, c.column});
            EXPECT_TRUE(view.Paste(c.text));
        } else {
            EXPECT_TRUE(h.grid.typeInto(view, ROW1 + 1, c.column, c.text));
        }
        const HChannelData d = h.saved();
        if (c.column == 4) {
            EXPECT_EQ(d.getValue(1, rxFrequency), 446031250);
            EXPECT_EQ(d.getValue(1, txFrequency),
                      c.bothSides ? 446031250 : before.getValue(1, txFrequency));
        } else {
            for (const auto& [rx, tx] :
                 {std::pair{rxToneMode, txToneMode}, std::pair{rxToneCode, txToneCode},
                  std::pair{rxDcsInverted, txDcsInverted}}) {
                EXPECT_EQ(d.getValue(1, tx), d.getValue(1, rx)) << tx;
            }
            EXPECT_NE(d.getValue(1, rxToneMode), 0);
        }
    }
}

TEST(CKQ70ViewTest, AlwaysHiddenItemsShowUncheckedAndKeepTheirFlags) {
    ChannelViewHarness h(pmrImage());
    h.settings.items.fill(1);
    CKQ70View& view = h.open(1);
    std::array<int, ChannelGridLayout::ITEM_COUNT> none{};
    view.SetItems(none);
    for (int item = 0; item < ChannelGridLayout::ITEM_COUNT; ++item) {
        const bool fixed = ChannelGridLayout::alwaysHiddenItem(item);
        SCOPED_TRACE(item);
        EXPECT_FALSE(view.ItemChecked(item));
        if (item != ChannelGridLayout::ITEM_TAG) { // the display type decides that flag
            EXPECT_EQ(h.settings.items[static_cast<std::size_t>(item)], fixed ? 1 : 0);
        }
    }
}

// Each chooser asked twice: closed on the channel's own value it changes nothing; on another
// value it changes the channel.
TEST(CKQ70ViewTest, AChooserClosedOnTheCurrentValueChangesNothing) {
    struct Case {
        const char* name;
        int row;
        int column;
        bool click;
        int mode;
    };
    const Case cases[] = {{"pmr channel", ROW1, COL_RX_FREQUENCY, false, 0},
                          {"decode tone", ROW1 + 2, COL_DECODE, false, 0},
                          {"encode tone", ROW1 + 2, COL_ENCODE, false, 1},
                          {"signal number", ROW1, COL_SIGNAL_NUMBER, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelViewHarness h(
            withValues(workImage(), 0, {{signalType, 1}, {signalDisplayNumber, 3}}));
        CKQ70View& view = h.open(c.mode);
        const auto choose = [&] {
            h.at(c.row, c.column);
            h.grid.setMouseRow(c.row);
            c.click ? view.OnDoubleClick() : view.OnEnter();
        };
        choose(); // cancelled: shows what the chooser opens on
        const RadioImage before = h.image;
        ASSERT_EQ(h.choosers.pmrPresets.size() + h.choosers.tonePresets.size() +
                      h.choosers.signalPresets.size(),
                  1u);
        if (c.column == COL_RX_FREQUENCY) {
            h.choosers.pmrAnswers = {h.choosers.pmrPresets.at(0), 2};
        } else if (c.click) {
            h.choosers.signalAnswers = {h.choosers.signalPresets.at(0).second, 5};
        } else {
            h.choosers.toneAnswers = {h.choosers.tonePresets.at(0), Tone{ToneKind::Dcs, 0754}};
        }
        choose();
        view.OnSaveData();
        EXPECT_EQ(h.modifiedCount, 0);
        EXPECT_EQ(firstDifference(h.image, before, 0, IMAGE_SIZE), "");
        choose();
        EXPECT_EQ(h.modifiedCount, 1);
    }
}

} // namespace
} // namespace kq70::test
