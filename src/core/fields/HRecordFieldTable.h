#pragma once

#include "fields/HFieldTable.h"

#include <cstddef>

namespace kq70 {

// Where the equal records of a record table lie. Records either follow each other in
// bytes (optionally in blocks of `recordsPerBlock` with `blockGap` bytes between blocks) or
// in bits, as in a bitmap of one bit per channel.
struct RecordLayout {
    std::size_t base = 0;
    std::size_t strideBytes = 0;
    std::size_t strideBits = 0;
    std::size_t blockGap = 0;
    std::size_t recordsPerBlock = 0; // 0: one block
    bool wordSwap = false;           // exchange the two bytes of each 16-bit word
};

// A field table over one of many equal records; select a record, then read and write its
// fields with the offsets of the descriptor table.
class HRecordFieldTable : public HFieldTable {
public:
    HRecordFieldTable(std::span<const FieldDescriptor> descriptors, const RecordLayout& layout);

    const RecordLayout& layout() const { return m_layout; }

    // Byte base = base + strideBytes·i (+ blockGap per whole block); bit base 0.
    void selectRecordByByte(std::size_t record);
    // Bit base = (strideBits·i) mod 8; byte base = base + (strideBits·i) / 8, that byte
    // exchanged with its partner in its 16-bit pair when the layout swaps words.
    void selectRecordByBit(std::size_t record);

private:
    RecordLayout m_layout;
};

} // namespace kq70
