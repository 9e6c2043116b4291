#include "fields/HFieldTable.h"

#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace kq70 {
namespace {

constexpr std::uint32_t AT = 0x0100; // where the test fields live

// A busy background, so a write that spills into a neighbouring bit or byte shows.
RadioImage patternedImage() {
    RadioImage image;
    for (std::size_t i = 0; i < IMAGE_SIZE; ++i) {
        image.setByte(i, static_cast<std::uint8_t>(i * 37 + 11));
    }
    return image;
}

void putBytes(RadioImage& image, std::size_t offset, const std::vector<std::uint8_t>& bytes) {
    std::ranges::copy(bytes, image.range(offset, bytes.size()).begin());
}

struct NumberCase {
    const char* name;
    FieldDescriptor field;
    std::vector<std::uint8_t> stored; // bytes at AT before
    std::int32_t value;               // what getValue reads from them
    std::int32_t written;             // what setValue is given
    std::vector<std::uint8_t> after;  // bytes at AT afterwards
};

FieldDescriptor with(FieldDescriptor d, FieldTransform transform, double factor) {
    d.transform = transform;
    d.factor = factor;
    return d;
}

FieldDescriptor littleEndian(FieldDescriptor d) {
    d.byteOrder = ByteOrder::LittleEndian;
    return d;
}

FieldDescriptor inverted(FieldDescriptor d) {
    d.invert = true;
    return d;
}

// Each case reads a value, writes another and checks the whole image, so a wrong mask,
// shift or byte order and any disturbed neighbour bit fail.
TEST(HFieldTableTest, NumbersReadAndWriteExactlyTheirBits) {
    const FieldDescriptor byte = numberField(AT, 0, 8);
    const FieldDescriptor word = numberField(AT, 0, 16);
    const FieldDescriptor shifted = with(numberField(AT, 1, 6), FieldTransform::Shift, 2);
    const FieldDescriptor multiplied = with(word, FieldTransform::Multiply, 2.5);
    const FieldDescriptor inexact = with(byte, FieldTransform::Multiply, 1.1);
    const FieldDescriptor divided = with(word, FieldTransform::Divide, 10);
    const FieldDescriptor signMagnitude = with(byte, FieldTransform::SignMagnitude, 0);
    const FieldDescriptor signMagnitude5 =
        with(numberField(AT, 2, 5), FieldTransform::SignMagnitude, 0);
    FieldDescriptor keepingPosition = numberField(AT, 6, 2);
    keepingPosition.keepPosition = true;
    constexpr auto NEGATIVE = static_cast<std::int32_t>(0x89ABCDEF);
    // clang-format off
    const std::vector<NumberCase> cases = {
        // name                            field                                   stored                    value     written     after
        {"width 3 at bit 4",               numberField(AT, 4, 3),                  {0xAD},                   2,        5,          {0xDD}},
        {"too wide a value is masked",     numberField(AT, 4, 3),                  {0xAD},                   2,        0xFF,       {0xFD}},
        {"invert",                         inverted(numberField(AT, 0, 1)),        {0xFE},                   1,        0,          {0xFF}},
        {"12 bits across two bytes",       numberField(AT, 0, 12),                 {0xA3, 0x45},             0x345,    0x9BC,      {0xA9, 0xBC}},
        {"9 bits at bit 3",                numberField(AT, 3, 9),                  {0x5A, 0xC3},             0x158,    0xA5,       {0x55, 0x2B}},
        {"16 bits big-endian",             word,                                   {0x12, 0x34},             0x1234,   0xABCD,     {0xAB, 0xCD}},
        {"16 bits little-endian",          littleEndian(word),                     {0x12, 0x34},             0x3412,   0xABCD,     {0xCD, 0xAB}},
        {"12 bits little-endian at bit 2", littleEndian(numberField(AT, 2, 12)),   {0x12, 0x34},             0xD04,    0x123,      {0x8E, 0x04}},
        {"32 bits",                        numberField(AT, 0, 32),                 {0x89, 0xAB, 0xCD, 0xEF}, NEGATIVE, 0x01020304, {1, 2, 3, 4}},
        {"keep position",                  keepingPosition,                        {0xC5},                   0xC0,     0x40,       {0x45}},
        {"shift keeps the low bits",       shifted,                                {0x36},                   6,        5,          {0x2E}},
        {"shift masks within the field",   shifted,                                {0x36},                   6,        0xFF,       {0x7E}},
        {"multiply",                       multiplied,                             {0x00, 0x64},             250,      1000,       {0x01, 0x90}},
        {"multiply by an inexact factor",  inexact,                                {0x1E},                   33,       33,         {0x1E}},
        {"divide",                         divided,                                {0x01, 0xF4},             50,       73,         {0x02, 0xDA}},
        {"sign-magnitude negative",        signMagnitude,                          {0x85},                   -5,       -12,        {0x8C}},
        {"sign-magnitude stays positive",  signMagnitude,                          {0x05},                   5,        200,        {0x48}},
        {"sign-magnitude 5 bits at bit 2", signMagnitude5,                         {0xD9},                   -6,       3,          {0x8D}},
        {"BCD 0x25",                       bcdField(AT, 0, 8),                     {0x25},                   25,       37,         {0x37}},
        {"BCD cuts high digits",           bcdField(AT, 0, 8),                     {0x25},                   25,       1234,       {0x34}},
        {"BCD 12 bits at bit 4",           bcdField(AT, 4, 12),                    {0x12, 0x34},             123,      987,        {0x98, 0x74}},
    };
    // clang-format on
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::array<FieldDescriptor, 1> table{c.field};
        RadioImage image = patternedImage();
        putBytes(image, AT, c.stored);
        HFieldTable fields(table);
        fields.init(image);
        EXPECT_EQ(fields.getValue(0), c.value);

        RadioImage expected = image;
        putBytes(expected, AT, c.after);
        fields.setValue(0, c.written);
        EXPECT_EQ(image, expected);
    }
}

