#include "fields/HRecordFieldTable.h"

namespace kq70 {

HRecordFieldTable::HRecordFieldTable(std::span<const FieldDescriptor> descriptors,
                                     const RecordLayout& layout)
    : HFieldTable(descriptors), m_layout(layout) {
    setRecordBase(m_layout.base, 0);
}

// The bit base goes back to 0, so a table used both ways never carries a stale bit into
// a byte-addressed record.
void HRecordFieldTable::selectRecordByByte(std::size_t record) {
    std::size_t offset = m_layout.base + m_layout.strideBytes * record;
    if (m_layout.recordsPerBlock != 0) {
        offset += m_layout.blockGap * (record / m_layout.recordsPerBlock);
    }
    setRecordBase(offset, 0);
}

void HRecordFieldTable::selectRecordByBit(std::size_t record) {
    const std::size_t bit = m_layout.strideBits * record;
    std::size_t byteIndex = bit / 8;
    if (m_layout.wordSwap) {
        byteIndex ^= 1U;
    }
    setRecordBase(m_layout.base + byteIndex, static_cast<std::uint32_t>(bit % 8));
}

} // namespace kq70
