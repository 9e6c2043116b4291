#include "fields/HParams.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace kq70 {
namespace {

// A small page: a flag, a 12-bit code across two bytes, a BCD value and a tag.
constexpr std::array<FieldDescriptor, 4> PAGE_FIELDS = {{
    /* 0 flag */ numberField(0x0400, 7, 1, 1),
    /* 1 code */ numberField(0x0401, 0, 12, 0x123),
    /* 2 BCD  */ bcdField(0x0403, 0, 8, 42),
    /* 3 tag  */ textField(0x0404, 8, "SELFTEST"),
}};
static_assert(allValid(PAGE_FIELDS));

class PageParams : public HParams {
public:
    PageParams() : HParams(PAGE_FIELDS) {}
};

TEST(HParamsTest, StoreWritesTheFieldsAndNothingElse) {
    RadioImage image;
    for (std::size_t i = 0x03F0; i < 0x0420; ++i) {
        image.setByte(i, 0x6C); // bit 7 clear, so the flag reads 0
    }
    image.setByte(0x0403, 0x59);
    const std::array<std::uint8_t, 8> radio{27, 10, 13, 18, 24, 36, 7, 49}; // "RADIO 7", end
    std::ranges::copy(radio, image.range(0x0404, radio.size()).begin());
    PageParams page;
    page.extract(image);
    EXPECT_EQ(page.get(0), 0);
    EXPECT_EQ(page.get(1), 0xC6C);
    EXPECT_EQ(page.get(2), 59);
    EXPECT_EQ(page.getText(3), "RADIO 7");

    image.setByte(0x040B, 36); // the only byte a store of these values rewrites
    const RadioImage before = image;
    page.store(image);
    EXPECT_EQ(image, before);

    page.set(0, 1);
    page.set(1, 0x9AB);
    page.set(2, 15);
    page.setText(3, "CH 1");
    page.store(image);
    RadioImage expected = before;
    expected.setByte(0x0400, 0xEC);
    expected.setByte(0x0401, 0x69);
    expected.setByte(0x0402, 0xAB);
    expected.setByte(0x0403, 0x15);
    const std::array<std::uint8_t, 8> tag{12, 17, 36, 1, 36, 36, 36, 36};
    std::ranges::copy(tag, expected.range(0x0404, tag.size()).begin());
    EXPECT_EQ(image, expected);

    PageParams again;
    again.extract(image);
    EXPECT_EQ(again.get(1), 0x9AB);
    EXPECT_EQ(again.getText(3), "CH 1    ");
}

TEST(HParamsTest, IndexesBeyondTheTableAreIgnored) {
    PageParams page;
    page.set(4, 7);
    page.setText(9, "X");
    EXPECT_EQ(page.get(4), -1);
    EXPECT_EQ(page.getText(9), "");
    page.set(1, 5);
    page.resetToDefaults();
    EXPECT_EQ(page.get(1), 0x123);
}

// Objects of one record table, one per record, each touch only their own record.
TEST(HParamsTest, RecordObjectsReadAndWriteTheirOwnRecord) {
    constexpr std::array<FieldDescriptor, 2> RECORD_FIELDS = {{
        /* 0 value */ numberField(0, 0, 8),
        /* 1 low nibble */ numberField(1, 0, 4),
    }};
    const RecordLayout records{.base = 0x0500, .strideBytes = 4};
    const RecordLayout bits{.base = 0x0600, .strideBits = 1};
    constexpr std::array<FieldDescriptor, 1> BIT_FIELDS = {{/* 0 scan */ numberField(0, 0, 1)}};

    RadioImage image;
    for (std::size_t record = 0; record < 3; ++record) {
        HParams channel(RECORD_FIELDS, {.layout = records, .record = record});
        channel.set(0, static_cast<std::int32_t>(0x10 + record));
        channel.set(1, 0xF);
        channel.store(image);
        HParams scan(BIT_FIELDS,
                     {.layout = bits, .select = RecordPlace::Select::ByBit, .record = record});
        scan.set(0, record == 1 ? 1 : 0);
        scan.store(image);
    }
    RadioImage expected;
    for (std::size_t record = 0; record < 3; ++record) {
        expected.setByte(0x0500 + 4 * record, static_cast<std::uint8_t>(0x10 + record));
        expected.setByte(0x0501 + 4 * record, 0x0F);
    }
    expected.setByte(0x0600, 0x02);
    EXPECT_EQ(image, expected);

    HParams second(RECORD_FIELDS, {.layout = records, .record = 2});
    second.extract(image);
    EXPECT_EQ(second.get(0), 0x12);
}

} // namespace
} // namespace kq70
