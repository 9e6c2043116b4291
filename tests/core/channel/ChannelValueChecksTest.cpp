#include "channel/ChannelValueChecks.h"

#include "channel/HChannelData.h"
#include "params/HHardwareParams.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kq70 {
namespace {

TEST(ChannelValueChecksTest, TagTexts) {
    // A text and the reason it is refused, empty where the radio holds it as given.
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"CH1 <>+-", ""},
        {"=*/[\\]:_", ""},
        {"TOO LONG 1", "is longer than 8 characters"},
        {"ABCDEFGHI", "is longer than 8 characters"},
        {"Ch1", "the radio cannot show \"h\" (digits, capitals and  <>+-=*/[\\]:_ only)"},
        {"A\"B", "the radio cannot show \"\\\"\" (digits, capitals and  <>+-=*/[\\]:_ only)"},
        {"A\tB", "the radio cannot show \"\\x09\" (digits, capitals and  <>+-=*/[\\]:_ only)"},
        {"\xC3\x84", "the radio cannot show \"\\xC3\" (digits, capitals and  <>+-=*/[\\]:_ only)"},
    };
    for (const auto& [text, reason] : cases) {
        EXPECT_EQ(tagTextReason(text, 8), reason) << text;
        EXPECT_EQ(firstUnshowable(text).has_value(),
                  std::string(reason).find("cannot show") != std::string::npos)
            << text;
    }
}

TEST(ChannelValueChecksTest, FrequencyRangeIncludesBothLimits) {
    HHardwareParams hardware;
    hardware.set(HW_FREQUENCY_MIN, 400000000);
    hardware.set(HW_FREQUENCY_MAX, 470000000);
    const std::pair<std::int64_t, bool> cases[] = {
        {399999999, false}, {400000000, true}, {446006250, true},    {470000000, true},
        {470000001, false}, {-1, false},       {4700000000LL, false}};
    for (const auto& [hz, inRange] : cases) {
        EXPECT_EQ(isFrequencyInRange(hz, hardware), inRange) << hz;
        EXPECT_EQ(frequencyRangeReason(hz, hardware).empty(), inRange) << hz;
    }
    EXPECT_EQ(frequencyRangeReason(480000000, hardware),
              "480000000 is outside the radio's frequency range 400.00000-470.00000 MHz");
}

TEST(ChannelValueChecksTest, ToneCodesBelongToTheirModesTable) {
    const std::tuple<std::int32_t, std::int32_t, const char*> cases[] = {
        {0, 12345, ""}, // no tone: the code is carried, whatever it is
        {1, 670, ""},
        {1, 2541, ""},
        {1, 671, "671 is not a CTCSS tone (tenths of a hertz, e.g. 670 for 67.0 Hz)"},
        {1, 19, "19 is not a CTCSS tone (tenths of a hertz, e.g. 670 for 67.0 Hz)"},
        {2, 19, ""},
        {2, 0, "0 is not a DCS code (the value of its octal digits, e.g. 19 for D023)"},
        {2, 670, "670 is not a DCS code (the value of its octal digits, e.g. 19 for D023)"},
    };
    for (const auto& [mode, code, reason] : cases) {
        EXPECT_EQ(toneCodeReason(mode, code), reason) << mode << " " << code;
    }
    // A channel's transmit and receive tones are checked each against its own mode.
    HChannelData channels;
    channels.setValue(4, txToneMode, 2);
    channels.setValue(4, txToneCode, 19);
    channels.setValue(4, rxToneMode, 1);
    channels.setValue(4, rxToneCode, 19);
    EXPECT_EQ(toneReason(channels, 4, true), "");
    EXPECT_NE(toneReason(channels, 4, false), "");
}

} // namespace
} // namespace kq70
