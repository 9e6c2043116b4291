#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kq70 {

// The radio memory image: the radio's EEPROM, the programmable part of its flash and a
// program-side trailer, as one flat byte array. Multi-byte radio values are big-endian.
constexpr std::size_t IMAGE_SIZE = 10787;       // 0x2A23
constexpr std::size_t LEGACY_FILE_SIZE = 10768; // older data files, without 0x2A10–0x2A22

constexpr std::size_t EEPROM_OFFSET = 0x0000;
constexpr std::size_t EEPROM_SIZE = 512;
constexpr std::size_t EEPROM_WORDS = 256;
constexpr std::size_t FLASH_OFFSET = 0x0200;
constexpr std::size_t FLASH_PAGE_SIZE = 128;
constexpr std::size_t FLASH_PAGES = 80;
constexpr std::size_t FLASH_SIZE = FLASH_PAGE_SIZE * FLASH_PAGES;
constexpr std::uint32_t FLASH_RADIO_ADDRESS_OFFSET = 0xCE00; // radio address = offset + this
constexpr std::size_t TRANSFER_SIZE = 0x2A00;                // what an upload copies in
constexpr std::size_t TRAILER_OFFSET = 0x2A00;
constexpr std::size_t TRAILER_EXTENSION_OFFSET = 0x2A10;

// Named places other parts of the program rely on.
constexpr std::size_t PRODUCTION_CODE_OFFSET = 0x0002;
constexpr std::size_t PRODUCT_CODE_OFFSET = 0x0004;
constexpr std::size_t HARDWARE_MIRROR_OFFSET = 0x0006;
constexpr std::size_t SCAN_BITMAP_OFFSET = 0x0008;
constexpr std::size_t SHIPPING_ADJUSTMENT_OFFSET = 0x0102;
constexpr std::size_t SHIPPING_CHECKSUM_OFFSET = 0x0162;
constexpr std::size_t MANUFACTURE_MIRROR_OFFSET = 0x016C;
constexpr std::size_t WORD0_MIRROR_OFFSET = 0x0200;
constexpr std::size_t CHANNEL_TABLE_OFFSET = 0x0315;
constexpr std::size_t CHANNEL_RECORD_SIZE = 32;
constexpr std::size_t HARDWARE_BLOCK_OFFSET = 0x26E8;
// The hardware byte that holds the band and the radio-channel value, and its mirror.
constexpr std::size_t RADIO_CHANNEL_OFFSET = HARDWARE_BLOCK_OFFSET + 1;
constexpr std::size_t RADIO_CHANNEL_MIRROR_OFFSET = HARDWARE_MIRROR_OFFSET + 1;
constexpr std::size_t CHANNEL_ALIGNMENT_OFFSET = 0x2780;
constexpr std::size_t WORKING_ADJUSTMENT_OFFSET = 0x2980;
constexpr std::size_t WORKING_CHECKSUM_OFFSET = 0x29DF;
constexpr std::size_t ADJUSTMENT_DATA_SIZE = 95;
constexpr std::size_t PRODUCT_TYPE_OFFSET = 0x29E8;
constexpr std::size_t FLASH_PRODUCT_CODE_OFFSET = 0x29EA;
constexpr std::size_t MANUFACTURE_DATE_OFFSET = 0x29EE; // year, month, lot number: 4 bytes

constexpr std::size_t eepromWordOffset(std::size_t word) {
    return EEPROM_OFFSET + 2 * word;
}
constexpr std::size_t flashPageOffset(std::size_t page) {
    return FLASH_OFFSET + FLASH_PAGE_SIZE * page;
}

// The image with checked access: a read outside it gives 0 and a write outside it does
// nothing, so a bad offset can never touch memory beyond the image.
class RadioImage {
public:
    RadioImage() { m_bytes.fill(0); }

    std::uint8_t* data() { return m_bytes.data(); }
    const std::uint8_t* data() const { return m_bytes.data(); }
    std::span<std::uint8_t, IMAGE_SIZE> bytes() { return m_bytes; }
    std::span<const std::uint8_t, IMAGE_SIZE> bytes() const { return m_bytes; }

    // The bytes [offset, offset + length), or an empty span when that is not inside the image.
    std::span<std::uint8_t> range(std::size_t offset, std::size_t length);
    std::span<const std::uint8_t> range(std::size_t offset, std::size_t length) const;

    std::uint8_t byteAt(std::size_t offset) const;
    void setByte(std::size_t offset, std::uint8_t value);
    std::uint16_t be16(std::size_t offset) const;
    void setBe16(std::size_t offset, std::uint16_t value);
    std::uint32_t be32(std::size_t offset) const;
    void setBe32(std::size_t offset, std::uint32_t value);

    // Copies `length` bytes inside the image; nothing happens when either side is outside it.
    void copyWithin(std::size_t from, std::size_t to, std::size_t length);

    bool operator==(const RadioImage& other) const { return m_bytes == other.m_bytes; }

private:
    std::array<std::uint8_t, IMAGE_SIZE> m_bytes;
};

// Channel capacity by the hardware's Radio Channel value (0–6): 1, 2, 16, 16, 32, 48, 256.
// An undefined value counts as the smallest radio, so nothing is read or written beyond it.
int channelCapacityForRadioChannel(int radioChannelValue);

// The identity fields of the hardware block.
int frequencyBandOf(const RadioImage& image);     // 0x26E8 bits 3–0
int radioChannelValueOf(const RadioImage& image); // 0x26E9 bits 6–4
int lcdTypeOf(const RadioImage& image);           // 0x26E9 bit 0

} // namespace kq70
