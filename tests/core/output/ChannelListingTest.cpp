#include "output/ChannelListing.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "params/HMiscParams.h"
#include "support/ChannelViewHarness.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

// The PMR446 image with channel 1 carrying a mix of flags, channel 2 unprogrammed and
// channel 3 the longest texts of its columns.
RadioImage sampleImage(std::int32_t optionUnit) {
    RadioImage image = test::pmrImage();
    test::setMiscValue(image, HMiscParams::OPTION_UNIT, optionUnit);
    HChannelData data;
    data.extract(image);
    data.setValue(0, powerSaveRx, 1);
    data.setValue(0, scan, 1);
    data.setValue(0, dialScan, 0);
    data.setValue(0, tot, 1);
    data.setValue(0, squelchLevel, 5);
    data.setValue(0, encryption, 2);
    data.setValue(0, lockOut, 1);
    data.setValue(0, arts, 0);
    data.setValue(0, rxToneMode, 1);
    data.setValue(0, rxToneCode, 670);
    data.setValue(1, inUse, 0);
    data.setValue(2, rxToneMode, 2); // DCS 754 inverted: the longest decode text
    data.setValue(2, rxToneCode, 0754);
    data.setValue(2, rxDcsInverted, 1);
    data.setValue(2, squelchLevel, 15);
    data.setValue(2, encryption, 0); // "OFF     ", padded
    data.store(image);
    return image;
}

TEST(ChannelListingTest, HeadersAndRulesByModeAndEncryption) {
    struct Case {
        int mode;
        std::int32_t optionUnit;
        std::string_view top;
        std::string_view bottom;
        std::size_t ruleLength;
        std::string csvHeader; // the titles, each followed by "|"
    };
    const Case cases[] = {
        {ACCESS_NORMAL, 2, text::PRINT_HEADER_USER_ENCR_1, text::PRINT_HEADER_USER_ENCR_2, 84,
         "Chn|RX/TX Channel (Frequency)|SUB AUDIO Dec/Enc (Value)|Pwr Save|SC|Dial Scan|TOT|SQ|"
         "Encr|BCLO|ARTS|"},
        {ACCESS_ADJUSTMENT, 0, text::PRINT_HEADER_USER_1, text::PRINT_HEADER_USER_2, 73,
         "Chn|RX/TX Channel (Frequency)|SUB AUDIO Dec/Enc (Value)|Pwr Save|SC|Dial Scan|TOT|SQ|"
         "BCLO|ARTS|"},
        {ACCESS_MANUFACTURE, 3, text::PRINT_HEADER_SERVICE_ENCR_1,
         text::PRINT_HEADER_SERVICE_ENCR_2, 85,
         "Chn|RX/TX Channel (Frequency)|RX/TX Channel (Frequency)|SUB AUDIO Dec/Enc (Value)|"
         "Pwr Save|SC|Dial Scan|TOT|SQ|Encr|BCLO|ARTS|"},
        {ACCESS_E_MODE, 4, text::PRINT_HEADER_SERVICE_1, text::PRINT_HEADER_SERVICE_2, 74,
         "Chn|RX/TX Channel (Frequency)|RX/TX Channel (Frequency)|SUB AUDIO Dec/Enc (Value)|"
         "Pwr Save|SC|Dial Scan|TOT|SQ|BCLO|ARTS|"},
        // Option unit 1 is no "None": encryption counts as used, in the header and the rows.
        {ACCESS_NORMAL, 1, text::PRINT_HEADER_USER_ENCR_1, text::PRINT_HEADER_USER_ENCR_2, 84,
         "Chn|RX/TX Channel (Frequency)|SUB AUDIO Dec/Enc (Value)|Pwr Save|SC|Dial Scan|TOT|SQ|"
         "Encr|BCLO|ARTS|"},
    };
    for (const Case& c : cases) {
        const ChannelListing listing(sampleImage(c.optionUnit), c.mode);
        EXPECT_EQ(listing.printHeaderTop(), c.top) << c.mode << "/" << c.optionUnit;
        EXPECT_EQ(listing.printHeaderBottom(), c.bottom) << c.mode << "/" << c.optionUnit;
        EXPECT_EQ(listing.printRule(), std::string(c.ruleLength, '-'));
        std::string header;
        for (const std::string& title : listing.csvHeader()) {
            header += title + "|";
        }
        EXPECT_EQ(header, c.csvHeader) << c.mode << "/" << c.optionUnit;
        ASSERT_FALSE(listing.blocks().empty());
        for (const auto& row : listing.blocks()[0].rows) {
            EXPECT_EQ(listing.csvRow(row).size(), listing.csvHeader().size()) << "row in step";
        }
    }
}

TEST(ChannelListingTest, RowCellsByModeAndEncryption) {
    struct Case {
        int mode;
        std::int32_t optionUnit;
        std::vector<std::string> first;
        std::string printed;
        std::string printedLongest; // channel 3: every later cell stays under its header word
    };
    const Case cases[] = {
        {ACCESS_NORMAL,
         0,
         {"  1", "CH1 (446.00625)", "No.10 (C-67.0)", "v", "v", "-", "v", "5", "v", "-"},
         "  1 CH1 (446.00625)      No.10 (C-67.0)   v      v  -    v   5  v    -",
         "  3 CH3 (446.03125)      No.163 (D-754 I) -      -  -    -   15 -    -"},
        {ACCESS_NORMAL,
         2,
         {"  1", "CH1 (446.00625)", "No.10 (C-67.0)", "v", "v", "-", "v", "5", "Power ON", "v",
          "-"},
         "  1 CH1 (446.00625)      No.10 (C-67.0)   v      v  -    v   5  Power ON   v    -",
         "  3 CH3 (446.03125)      No.163 (D-754 I) -      -  -    -   15 OFF        -    -"},
        {ACCESS_MANUFACTURE,
         0,
         {"  1", "446.00625", "446.00625", "No.10 (C-67.0)", "v", "v", "-", "v", "5", "v", "-"},
         "  1 446.00625 446.00625  No.10 (C-67.0)   v       v  -    v   5  v    -",
         "  3 446.03125 446.03125  No.163 (D-754 I) -       -  -    -   15 -    -"},
    };
    for (const Case& c : cases) {
        const ChannelListing listing(sampleImage(c.optionUnit), c.mode);
        ASSERT_EQ(listing.blocks().size(), 1u);
        const auto& rows = listing.blocks()[0].rows;
        ASSERT_EQ(rows.size(), 15u) << "channel 2 is not programmed";
        EXPECT_EQ(rows[1].channel, 2);
        EXPECT_EQ(listing.csvRow(rows[0]), c.first) << c.mode << "/" << c.optionUnit;
        EXPECT_EQ(listing.printRow(rows[0]), c.printed) << c.mode << "/" << c.optionUnit;
        EXPECT_EQ(listing.printRow(rows[1]), c.printedLongest) << c.mode << "/" << c.optionUnit;
    }
}

} // namespace
} // namespace kq70
