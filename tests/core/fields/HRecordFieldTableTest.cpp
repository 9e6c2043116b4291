#include "fields/HRecordFieldTable.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace kq70 {
namespace {

constexpr std::size_t BASE = 0x0300;

// A byte field at offset 1 of records selected by byte, a one-bit field of records selected
// by bit (the layouts with a bit stride).
TEST(HRecordFieldTableTest, RecordsFollowStrideBlocksAndBitStride) {
    struct Placed {
        std::size_t record;
        std::size_t byte;
        unsigned bit = 0; // of a record selected by bit
    };
    struct Case {
        const char* name;
        RecordLayout layout;
        std::vector<Placed> places;
    };
    const std::vector<Case> cases = {
        {"32-byte records", {.base = BASE, .strideBytes = 32}, {{0, BASE + 1}, {3, BASE + 97}}},
        {"blocks of 8 with a gap",
         {.base = BASE, .strideBytes = 16, .blockGap = 0x80, .recordsPerBlock = 8},
         {{7, BASE + 113}, {8, BASE + 0x80 + 129}, {17, BASE + 0x100 + 273}}},
        {"bitmap, one bit per record",
         {.base = BASE, .strideBits = 1},
         {{0, BASE, 0}, {7, BASE, 7}, {8, BASE + 1, 0}, {13, BASE + 1, 5}, {255, BASE + 31, 7}}},
        {"stride 16: every second byte",
         {.base = BASE, .strideBits = 16},
         {{0, BASE, 0}, {1, BASE + 2, 0}, {5, BASE + 10, 0}}},
        {"word swap",
         {.base = BASE, .strideBits = 1, .wordSwap = true},
         {{0, BASE + 1, 0}, {7, BASE + 1, 7}, {8, BASE, 0}, {16, BASE + 3, 0}, {29, BASE + 2, 5}}},
    };
    const std::array<FieldDescriptor, 1> byteTable{numberField(1, 0, 8)};
    const std::array<FieldDescriptor, 1> bitTable{numberField(0, 0, 1)};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool byBit = c.layout.strideBits != 0;
        const std::int32_t value = byBit ? 1 : 0x5A;
        for (const Placed& p : c.places) {
            RadioImage image;
            HRecordFieldTable fields(byBit ? bitTable : byteTable, c.layout);
            fields.init(image);
            if (byBit) {
                fields.selectRecordByBit(p.record);
            } else {
                fields.selectRecordByByte(p.record);
            }
            fields.setValue(0, value);
            RadioImage expected;
            expected.setByte(p.byte, static_cast<std::uint8_t>(byBit ? 1U << p.bit : 0x5A));
            EXPECT_EQ(image, expected) << "record " << p.record;
            EXPECT_EQ(fields.getValue(0), value);
        }
    }
}

// A table used both ways must not carry the bit of a bit-selected record over.
TEST(HRecordFieldTableTest, SelectingByByteStartsAtBitZero) {
    const std::array<FieldDescriptor, 1> table{numberField(0, 0, 4)};
    RadioImage image;
    image.setByte(BASE + 32, 0x3C);
    HRecordFieldTable fields(table, {.base = BASE, .strideBytes = 32, .strideBits = 3});
    fields.init(image);
    fields.selectRecordByBit(1);
    fields.selectRecordByByte(1);
    EXPECT_EQ(fields.getValue(0), 0xC);
}

} // namespace
} // namespace kq70
