#include "fields/HFieldTable.h"

#include "fields/RadioCharacterCode.h"
#include "image/RadioImage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kq70 {

namespace {

constexpr std::int32_t NO_FIELD = -1;
constexpr unsigned NIBBLE_BITS = 4;

std::uint32_t numberWidth(const FieldDescriptor& d) {
    return std::min(d.width, MAX_NUMBER_WIDTH);
}

// Bits the Shift transform moves; a factor outside the field moves nothing.
unsigned shiftOf(const FieldDescriptor& d) {
    if (d.transform != FieldTransform::Shift || !(d.factor >= 0.0) ||
        d.factor >= static_cast<double>(numberWidth(d))) {
        return 0;
    }
    return static_cast<unsigned>(d.factor);
}

// Truncates toward zero as the editors do, except that a result a hair off a whole number
// (decimal factors are not exact in binary) counts as that number.
std::int32_t truncated(double x) {
    if (!std::isfinite(x)) {
        return 0;
    }
    const double tolerance = std::max(1e-9, std::fabs(x) * 1e-12);
    const double nearest = std::round(x);
    const double whole = std::fabs(x - nearest) <= tolerance ? nearest : std::trunc(x);
    constexpr double LOW = std::numeric_limits<std::int32_t>::min();
    constexpr double HIGH = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(whole, LOW, HIGH));
}

bool usableFactor(const FieldDescriptor& d) {
    return std::isfinite(d.factor) && d.factor > 0.0;
}

std::int32_t decodeBcd(std::uint32_t raw, std::uint32_t width) {
    const std::uint32_t digits = (width + NIBBLE_BITS - 1) / NIBBLE_BITS;
    std::int32_t value = 0;
    std::int32_t weight = 1;
    for (std::uint32_t k = 0; k < digits; ++k) {
        value += static_cast<std::int32_t>((raw >> (NIBBLE_BITS * k)) & 0xF) * weight;
        weight *= 10;
    }
    return value;
}

std::uint32_t encodeBcd(std::int32_t value, std::uint32_t width) {
    const std::uint32_t digits = (width + NIBBLE_BITS - 1) / NIBBLE_BITS;
    auto rest = static_cast<std::uint32_t>(std::max(value, 0));
    std::uint32_t raw = 0;
    for (std::uint32_t k = 0; k < digits; ++k) {
        raw |= (rest % 10) << (NIBBLE_BITS * k);
        rest /= 10;
    }
    return raw;
}

std::int32_t fromSignMagnitude(std::uint32_t raw, std::uint32_t width) {
    const std::uint32_t sign = 1U << (width - 1);
    const auto magnitude = static_cast<std::int64_t>(raw & (sign - 1));
    return static_cast<std::int32_t>((raw & sign) != 0 ? -magnitude : magnitude);
}

// The magnitude is cut to the field, so a large positive value never turns negative.
std::uint32_t toSignMagnitude(std::int32_t value, std::uint32_t width) {
    const std::uint32_t sign = 1U << (width - 1);
    const auto wide = static_cast<std::int64_t>(value);
    const auto magnitude = static_cast<std::uint32_t>(wide < 0 ? -wide : wide) & (sign - 1);
    return wide < 0 ? (sign | magnitude) : magnitude;
}

} // namespace

HFieldTable::HFieldTable(std::span<const FieldDescriptor> descriptors)
    : m_descriptors(descriptors) {}

void HFieldTable::init(RadioImage& image) {
    init(std::span<std::uint8_t>(image.bytes()));
}

void HFieldTable::init(const RadioImage& image) {
    init(std::span<const std::uint8_t>(image.bytes()));
}

void HFieldTable::init(std::span<std::uint8_t> bytes) {
    m_writeBytes = bytes;
    m_readBytes = bytes;
}

void HFieldTable::init(std::span<const std::uint8_t> bytes) {
    m_writeBytes = {};
    m_readBytes = bytes;
}

void HFieldTable::setRecordBase(std::size_t byteBase, std::uint32_t bitBase) {
    m_recordByte = byteBase;
    m_recordBit = bitBase;
}

const FieldDescriptor* HFieldTable::find(std::size_t index, bool wantText) const {
    if (index >= m_descriptors.size()) {
        return nullptr;
    }
    const FieldDescriptor& d = m_descriptors[index];
    return (d.kind == FieldKind::Text) == wantText ? &d : nullptr;
}

HFieldTable::Placement HFieldTable::placementOf(const FieldDescriptor& d) const {
    const std::uint32_t p = d.bitPosition + m_recordBit;
    const std::uint32_t width = numberWidth(d);
    Placement place;
    place.first = m_recordByte + p / 8 + d.byteOffset;
    place.shift = p % 8;
    place.byteCount = (width + place.shift + 7) / 8;
    place.mask = ((std::uint64_t{1} << width) - 1) << place.shift;
    return place;
}

std::uint8_t HFieldTable::byteAt(std::size_t offset) const {
    return offset < m_readBytes.size() ? m_readBytes[offset] : 0;
}

void HFieldTable::setByte(std::size_t offset, std::uint8_t value) {
    if (offset < m_writeBytes.size()) {
        m_writeBytes[offset] = value;
    }
}

std::uint64_t HFieldTable::assemble(const Placement& place, ByteOrder order) const {
    std::uint64_t word = 0;
    for (unsigned k = 0; k < place.byteCount; ++k) {
        const unsigned significance = order == ByteOrder::BigEndian ? place.byteCount - 1 - k : k;
        word |= std::uint64_t{byteAt(place.first + k)} << (8 * significance);
    }
    return word;
}

