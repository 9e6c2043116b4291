// One golden record per parameter object: the bytes a radio holds, the values they read as,
// and the bytes those values store into blank memory. A field at the wrong offset or bit,
// a lost store or a write outside the fields shows up here.
#include "params/HKeyFuncParams.h"
#include "params/HMiscParams.h"
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
    std::vector<std::pair<std::size_t, std::string>> texts;
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
     {2, 3, 1, 2, 1, 2, 1, 1, 1, 1, 1, 1, 100000},
     {}},
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
     {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21},
     {}},
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
