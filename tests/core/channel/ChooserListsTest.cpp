#include "channel/ChooserLists.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kq70::test {
namespace {

using Entries = std::vector<ChooserLists::Entry>;

TEST(ChooserListsTest, ListsShowWhatTheGridShowsAndReturnStoredValues) {
    const Entries pmr = ChooserLists::pmrChannels();
    ASSERT_EQ(pmr.size(), 8U);
    EXPECT_EQ(pmr[0].text, "CH1 (446.00625)");
    EXPECT_EQ(pmr[7].text, "CH8 (446.09375)");
    EXPECT_EQ(pmr[7].value, 8);

    const Entries ctcss = ChooserLists::tones(ToneKind::Ctcss);
    ASSERT_EQ(ctcss.size(), CTCSS_COUNT);
    EXPECT_EQ(ctcss[0].text, "No.10    67.0 Hz");
    EXPECT_EQ(ctcss[0].value, 670);

    const Entries dcs = ChooserLists::tones(ToneKind::Dcs);
    ASSERT_EQ(dcs.size(), DCS_COUNT);
    EXPECT_EQ(dcs[0].text, "No.60   D023");
    EXPECT_EQ(dcs[0].value, 19);
    EXPECT_EQ(dcs.back().text, "No.163   D754");

    for (const auto& [type, count, last] :
         {std::tuple{1, 32U, "32"}, {2, 10U, "0"}, {3, 31U, "31"}}) {
        const Entries numbers = ChooserLists::signalNumbers(type);
        ASSERT_EQ(numbers.size(), count) << type;
        EXPECT_EQ(numbers.front().value, 1);
        EXPECT_EQ(numbers.back().text, last) << type;
        EXPECT_EQ(numbers.back().value, static_cast<std::int32_t>(count));
    }
    EXPECT_TRUE(ChooserLists::signalNumbers(0).empty());
    EXPECT_TRUE(ChooserLists::signalNumbers(4).empty());
}

TEST(ChooserListsTest, PresetFindsTheValueOrFallsBackToTheFirstEntry) {
    for (const auto& [kind, code] : {std::pair{ToneKind::Ctcss, 670},
                                     {ToneKind::Ctcss, 1000},
                                     {ToneKind::Ctcss, 0},
                                     {ToneKind::Ctcss, 99999},
                                     {ToneKind::Dcs, 19},
                                     {ToneKind::Dcs, 0}}) {
        const std::size_t index = ChooserLists::tonePresetIndex(kind, code);
        ASSERT_LT(index, ChooserLists::tones(kind).size());
        EXPECT_EQ(ChooserLists::tones(kind)[index].value, snapTone(kind, code)) << code;
    }
    EXPECT_EQ(ChooserLists::presetIndex(ChooserLists::pmrChannels(), 5), 4U);
    EXPECT_EQ(ChooserLists::presetIndex(ChooserLists::pmrChannels(), 9), 0U);
    EXPECT_EQ(ChooserLists::presetIndex(ChooserLists::signalNumbers(2), 0), 0U);
}

TEST(ChooserListsTest, TypeAheadPrefersValuesOverCodeNumbersAndWraps) {
    const Entries ctcss = ChooserLists::tones(ToneKind::Ctcss);
    const Entries dcs = ChooserLists::tones(ToneKind::Dcs);
    const Entries pmr = ChooserLists::pmrChannels();
    const auto valueAt = [](const Entries& entries, std::optional<std::size_t> index) {
        return index ? entries[*index].value : -1;
    };
    struct Case {
        const Entries* entries;
        std::string typed;
        std::size_t start;
        std::int32_t value;
    };
    const Case cases[] = {
        {&ctcss, "67", 0, 670},            // hertz
        {&ctcss, "100", 0, 1000},          // hertz before code number 10
        {&ctcss, "59", 0, ctcssTable[49]}, // no tone starts with 59: code number 59
        {&ctcss, "7", 0, 719},             // the first 7x.x Hz in the table's order
        {&dcs, "023", 0, 19},
        {&dcs, "d754", 0, 0754},
        {&dcs, "163", 0, 0754}, // code number when no octal code matches
        {&pmr, "3", 0, 3},
        {&pmr, "ch8", 0, 8},
        {&pmr, "446.05", 0, 5},
        {&pmr, "CH", 6, 7}, // looks on from the current entry
        {&pmr, "CH", 7, 8},
        {&pmr, "1", 3, 1}, // and wraps around
        {&ctcss, "x", 0, -1},
        {&ctcss, "", 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(valueAt(*c.entries, ChooserLists::find(*c.entries, c.typed, c.start)), c.value)
            << c.typed << " from " << c.start;
    }
    EXPECT_FALSE(ChooserLists::find({}, "1", 0).has_value());
}

} // namespace
} // namespace kq70::test