// Raw access sees the stored bits: no invert, no sign, no shift or scaling.
TEST(HFieldTableTest, RawAccessBypassesInvertAndTransforms) {
    const std::array<FieldDescriptor, 4> table{
        with(numberField(AT, 0, 8), FieldTransform::SignMagnitude, 0),
        with(numberField(AT + 1, 0, 8), FieldTransform::Shift, 2),
        inverted(numberField(AT + 2, 3, 1)),
        with(numberField(AT + 3, 0, 8), FieldTransform::Divide, 10),
    };
    RadioImage image = patternedImage();
    putBytes(image, AT, {0x85, 0xB7, 0x08, 0xC8});
    HFieldTable fields(table);
    fields.init(image);
    const std::pair<std::int32_t, std::int32_t> readAndWritten[] = {
        {0x85, 0x8C}, {0xB7, 0x03}, {1, 0}, {0xC8, 0x2A}};
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(fields.readRaw(i), readAndWritten[i].first) << i;
        fields.writeRaw(i, readAndWritten[i].second);
    }
    RadioImage expected = patternedImage();
    putBytes(expected, AT, {0x8C, 0x03, 0x00, 0x2A});
    EXPECT_EQ(image, expected);
}

TEST(HFieldTableTest, TextsUseTheRadioCharacterCode) {
    const std::array<FieldDescriptor, 1> table{textField(AT, 8, "SELFTEST")};
    struct Case {
        const char* name;
        std::string written;
        std::vector<std::uint8_t> stored;
        std::string readBack;
    };
    const std::vector<Case> cases = {
        {"lower case is stored as spaces", "ab1", {36, 36, 1, 36, 36, 36, 36, 36}, "  1     "},
        {"symbols", "CH-1 <A>", {12, 17, 40, 1, 36, 37, 10, 38}, "CH-1 <A>"},
        {"too long a text is cut", "ABCDEFGHIJ", {10, 11, 12, 13, 14, 15, 16, 17}, "ABCDEFGH"},
        {"empty text pads", "", {36, 36, 36, 36, 36, 36, 36, 36}, "        "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage image = patternedImage();
        HFieldTable fields(table);
        fields.init(image);
        fields.writeString(0, c.written);
        RadioImage expected = patternedImage();
        putBytes(expected, AT, c.stored);
        EXPECT_EQ(image, expected);
        EXPECT_EQ(fields.readString(0), c.readBack);
    }
}

TEST(HFieldTableTest, ReadingTextStopsAtTheFirstNonCharacterCode) {
    const std::array<FieldDescriptor, 1> table{textField(AT, 8, " ")};
    RadioImage image;
    HFieldTable fields(table);
    fields.init(image);
    putBytes(image, AT, {17, 14, 49, 10, 10, 10, 10, 10});
    EXPECT_EQ(fields.readString(0), "HE");
    putBytes(image, AT, {0xFF, 10, 10, 10, 10, 10, 10, 10});
    EXPECT_EQ(fields.readString(0), "");
    putBytes(image, AT, {48, 47, 46, 45, 44, 43, 42, 41});
    EXPECT_EQ(fields.readString(0), "_:]\\[/*=");
}

// Nothing outside the table, the field's kind or a writable image is ever touched.
TEST(HFieldTableTest, WritesThatMustNotHappenLeaveTheImageAlone) {
    FieldDescriptor locked = numberField(AT, 0, 8, 7);
    locked.readOnly = true;
    FieldDescriptor lockedText = textField(AT + 4, 4, "AB");
    lockedText.readOnly = true;
    const std::array<FieldDescriptor, 3> table{locked, lockedText, numberField(AT + 8, 0, 8, 9)};
    const RadioImage original = patternedImage();
    RadioImage image = original;
    HFieldTable fields(table);
    fields.init(image);

    fields.setValue(0, 1);
    fields.writeRaw(0, 1);
    fields.writeString(1, "ZZ");
    fields.setValue(3, 1);
    fields.writeRaw(3, 1);
    fields.writeString(3, "ZZ");
    fields.setValue(1, 1);      // a text field takes no number
    fields.writeString(2, "Z"); // and a number field no text
    EXPECT_EQ(image, original);

    HFieldTable readOnlyImage(table);
    readOnlyImage.init(static_cast<const RadioImage&>(image));
    readOnlyImage.setValue(2, 1);
    readOnlyImage.writeRaw(2, 1);
    EXPECT_EQ(image, original);
    EXPECT_EQ(readOnlyImage.getValue(2), original.byteAt(AT + 8));

    EXPECT_EQ(fields.getValue(0), original.byteAt(AT));
    EXPECT_EQ(fields.getValue(3), -1);
    EXPECT_EQ(fields.readRaw(3), -1);
    EXPECT_EQ(fields.getValue(1), -1);
    EXPECT_EQ(fields.readString(3), "");
    EXPECT_EQ(fields.readString(0), "");
    EXPECT_EQ(fields.getDefault(0), 7);
    EXPECT_EQ(fields.getDefault(2), 9);
    EXPECT_EQ(fields.getDefault(3), -1);
}

// A descriptor that reaches past the image reads zeros there and writes only inside it.
TEST(HFieldTableTest, FieldsReachingPastTheImageStayInsideIt) {
    constexpr auto LAST = static_cast<std::uint32_t>(IMAGE_SIZE - 1);
    const std::array<FieldDescriptor, 3> table{
        numberField(LAST, 0, 16), textField(LAST - 1, 8, " "), numberField(0xFFFFFFF0U, 0, 32)};
    RadioImage image = patternedImage();
    image.setByte(LAST - 1, 11); // "B"
    image.setByte(LAST, 0xAB);
    HFieldTable fields(table);
    fields.init(image);
    EXPECT_EQ(fields.getValue(0), 0xAB00);
    EXPECT_EQ(fields.getValue(2), 0);

    RadioImage expected = image;
    fields.setValue(0, 0x1234);
    fields.setValue(2, -1);
    expected.setByte(LAST, 0x12);
    EXPECT_EQ(image, expected);

    fields.writeString(1, "XYZ");
    expected.setByte(LAST - 1, 33);
    expected.setByte(LAST, 34);
    EXPECT_EQ(image, expected);
    EXPECT_EQ(fields.readString(1), "XY");
}

} // namespace
} // namespace kq70
