#pragma once

#include "fields/FieldDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kq70 {

class RadioImage;

// Reads and writes the values of one descriptor table straight in the image. Every access
// is checked: an index at or beyond the table reads -1 (or an empty text) and writes
// nothing, bytes outside the image read as 0 and are never written, and a table given a
// read-only image writes nothing at all.
class HFieldTable {
public:
    explicit HFieldTable(std::span<const FieldDescriptor> descriptors);

    void init(RadioImage& image);
    void init(const RadioImage& image);
    void init(std::span<std::uint8_t> bytes);
    void init(std::span<const std::uint8_t> bytes);

    std::size_t count() const { return m_descriptors.size(); }
    std::span<const FieldDescriptor> descriptors() const { return m_descriptors; }

    // A number with invert and transform applied, or a BCD field's decimal value.
    std::int32_t getValue(std::size_t index) const;
    // The field's bits as stored (masked, shifted down unless keepPosition).
    std::int32_t readRaw(std::size_t index) const;
    std::string readString(std::size_t index) const;

    void setValue(std::size_t index, std::int32_t value);
    void writeRaw(std::size_t index, std::int32_t value);
    void writeString(std::size_t index, std::string_view text);

    std::int32_t getDefault(std::size_t index) const;

    std::uint32_t recordBit() const { return m_recordBit; }

protected:
    void setRecordBase(std::size_t byteBase, std::uint32_t bitBase);

private:
    // The bytes a number field covers and its mask within them.
    struct Placement {
        std::size_t first = 0;
        unsigned shift = 0;
        unsigned byteCount = 0;
        std::uint64_t mask = 0;
    };

    const FieldDescriptor* find(std::size_t index, bool wantText) const;
    Placement placementOf(const FieldDescriptor& d) const;
    std::uint8_t byteAt(std::size_t offset) const;
    void setByte(std::size_t offset, std::uint8_t value);
    std::uint64_t assemble(const Placement& place, ByteOrder order) const;
    void scatter(const Placement& place, ByteOrder order, std::uint64_t word);
    std::uint32_t readBits(const FieldDescriptor& d) const;
    void writeBits(const FieldDescriptor& d, std::uint32_t value);

    std::span<const FieldDescriptor> m_descriptors;
    std::span<const std::uint8_t> m_readBytes;
    std::span<std::uint8_t> m_writeBytes;
    std::size_t m_recordByte = 0;
    std::uint32_t m_recordBit = 0;
};

} // namespace kq70
