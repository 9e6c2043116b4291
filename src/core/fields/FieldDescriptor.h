#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kq70 {

// How the bits of a field are read: a plain number, decimal digits one per nibble, or text
// in the radio character code (one character per byte).
enum class FieldKind : std::uint8_t {
    Number = 0,
    Bcd = 1,
    Text = 2,
};

// How the covered bytes are assembled into one word. Every radio value is big-endian.
enum class ByteOrder : std::uint8_t {
    LittleEndian = 0,
    BigEndian = 1,
};

// What a read does to a number after masking and invert; a write does the inverse first.
enum class FieldTransform : std::uint8_t {
    None = 0,
    Shift = 2,         // read shifts right by `factor` bits, write shifts left
    Multiply = 3,      // read multiplies by `factor`, write divides
    Divide = 4,        // read divides by `factor`, write multiplies
    SignMagnitude = 5, // the field's top bit is the sign, the rest the magnitude
};

constexpr std::uint32_t MAX_NUMBER_WIDTH = 32;
constexpr std::size_t MAX_DEFAULT_TEXT = 12;

// Where one value lives in the image and how it is coded. Offsets are relative to the
// record the field table is positioned on (0 for tables of absolute offsets).
struct FieldDescriptor {
    FieldKind kind = FieldKind::Number;
    std::uint32_t byteOffset = 0;
    // Least significant bit of the field, counted from bit 0 of the last byte it covers.
    std::uint32_t bitPosition = 0;
    // Bits of a number or BCD field, characters of a text field.
    std::uint32_t width = 8;
    std::int32_t defaultValue = 0;
    std::string_view defaultText = " ";
    bool invert = false;       // the stored bit is the logical negation of the value
    bool keepPosition = false; // the value is not shifted by the bit position
    ByteOrder byteOrder = ByteOrder::BigEndian;
    bool readOnly = false; // writes leave the image alone
    FieldTransform transform = FieldTransform::None;
    double factor = 1.0; // used by Shift, Multiply and Divide
};

constexpr FieldDescriptor numberField(std::uint32_t byteOffset, std::uint32_t bitPosition,
                                      std::uint32_t width, std::int32_t defaultValue = 0) {
    return {.kind = FieldKind::Number,
            .byteOffset = byteOffset,
            .bitPosition = bitPosition,
            .width = width,
            .defaultValue = defaultValue};
}

constexpr FieldDescriptor bcdField(std::uint32_t byteOffset, std::uint32_t bitPosition,
                                   std::uint32_t width, std::int32_t defaultValue = 0) {
    return {.kind = FieldKind::Bcd,
            .byteOffset = byteOffset,
            .bitPosition = bitPosition,
            .width = width,
            .defaultValue = defaultValue};
}

constexpr FieldDescriptor textField(std::uint32_t byteOffset, std::uint32_t length,
                                    std::string_view defaultText) {
    return {.kind = FieldKind::Text,
            .byteOffset = byteOffset,
            .width = length,
            .defaultText = defaultText};
}

// A descriptor the field table can honour exactly: numbers at most 32 bits wide, default
// texts of at most 12 characters, a usable factor where a transform needs one.
constexpr bool isValidDescriptor(const FieldDescriptor& d) {
    if (d.kind != FieldKind::Text && d.width > MAX_NUMBER_WIDTH) {
        return false;
    }
    if (d.defaultText.size() > MAX_DEFAULT_TEXT) {
        return false;
    }
    switch (d.transform) {
    case FieldTransform::None:
        return true;
    case FieldTransform::Shift:
        return d.factor >= 0.0 && d.factor < d.width;
    case FieldTransform::Multiply:
    case FieldTransform::Divide:
        return d.factor > 0.0;
    case FieldTransform::SignMagnitude:
        return d.width >= 2;
    }
    return false;
}

// For a static_assert next to every descriptor table.
constexpr bool allValid(std::span<const FieldDescriptor> table) {
    for (const FieldDescriptor& d : table) {
        if (!isValidDescriptor(d)) {
            return false;
        }
    }
    return true;
}

} // namespace kq70
