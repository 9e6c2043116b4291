// One golden record per parameter object: the bytes a radio holds, the values they read as,
// and the bytes those values store into blank memory. A field at the wrong offset or bit,
// a lost store or a write outside the fields shows up here.
#include "params/HHardwareParams.h"
#include "params/HKeyFuncParams.h"
#include "params/HMarketingParams.h"
#include "params/HMiscParams.h"
#include "params/HPagingCodeParams.h"
#include "params/HPowerSaveParams.h"
#include "params/HProgrammingPasswordParams.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kq70 {
namespace {

struct Byte {
    std::size_t offset;
    std::uint8_t read;   // what the radio holds
    std::uint8_t stored; // what the values store into blank memory
};

struct GoldenRecord {
    const char* name;
    std::function<std::unique_ptr<HParams>()> make;
    std::vector<Byte> bytes;
    std::vector<std::int32_t> values;
    std::vector<std::pair<std::size_t, std::string>> texts = {};
};

const GoldenRecord RECORDS[] = {
    {"miscellaneous",
     [] { return std::make_unique<HMiscParams>(); },
     {{0x0265, 0xB2, 0x02}, // power saving holds bits 7-4
      {0x0202, 0x03, 0x03},
      {0x0207, 0x20, 0x20},
      {0x0205, 0xD0, 0xD0},
      {0x0204, 0x90, 0x90},
      {0x0262, 0xB0, 0xB0},
      {0x0206, 0x80, 0x80},
      {0x2A00, 0x00, 0x00},
      {0x2A01, 0x01, 0x01},
      {0x2A02, 0x86, 0x86},
      {0x2A03, 0xA0, 0xA0}},
     {2, 3, 1, 2, 1, 2, 1, 1, 1, 1, 1, 1, 100000}},
    {"power saving",
     [] { return std::make_unique<HPowerSaveParams>(); },
     {{0x0203, 0xBB, 0x3B}, // the keypad holds bit 7
      {0x0204, 0x9E, 0x0E},
      {0x0265, 0xB5, 0xB0}, // the option unit holds bits 3-0
      {0x0207, 0xA0, 0x80},
      {0x027D, 26, 26},
      {0x027E, 22, 22},
      {0x027F, 7, 7},
      {0x0280, 2, 2},
      {0x0281, 4, 4},
      {0x0282, 33, 33},
      {0x0283, 34, 34},
      {0x0284, 35, 35}},
     {3, 2, 3, 6, 1, 1, 0, 3, 2, 0},
     {{HPowerSaveParams::POWER_ON_TAG, "QM724XYZ"}}},
    {"key functions",
     [] { return std::make_unique<HKeyFuncParams>(); },
     {{0x0268, 0x77, 0x00},
      {0x0269, 10, 10},
      {0x026A, 11, 11},
      {0x026B, 12, 12},
      {0x026C, 13, 13},
      {0x026D, 14, 14},
      {0x026E, 15, 15},
      {0x026F, 16, 16},
      {0x0270, 17, 17},
      {0x0271, 18, 18},
      {0x0272, 19, 19},
      {0x0273, 20, 20},
      {0x0274, 21, 21},
      {0x0275, 0x77, 0x00}},
     {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}},
    {"programming password",
     [] { return std::make_unique<HProgrammingPasswordParams>(); },
     {{0x29E1, 0xFF, 0x04}, // the other bits belong to the power-on password
      {0x29E2, 1, 1},
      {0x29E3, 10, 10},
      {0x29E4, 2, 2},
      {0x29E5, 11, 11},
      {0x29E6, 3, 3},
      {0x29E7, 12, 12}},
     {1, 0},
     {{HProgrammingPasswordParams::PASSWORD, "1A2B3C"}}},
    // Band 12 under a foreign high nibble, copied to the mirror at 0x0006; bits around the local
    // offset, the squelch release time and the keypad belong to other values. The oscillator
    // near 12.8 MHz in 40, 50, 20 and 10 kHz units (12 bits), the first IF near 45.05 MHz in 5,
    // 6.25, 2.5 and 1.25 kHz units (each copy stores its own value), 436 to 470 MHz.
    {"hardware",
     [] { return std::make_unique<HHardwareParams>(); },
     {{0x26E8, 0xAC, 0x0C}, {0x26E9, 0x63, 0x63}, {0x26EA, 0xB4, 0xB4}, {0x26EB, 100, 100},
      {0x0006, 0x00, 0x0C}, {0x0007, 0x00, 0x63}, {0x29E8, 7, 7},       {0x272B, 0xFF, 0x01},
      {0x2742, 0xF9, 0x01}, {0x2743, 0x5A, 0x5A}, {0x0203, 0xC5, 0x80}, {0x2713, 0xF1, 0x01},
      {0x2714, 0x40, 0x40}, {0x2719, 0x01, 0x01}, {0x271A, 0x01, 0x01}, {0x271F, 0x02, 0x02},
      {0x2720, 0x81, 0x81}, {0x2725, 0x05, 0x05}, {0x2726, 0x03, 0x03}, {0x272C, 0x23, 0x23},
      {0x272D, 0x32, 0x32}, {0x272E, 0x1C, 0x1C}, {0x272F, 0x29, 0x29}, {0x2730, 0x46, 0x46},
      {0x2731, 0x65, 0x65}, {0x2732, 0x8C, 0x8C}, {0x2733, 0xC9, 0xC9}, {0x2734, 0x11, 0x11},
      {0x2735, 0x08, 0x08}, {0x2736, 0x12, 0x12}, {0x2737, 0x5C, 0x5C}, {0x26EE, 1, 1},
      {0x26F2, 2, 2},       {0x26F6, 3, 3},       {0x26FA, 4, 4},       {0x2702, 5, 5},
      {0x270A, 6, 6},       {0x26FE, 7, 7},       {0x2706, 8, 8},       {0x270E, 9, 9}},
     {6,        12,       7,        1,        1,        2,        1,         5,         10,
      1,        1,        1,        1,        12800000, 45050000, 436000000, 470000000, 100,
      7209,     18021,    36041,    257,      641,      1283,     1,         1,         2,
      3,        4,        5,        6,        7,        8,        9,         12800000,  12850000,
      12820000, 12830000, 45050000, 45056250, 45052500, 45051250}},
    // Four decimal digits each, then the serial number and its copy.
    {"marketing",
     [] { return std::make_unique<HMarketingParams>(); },
     {{0x0000, 0x12, 0x12},
      {0x0001, 0x34, 0x34},
      {0x29EC, 0x01, 0x01},
      {0x29ED, 0x09, 0x09},
      {0x29EE, 0x2A, 0x2A},
      {0x29EF, 0x05, 0x05},
      {0x29F0, 0xC3, 0xC3},
      {0x29F1, 0xF1, 0xF1},
      {0x016C, 0x11, 0x11},
      {0x016D, 0x22, 0x22},
      {0x016E, 0x33, 0x33},
      {0x016F, 0x44, 0x44}},
     {1234, 109, 0x2A05C3F1, 0x11223344}},
    {"last paging code",
     [] { return std::make_unique<HPagingCodeParams>(9); },
     {{0x26E6, 0xDA, 0xDA}, // flag, ENC & DEC, Alarm, digit A
      {0x26E7, 0xBC, 0xBC}},
     {0xA, HPagingCodeParams::DECODE_ACTION_ALARM, HPagingCodeParams::DECODE_STATUS_ENC_AND_DEC, 1,
      0xB, 0xC}},
};

TEST(ParamsGoldenRecordTest, BytesReadAsTheirValuesAndStoreBack) {
    for (const GoldenRecord& record : RECORDS) {
        SCOPED_TRACE(record.name);
        RadioImage radio;
        RadioImage expected;
        for (const Byte& b : record.bytes) {
            radio.setByte(b.offset, b.read);
            expected.setByte(b.offset, b.stored);
        }
        const std::unique_ptr<HParams> params = record.make();
        params->extract(radio);
        for (std::size_t i = 0; i < record.values.size(); ++i) {
            if (params->getText(i).empty()) {
                EXPECT_EQ(params->get(i), record.values[i]) << "value " << i;
            }
        }
        for (const auto& [index, text] : record.texts) {
            EXPECT_EQ(params->getText(index), text) << "text " << index;
        }
        RadioImage blank;
        params->store(blank);
        for (std::size_t offset = 0; offset < IMAGE_SIZE; ++offset) {
            ASSERT_EQ(blank.byteAt(offset), expected.byteAt(offset)) << std::hex << offset;
        }
    }
}

} // namespace
} // namespace kq70
