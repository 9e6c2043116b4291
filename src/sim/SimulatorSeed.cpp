#include "SimulatorSeed.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::uint8_t PRODUCTION_CODE = 0x0C;
constexpr std::uint16_t PRODUCT_CODE = 0xC083;
constexpr std::uint8_t BAND_PMR446 = 12;
constexpr std::uint8_t RADIO_CHANNEL_16 = 2;
constexpr std::size_t HARDWARE_CHECK_OFFSET = 0x26ED;
constexpr std::size_t SHIPPING_SQUELCH_OFFSET = 0x0164;
constexpr std::size_t WORKING_SQUELCH_OFFSET = 0x273A;
constexpr std::size_t SQUELCH_ITEMS = 8;
constexpr std::size_t SERIAL_BYTES = 4;
// Manufactured in 2024 month 5, lot 25, unit 0x0142.
constexpr std::array<std::uint8_t, SERIAL_BYTES> SERIAL = {0x45, 0x25, 0x01, 0x42};

// A plausibly aligned PMR446 radio: alignment points 446.0–446.2 MHz in 100 kHz units, D/A
// values near mid-scale, squelch thresholds in the usual range.
void fillAdjustmentBlock(RadioImage& image) {
    const std::size_t block = WORKING_ADJUSTMENT_OFFSET;
    image.setBe16(block + 0, 4461); // point 2, the band centre, comes first
    image.setBe16(block + 2, 4460);
    image.setBe16(block + 4, 4460);
    image.setBe16(block + 6, 4462);
    image.setBe16(block + 8, 4462);
    for (std::size_t offset = 10; offset < ADJUSTMENT_DATA_SIZE; ++offset) {
        image.setByte(block + offset, static_cast<std::uint8_t>(0x70 + (offset * 7) % 0x20));
    }
    for (std::size_t item = 0; item < SQUELCH_ITEMS; ++item) {
        image.setByte(WORKING_SQUELCH_OFFSET + item, static_cast<std::uint8_t>(0x40 + 4 * item));
    }
}

} // namespace

std::uint16_t adjustmentChecksum(const RadioImage& image, std::size_t offset) {
    unsigned sum = 0;
    for (std::uint8_t byte : image.range(offset, ADJUSTMENT_DATA_SIZE)) {
        sum += byte;
    }
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

RadioImage makeSimulatorSeedImage() {
    RadioImage image;
    image.setByte(PRODUCTION_CODE_OFFSET, PRODUCTION_CODE);
    image.setByte(PRODUCT_TYPE_OFFSET, PRODUCTION_CODE);
    image.setBe16(PRODUCT_CODE_OFFSET, PRODUCT_CODE);
    image.setBe16(FLASH_PRODUCT_CODE_OFFSET, PRODUCT_CODE);

    image.setByte(HARDWARE_BLOCK_OFFSET, BAND_PMR446);
    image.setByte(HARDWARE_BLOCK_OFFSET + 1, static_cast<std::uint8_t>(RADIO_CHANNEL_16 << 4));
    image.setByte(HARDWARE_CHECK_OFFSET, 0x80);
    image.copyWithin(HARDWARE_BLOCK_OFFSET, HARDWARE_MIRROR_OFFSET, 2);

    for (std::size_t i = 0; i < SERIAL_BYTES; ++i) {
        image.setByte(MANUFACTURE_DATE_OFFSET + i, SERIAL[i]);
    }
    image.copyWithin(MANUFACTURE_DATE_OFFSET, MANUFACTURE_MIRROR_OFFSET, SERIAL_BYTES);

    fillAdjustmentBlock(image);
    image.setBe16(WORKING_CHECKSUM_OFFSET, adjustmentChecksum(image, WORKING_ADJUSTMENT_OFFSET));
    image.copyWithin(WORKING_ADJUSTMENT_OFFSET, SHIPPING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    image.copyWithin(WORKING_SQUELCH_OFFSET, SHIPPING_SQUELCH_OFFSET, SQUELCH_ITEMS);
    image.setBe16(SHIPPING_CHECKSUM_OFFSET, adjustmentChecksum(image, SHIPPING_ADJUSTMENT_OFFSET));
    image.copyWithin(EEPROM_OFFSET, WORD0_MIRROR_OFFSET, 2);
    return image;
}

} // namespace kq70
