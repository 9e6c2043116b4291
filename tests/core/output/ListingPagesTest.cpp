#include "output/ListingPages.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "params/HHardwareParams.h"
#include "support/ScriptedPrompt.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

#include <numeric>

namespace kq70 {
namespace {

using test::ScriptedPrompt;

constexpr std::size_t CHANNEL_HEADER_LINES = 4; // banner, two header lines, rule

// A line of the common-data sections: the left column (49 wide) and the empty right one.
std::string sectionLine(std::string left, std::size_t width = 49) {
    left.resize(width, ' ');
    return left + std::string(49, ' ');
}

const std::vector<std::string> PAGE_ONE_START = {
    "",
    "",
    "                  ************  Orvalis QM-724 PMR446  ************",
    "",
    "     File Name              :radio.k70                       ",
    "     Market Application     :0100                ",
    "     Serial Number          :00000000            ",
    "",
    "                **********   COMMON DATA   **********",
};

const std::vector<std::string> HARDWARE_SECTION = {
    "---Hardware Parameters---",
    "     Local Offset           :Lower",
    "     SQL Release Time       :160 msec",
    "     SQL Attack Time        :15  msec",
    "     SQL Hysteresis         :12",
    "     RX DCS Data            :Normal",
    "     TX DCS Data            :Normal",
    "     KeyPad                 :NONE",
    "     Ref XTAL               :16.80",
    "     1st IF                 :50.85",
    "     Scan PLL B Register    :150",
    "",
};

const std::vector<std::string> COMMON_SECTIONS = {
    "---Scan Parameters---",
    "     Scan Resume Time 1 (RX):2 sec",
    "     Scan Resume Time 2 (TX):5 sec",
    "     Dual Watch Timer       :1 sec",
    "     Talk Back              :Disable",
    "     Revert Channel         :PRI CH",
    "     Priority Check         :Disable",
    "     Priority CH            :CH1",
    "     Scan Beep              :Disable",
    "     Power ON Scan          :Disable",
    "     Scan Display           :- SCAN -",
    "",
    // A caption longer than 23 characters: the section takes the 29-character layout.
    "---Power Saving Parameters---",
    "     Transmit Timer               :1   min",
    "     Penalty Timer                :0  sec",
    "     Release Timer                :2 sec",
    "     Power Save Mode              :1 : 1",
    "     LCD Lighting Mode            :Key ON 5sec",
    "     Low Battery Alert            :Disable",
    "     TX Low Battery Alert         :Disable",
    "     Low Battery Alert Interval   :2 sec",
    "     MIC Gain                     :Standard",
    "     Power-ON Alpha Tag           :SELFTEST",
    "",
    "---Key Function Parameters---",
    "     [SIDE1] press          :MON",
    "     [SIDE2] press          :None",
    "     [SIDE1] press and hold :SQL OFF",
    "     [SIDE2] press and hold :None",
    "",
    "---Miscellaneous Parameters---",
    "     Power ON Condition     :Backup",
    "     CTCSS Tail Elimination :Disable",
    "     Key Holding Time       :Disable",
    "     Default Split          :0.0",
    "     ARTS TX Time           :25  sec",
};

class ListingPagesTest : public ::testing::Test {
protected:
    ListingPagesTest() { BuildDefaultImage(12, doc.GetMainMemory()); } // PMR446

    ListingPages listing(int mode, int linesPerPage = ListingPages::CHANNEL_LINES_PER_PAGE) {
        return ListingPages(doc, mode, "/home/dealer/radios/radio.k70", prompt, linesPerPage);
    }

    // Radio Channel `radioChannel`, groups of the given sizes, every allotted channel
    // programmed.
    void allot(int radioChannel, const std::vector<int>& groupSizes) {
        test::setHardwareValue(doc.GetMainMemory(), HW_RADIO_CHANNEL, radioChannel);
        HChannelData data;
        data.extract(doc.GetMainMemory());
        int channels = 0;
        for (int g = 0; g < HGroupTable::GROUP_COUNT; ++g) {
            const int size = g < static_cast<int>(groupSizes.size()) ? groupSizes[g] : 0;
            data.groups().setCount(g, size);
            channels += size;
        }
        for (int channel = 0; channel < CHANNEL_COUNT; ++channel) {
            data.setValue(channel, inUse, channel < channels ? 1 : 0);
        }
        data.store(doc.GetMainMemory());
    }

    CKQ70Doc doc;
    ScriptedPrompt prompt;
};

TEST_F(ListingPagesTest, CommonDataPageLineByLine) {
    for (const int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE}) {
        std::vector<std::string> expected = PAGE_ONE_START;
        std::vector<std::string> sections = COMMON_SECTIONS;
        if (mode == ACCESS_MANUFACTURE) {
            sections.insert(sections.begin(), HARDWARE_SECTION.begin(), HARDWARE_SECTION.end());
        }
        for (const std::string& left : sections) {
            expected.push_back(sectionLine(left));
        }
        expected.push_back(sectionLine("", 50)); // the last section ends one space wider

        EXPECT_EQ(listing(mode).page(0), expected) << "mode " << mode;
    }
}

TEST_F(ListingPagesTest, ChannelPagesHold64LinesGroupLinesIncluded) {
    struct Case {
        const char* what;
        int radioChannel;
        std::vector<int> groups;
        int linesPerPage;
        std::vector<std::size_t> bodyLines; // per channel page
        int groupLines;
    };
    const Case cases[] = {
        {"16 channels, no groups", 3, {16}, 64, {16}, 0},
        {"16 channels, 15 lines a page", 3, {16}, 15, {15, 1}, 0},
        {"group of 63: 64 lines", 6, {63}, 64, {64}, 1},
        {"group of 65: 66 lines", 6, {65}, 64, {64, 2}, 1},
        {"256 channels in 16 groups", 6, std::vector<int>(16, 16), 64, {64, 64, 64, 64, 16}, 16},
        {"Radio Channel 4: two groups", 4, {20, 12}, 64, {34}, 2},
    };
    for (const Case& c : cases) {
        allot(c.radioChannel, c.groups);
        const ListingPages pages = listing(ACCESS_NORMAL, c.linesPerPage);
        ASSERT_EQ(pages.pageCount(), 1 + static_cast<int>(c.bodyLines.size())) << c.what;
        int groupLines = 0;
        int channelLines = 0;
        for (std::size_t p = 0; p < c.bodyLines.size(); ++p) {
            const auto& page = pages.page(static_cast<int>(p) + 1);
            ASSERT_EQ(page.size(), CHANNEL_HEADER_LINES + c.bodyLines[p])
                << c.what << " page " << p + 2;
            for (std::size_t k = CHANNEL_HEADER_LINES; k < page.size(); ++k) {
                groupLines += page[k].starts_with("GROUP ") ? 1 : 0;
                channelLines += page[k].starts_with("GROUP ") ? 0 : 1;
            }
        }
        EXPECT_EQ(groupLines, c.groupLines) << c.what;
        EXPECT_EQ(channelLines, std::accumulate(c.groups.begin(), c.groups.end(), 0))
            << c.what << ": every channel printed once";
    }
    const ListingPages pages = listing(ACCESS_NORMAL);
    EXPECT_TRUE(pages.page(pages.pageCount()).empty()) << "no such page";
}

} // namespace
} // namespace kq70
