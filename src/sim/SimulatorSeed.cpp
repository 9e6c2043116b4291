#include "SimulatorSeed.h"

#include "doc/DefaultImages.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::uint8_t PRODUCTION_CODE = 0x0C;
constexpr std::uint16_t PRODUCT_CODE = 0xC083;
constexpr int BAND_PMR446 = 12;
constexpr std::size_t SERIAL_BYTES = 4;
// A radio's flash carries this mark once its hardware data has been written at the factory.
constexpr std::size_t HARDWARE_MARK_OFFSET = 0x26ED;
constexpr std::uint8_t HARDWARE_MARK = 0x80;
// Manufactured in 2024 month 5, lot 25, unit 0x0142.
constexpr std::array<std::uint8_t, SERIAL_BYTES> SERIAL = {0x45, 0x25, 0x01, 0x42};

// The byte a damage changes: TX power at the band centre, inside both blocks.
constexpr std::size_t DAMAGED_BLOCK_BYTE = 0x0D;
constexpr std::uint8_t DAMAGE_PATTERN = 0x5A;

void damageBlock(RadioImage& memory, std::size_t blockOffset) {
    const std::size_t offset = blockOffset + DAMAGED_BLOCK_BYTE;
    memory.setByte(offset, static_cast<std::uint8_t>(memory.byteAt(offset) ^ DAMAGE_PATTERN));
}

} // namespace

std::optional<AdjustmentDamage> parseAdjustmentDamage(std::string_view word) {
    if (word == "flash") {
        return AdjustmentDamage::Flash;
    }
    if (word == "eeprom") {
        return AdjustmentDamage::Eeprom;
    }
    if (word == "both") {
        return AdjustmentDamage::Both;
    }
    return std::nullopt;
}

void damageAdjustmentData(RadioImage& memory, AdjustmentDamage which) {
    if (which != AdjustmentDamage::Eeprom) {
        damageBlock(memory, WORKING_ADJUSTMENT_OFFSET);
    }
    if (which != AdjustmentDamage::Flash) {
        damageBlock(memory, SHIPPING_ADJUSTMENT_OFFSET);
    }
}

void numberSimulatedRadio(RadioImage& memory, unsigned radioNumber) {
    if (radioNumber <= 1) {
        return;
    }
    const std::uint32_t serial = static_cast<std::uint32_t>(memory.be16(MANUFACTURE_DATE_OFFSET))
                                     << 16 |
                                 memory.be16(MANUFACTURE_DATE_OFFSET + 2);
    const std::uint32_t numbered = serial + (radioNumber - 1);
    memory.setBe16(MANUFACTURE_DATE_OFFSET, static_cast<std::uint16_t>(numbered >> 16));
    memory.setBe16(MANUFACTURE_DATE_OFFSET + 2, static_cast<std::uint16_t>(numbered));
    memory.copyWithin(MANUFACTURE_DATE_OFFSET, MANUFACTURE_MIRROR_OFFSET, SERIAL_BYTES);
}

std::uint16_t adjustmentChecksum(const RadioImage& image, std::size_t offset) {
    unsigned sum = 0;
    for (std::uint8_t byte : image.range(offset, ADJUSTMENT_DATA_SIZE)) {
        sum += byte;
    }
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

RadioImage makeSimulatorSeedImage() {
    // The factory's PMR446 image (with its valid adjustment data in both copies) becomes a
    // radio by getting a radio's identity: the codes it reports, its serial and lot, and the
    // EEPROM mirrors a radio keeps of them.
    RadioImage image;
    BuildDefaultImage(BAND_PMR446, image);
    image.setByte(PRODUCTION_CODE_OFFSET, PRODUCTION_CODE);
    image.setByte(PRODUCTION_CODE_OFFSET + 1, 0x00);
    image.setByte(PRODUCT_TYPE_OFFSET, PRODUCTION_CODE);
    image.setBe16(PRODUCT_CODE_OFFSET, PRODUCT_CODE);
    image.setBe16(FLASH_PRODUCT_CODE_OFFSET, PRODUCT_CODE);
    image.copyWithin(HARDWARE_BLOCK_OFFSET, HARDWARE_MIRROR_OFFSET, 2);
    image.setByte(HARDWARE_MARK_OFFSET, HARDWARE_MARK);
    for (std::size_t i = 0; i < SERIAL_BYTES; ++i) {
        image.setByte(MANUFACTURE_DATE_OFFSET + i, SERIAL[i]);
    }
    image.copyWithin(MANUFACTURE_DATE_OFFSET, MANUFACTURE_MIRROR_OFFSET, SERIAL_BYTES);
    image.copyWithin(EEPROM_OFFSET, WORD0_MIRROR_OFFSET, 2);
    return image;
}

} // namespace kq70
