#include "image/RadioImage.h"

#include <cstring>

namespace kq70 {

namespace {

bool inside(std::size_t offset, std::size_t length) {
    return offset <= IMAGE_SIZE && length <= IMAGE_SIZE - offset;
}

} // namespace

std::span<std::uint8_t> RadioImage::range(std::size_t offset, std::size_t length) {
    if (!inside(offset, length)) {
        return {};
    }
    return std::span<std::uint8_t>(m_bytes).subspan(offset, length);
}

std::span<const std::uint8_t> RadioImage::range(std::size_t offset, std::size_t length) const {
    if (!inside(offset, length)) {
        return {};
    }
    return std::span<const std::uint8_t>(m_bytes).subspan(offset, length);
}

std::uint8_t RadioImage::byteAt(std::size_t offset) const {
    return offset < IMAGE_SIZE ? m_bytes[offset] : 0;
}

void RadioImage::setByte(std::size_t offset, std::uint8_t value) {
    if (offset < IMAGE_SIZE) {
        m_bytes[offset] = value;
    }
}

std::uint16_t RadioImage::be16(std::size_t offset) const {
    if (!inside(offset, 2)) {
        return 0;
    }
    return static_cast<std::uint16_t>((m_bytes[offset] << 8) | m_bytes[offset + 1]);
}

void RadioImage::setBe16(std::size_t offset, std::uint16_t value) {
    if (!inside(offset, 2)) {
        return;
    }
    m_bytes[offset] = static_cast<std::uint8_t>(value >> 8);
    m_bytes[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

std::uint32_t RadioImage::be32(std::size_t offset) const {
    if (!inside(offset, 4)) {
        return 0;
    }
    return (static_cast<std::uint32_t>(m_bytes[offset]) << 24) |
           (static_cast<std::uint32_t>(m_bytes[offset + 1]) << 16) |
           (static_cast<std::uint32_t>(m_bytes[offset + 2]) << 8) | m_bytes[offset + 3];
}

void RadioImage::setBe32(std::size_t offset, std::uint32_t value) {
    if (!inside(offset, 4)) {
        return;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        m_bytes[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

void RadioImage::copyWithin(std::size_t from, std::size_t to, std::size_t length) {
    if (!inside(from, length) || !inside(to, length)) {
        return;
    }
    std::memmove(m_bytes.data() + to, m_bytes.data() + from, length);
}

int channelCapacityForRadioChannel(int radioChannelValue) {
    constexpr std::array<int, 7> capacities{1, 2, 16, 16, 32, 48, 256};
    if (radioChannelValue < 0 || radioChannelValue >= static_cast<int>(capacities.size())) {
        return capacities[0];
    }
    return capacities[static_cast<std::size_t>(radioChannelValue)];
}

int frequencyBandOf(const RadioImage& image) {
    return image.byteAt(0x26E8) & 0x0F;
}

int radioChannelValueOf(const RadioImage& image) {
    return (image.byteAt(RADIO_CHANNEL_OFFSET) >> 4) & 0x07;
}

int lcdTypeOf(const RadioImage& image) {
    return image.byteAt(RADIO_CHANNEL_OFFSET) & 0x01;
}

} // namespace kq70
