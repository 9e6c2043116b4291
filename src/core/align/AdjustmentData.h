#pragma once

#include "fields/FieldDescriptor.h"

#include <cstddef>
#include <cstdint>

namespace kq70 {

class RadioImage;

// Places of the adjustment data outside the adjustment block itself.
constexpr std::size_t ADJUSTMENT_SQUELCH_OFFSET = 0x273A; // flash items 0–7
constexpr std::size_t ADJUSTMENT_SQUELCH_SIZE = 8;
constexpr std::size_t SHIPPING_SQUELCH_OFFSET = 0x0164; // their shipping-default copy
// EEPROM offset of a shipping-default block byte = flash offset - this.
constexpr std::size_t SHIPPING_BLOCK_DISTANCE = 0x287E;

// Every adjustment item is one byte or one 16-bit word, high byte first, at bit 0.
constexpr FieldDescriptor adjustmentByte(std::uint32_t offset) {
    return numberField(offset, 0, 8);
}
constexpr FieldDescriptor adjustmentWord(std::uint32_t offset) {
    return numberField(offset, 0, 16);
}

// The checksum of a 95-byte adjustment block: the 16-bit sum of its bytes.
std::uint16_t adjustmentBlockSum(const RadioImage& image, std::size_t blockOffset);

} // namespace kq70