void HFieldTable::scatter(const Placement& place, ByteOrder order, std::uint64_t word) {
    for (unsigned k = 0; k < place.byteCount; ++k) {
        const unsigned significance = order == ByteOrder::BigEndian ? place.byteCount - 1 - k : k;
        setByte(place.first + k, static_cast<std::uint8_t>(word >> (8 * significance)));
    }
}

std::uint32_t HFieldTable::readBits(const FieldDescriptor& d) const {
    const Placement place = placementOf(d);
    const std::uint64_t bits = assemble(place, d.byteOrder) & place.mask;
    return static_cast<std::uint32_t>(d.keepPosition ? bits : bits >> place.shift);
}

// The Shift transform writes only the bits a read brings back, so the field's low bits and
// everything beyond the field stay as they are.
void HFieldTable::writeBits(const FieldDescriptor& d, std::uint32_t value) {
    if (d.readOnly || m_writeBytes.empty()) {
        return;
    }
    const Placement place = placementOf(d);
    const unsigned extra = shiftOf(d);
    std::uint64_t bits = std::uint64_t{value} << extra;
    if (!d.keepPosition) {
        bits <<= place.shift;
    }
    const std::uint64_t mask = place.mask & (place.mask << extra);
    const std::uint64_t word = (assemble(place, d.byteOrder) & ~mask) | (bits & mask);
    scatter(place, d.byteOrder, word);
}

std::int32_t HFieldTable::getValue(std::size_t index) const {
    const FieldDescriptor* d = find(index, false);
    if (d == nullptr) {
        return NO_FIELD;
    }
    std::uint32_t raw = readBits(*d);
    if (d->kind == FieldKind::Bcd) {
        return decodeBcd(raw, numberWidth(*d));
    }
    if (d->invert) {
        raw = raw == 0 ? 1 : 0;
    }
    switch (d->transform) {
    case FieldTransform::Shift:
        return static_cast<std::int32_t>(raw >> shiftOf(*d));
    case FieldTransform::Multiply:
        return usableFactor(*d) ? truncated(raw * d->factor) : static_cast<std::int32_t>(raw);
    case FieldTransform::Divide:
        return usableFactor(*d) ? truncated(raw / d->factor) : static_cast<std::int32_t>(raw);
    case FieldTransform::SignMagnitude:
        if (numberWidth(*d) >= 2) {
            return fromSignMagnitude(raw, numberWidth(*d));
        }
        break;
    case FieldTransform::None:
        break;
    }
    return static_cast<std::int32_t>(raw);
}

std::int32_t HFieldTable::readRaw(std::size_t index) const {
    const FieldDescriptor* d = find(index, false);
    return d == nullptr ? NO_FIELD : static_cast<std::int32_t>(readBits(*d));
}

std::string HFieldTable::readString(std::size_t index) const {
    const FieldDescriptor* d = find(index, true);
    std::string text;
    if (d == nullptr) {
        return text;
    }
    const std::size_t first = placementOf(*d).first;
    for (std::size_t k = 0; k < d->width; ++k) {
        const std::size_t offset = first + k;
        if (offset >= m_readBytes.size() ||
            m_readBytes[offset] >= RadioCharacterCode::END_OF_TEXT) {
            break;
        }
        text += RadioCharacterCode::decode(m_readBytes[offset]);
    }
    return text;
}

void HFieldTable::setValue(std::size_t index, std::int32_t value) {
    const FieldDescriptor* d = find(index, false);
    if (d == nullptr) {
        return;
    }
    if (d->kind == FieldKind::Bcd) {
        writeBits(*d, encodeBcd(value, numberWidth(*d)));
        return;
    }
    switch (d->transform) {
    case FieldTransform::Multiply:
        value = usableFactor(*d) ? truncated(value / d->factor) : value;
        break;
    case FieldTransform::Divide:
        value = usableFactor(*d) ? truncated(value * d->factor) : value;
        break;
    case FieldTransform::SignMagnitude:
        if (numberWidth(*d) >= 2) {
            value = static_cast<std::int32_t>(toSignMagnitude(value, numberWidth(*d)));
        }
        break;
    case FieldTransform::Shift: // writeBits shifts
    case FieldTransform::None:
        break;
    }
    if (d->invert) {
        value = value == 0 ? 1 : 0;
    }
    writeBits(*d, static_cast<std::uint32_t>(value));
}

void HFieldTable::writeRaw(std::size_t index, std::int32_t value) {
    const FieldDescriptor* d = find(index, false);
    if (d == nullptr || d->readOnly || m_writeBytes.empty()) {
        return;
    }
    // Raw bits bypass the transforms, the Shift transform included.
    FieldDescriptor plain = *d;
    plain.transform = FieldTransform::None;
    writeBits(plain, static_cast<std::uint32_t>(value));
}

void HFieldTable::writeString(std::size_t index, std::string_view text) {
    const FieldDescriptor* d = find(index, true);
    if (d == nullptr || d->readOnly) {
        return;
    }
    const std::size_t first = placementOf(*d).first;
    for (std::size_t k = 0; k < d->width; ++k) {
        const std::uint8_t code =
            k < text.size() ? RadioCharacterCode::encode(text[k]) : RadioCharacterCode::SPACE;
        setByte(first + k, code);
    }
}

std::int32_t HFieldTable::getDefault(std::size_t index) const {
    return index < m_descriptors.size() ? m_descriptors[index].defaultValue : NO_FIELD;
}

} // namespace kq70
