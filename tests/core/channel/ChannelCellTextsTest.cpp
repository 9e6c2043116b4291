#include "channel/ChannelCellTexts.h"
#include "channel/GroupLine.h"
#include "channel/HChannelData.h"
#include "channel/HGroupTable.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kq70 {
namespace {

constexpr int CTCSS = 1;
constexpr int DCS = 2;

TEST(ChannelCellTextsTest, FrequencyCellsByModeAndBand) {
    struct Case {
        std::int64_t hz;
        CellTextContext context;
        const char* text;
    };
    const Case cases[] = {
        {446006250, {.accessMode = 0, .pmrBand = true}, "CH1 (446.00625)"},
        {446093750, {.accessMode = 2, .pmrBand = true}, "CH8 (446.09375)"},
        // No PMR channel: read as channel 1 (the view writes that into the record).
        {446010000, {.accessMode = 0, .pmrBand = true}, "CH1 (446.00625)"},
        {446093750, {.accessMode = 1, .pmrBand = true}, "446.09375"},
        {446093750, {.accessMode = 4, .pmrBand = true}, "446.09375"},
        // Other bands are shown as they are in every mode.
        {440000000, {.accessMode = 0, .pmrBand = false}, "440.00000"},
        {154100000, {.accessMode = 2, .pmrBand = false}, "154.10000"},
        {44010000, {.accessMode = 1, .pmrBand = false}, " 44.01000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChannelCellTexts::frequencyCellText(c.hz, c.context), c.text) << c.hz;
    }
}

TEST(ChannelCellTextsTest, DecodeAndEncodeTexts) {
    struct Case {
        int mode;
        std::int32_t code;
        bool inverted;
        bool both;
        const char* decode;
        const char* encode; // nullptr: not checked
    };
    const Case cases[] = {
        {0, 670, false, false, "-----", "-----"},
        {CTCSS, 670, false, false, "No.10 (C-67.0)", "C- ( 67.0)"},
        {CTCSS, 1000, false, false, "No.22 (C-100.0)", nullptr},
        {CTCSS, 2541, false, false, "No.59 (C-254.1)", "C- (254.1)"},
        {CTCSS, 2520, false, false, "No.59 (C-254.1)", nullptr}, // unlisted: snapped
        {DCS, 19, false, false, "No.60 (D-023 N)", "D- (023) N"},
        {DCS, 19, true, false, "No.60 (D-023 I)", nullptr},
        {DCS, 19, false, true, "No.60 (D-023 B)", nullptr},
        {DCS, 0754, true, true, "No.163 (D-754 I)", "D- (754) I"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.code));
        EXPECT_EQ(ChannelCellTexts::decodeToneText(c.mode, c.code, c.inverted, c.both), c.decode);
        if (c.encode != nullptr) {
            EXPECT_EQ(ChannelCellTexts::encodeToneText(c.mode, c.code, c.inverted), c.encode);
        }
    }
}

TEST(ChannelCellTextsTest, EnumeratedAndSignallingTexts) {
    EXPECT_EQ(ChannelCellTexts::bandwidthText(2), "N");
    EXPECT_EQ(ChannelCellTexts::bandwidthText(3), "");
    EXPECT_EQ(ChannelCellTexts::powerText(1), "L");
    const std::tuple<int, int, const char*> numbers[] = {{0, 0, "-"},  {1, 0, "-"}, {1, 7, "7"},
                                                         {2, 10, "0"}, {2, 9, "9"}, {3, 10, "10"},
                                                         {3, 0, "-"}};
    for (const auto& [type, display, text] : numbers) {
        EXPECT_EQ(ChannelCellTexts::signalNumberText(type, display), text) << type;
    }
}

TEST(ChannelCellTextsTest, CellsOfAChannel) {
    HChannelData data;
    data.groups().setCount(0, 16);
    data.setValue(3, inUse, 1);
    data.setValue(3, rxFrequency, 446031250);
    data.setValue(3, txFrequency, 446031250);
    data.setValue(3, txInhibit, 1);
    data.setValue(3, rxToneMode, DCS);
    data.setValue(3, rxToneCode, 0754);
    data.setValue(3, rxDcsBoth, 1);
    data.setValue(3, txToneMode, DCS);
    data.setValue(3, txToneCode, 0754);
    data.setValue(3, squelchLevel, 15);
    data.setValue(3, lockOut, 2);
    data.setValue(3, scan, 1);
    data.setValue(3, signalType, 1);
    data.setValue(3, signalDisplayNumber, 4);
    data.setTag(3, "ABC     ");
    data.setPriority(3);
    const CellTextContext service{.accessMode = 1, .pmrBand = true};
    const std::pair<int, const char*> expected[] = {
        {COL_CHANNEL, "  4"},
        {COL_PRIORITY, " "},
        {COL_BANDWIDTH, "W5"},
        {COL_TAG, "ABC     "},
        {COL_RX_FREQUENCY, "446.03125"},
        {COL_TX_FREQUENCY, "---.-----"},
        {COL_DECODE, "No.163 (D-754 B)"},
        {COL_ENCODE, "D- (754) N"},
        {COL_POWER_SAVE_RX, "-"},
        {COL_SCAN, " "},
        {COL_SQUELCH, "15"},
        {COL_LOCK_OUT, "-"}, // only value 1 is a tick
        {COL_SIGNAL_TYPE, "Signal"},
        {COL_SIGNAL_NUMBER, "4"},
    };
    for (const auto& [column, text] : expected) {
        EXPECT_EQ(ChannelCellTexts::cellText(data, 3, column, service), text) << column;
    }
    EXPECT_EQ(ChannelCellTexts::cellText(data, 2, COL_PRIORITY, service), "-");
    EXPECT_EQ(ChannelCellTexts::cellText(data, 3, COL_RX_FREQUENCY, {.accessMode = 0}),
              "CH3 (446.03125)");
}

TEST(ChannelCellTextsTest, GroupLines) {
    EXPECT_EQ(groupLine(0, "PMR446  ", "None"), "GROUP 1: PMR446   None");
    EXPECT_EQ(groupLine(15, "AB", "SCAN"), "GROUP 16: AB       SCAN");
    HGroupTable groups;
    groups.setTag(2, "FIRE");
    groups.setScanFlag(2, true);
    EXPECT_EQ(groupLine(groups, 2), "GROUP 3: FIRE     SCAN");
}

} // namespace
} // namespace kq70
