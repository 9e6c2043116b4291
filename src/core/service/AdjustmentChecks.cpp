#include "service/AdjustmentChecks.h"

#include "align/AdjustmentData.h"
#include "align/HAdustmentBackUpParams.h"
#include "image/RadioImage.h"
#include "log/HLogPrint.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

namespace {

constexpr std::size_t EEPROM_LOT_OFFSET = MANUFACTURE_MIRROR_OFFSET + 1; // 0x16D
constexpr std::size_t FLASH_LOT_OFFSET = MANUFACTURE_DATE_OFFSET + 1;    // 0x29EF
constexpr std::size_t FLASH_HARDWARE_MARK_OFFSET = 0x26ED;

constexpr std::uint8_t ERASED_BYTE = 0xFF;
constexpr std::uint16_t ERASED_WORD = 0xFFFF;
constexpr std::uint8_t BAND_MASK = 0x0F;
constexpr std::uint8_t RADIO_CHANNEL_MASK = 0x70;

// A checksum is at most 95 × 0xFF = 0x5EA1, so an erased one can never be valid; it is
// refused on its own rather than left to the comparison.
bool ShippingChecksumValid(const RadioImage& image) {
    const std::uint16_t stored = image.be16(SHIPPING_CHECKSUM_OFFSET);
    return (stored >> 8) != ERASED_BYTE &&
           adjustmentBlockSum(image, SHIPPING_ADJUSTMENT_OFFSET) == stored;
}

// The flash hardware bytes: an erased band byte and a missing mark both fail, and both
// are logged.
bool FlashHardwareValid(const RadioImage& image) {
    bool valid = true;
    const std::uint8_t band = image.byteAt(HARDWARE_BLOCK_OFFSET);
    if (band == ERASED_BYTE) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Flash Hardware Data Error ADDR:$F4E8=%02X", band);
        valid = false;
    }
    const std::uint8_t mark = image.byteAt(FLASH_HARDWARE_MARK_OFFSET);
    if (mark != AdjustmentChecks::FLASH_HARDWARE_MARK) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Flash Hardware Data Error ADDR:$F4ED=%02X", mark);
        valid = false;
    }
    return valid;
}

} // namespace

bool AdjustmentChecks::EepromCheck(const RadioImage& image) {
    if (!ShippingChecksumValid(image)) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Eeprom CheckSum Error");
        return false;
    }
    const std::uint16_t hardware = image.be16(HARDWARE_MIRROR_OFFSET);
    if (hardware == 0x0000 || hardware == ERASED_WORD) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Eeprom Data Error ADDR:$03=%04X", hardware);
        return false;
    }
    const std::uint16_t product = image.be16(PRODUCT_CODE_OFFSET);
    if (product != PRODUCT_CODE) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Eeprom Product Code Error ADDR:$02=%04X", product);
        return false;
    }
    const std::uint8_t production = image.byteAt(PRODUCTION_CODE_OFFSET);
    if (production != PRODUCTION_CODE) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Eeprom Production Code Error ADDR:$01H=%02X", production);
        return false;
    }
    return true;
}

bool AdjustmentChecks::FlashCheck(const RadioImage& image) {
    HAdustmentBackUpParams backup;
    if (!backup.verifyChecksum(image)) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Flash CheckSum Error");
        return false;
    }
    const std::uint16_t product = image.be16(FLASH_PRODUCT_CODE_OFFSET);
    if (product != PRODUCT_CODE) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Flash Product Code Error ADDR:$F7EA=%04X", product);
        return false;
    }
    const std::uint8_t production = image.byteAt(PRODUCT_TYPE_OFFSET);
    if (production != PRODUCTION_CODE) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Flash Production Code Error ADDR:$F7E8=%02X", production);
        return false;
    }
    return FlashHardwareValid(image);
}

int AdjustmentChecks::ReliabilityTest(const RadioImage& image) {
    const bool eeprom = EepromCheck(image);
    const bool flash = FlashCheck(image);
    if (eeprom && flash) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "ReliabilityTest Result = Both Right");
        return BOTH_RIGHT;
    }
    if (eeprom) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "ReliabilityTest Result = Eeprom Right");
        return EEPROM_RIGHT;
    }
    if (flash) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "ReliabilityTest Result = FlashRom Right");
        return FLASH_RIGHT;
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "ReliabilityTest Result = Both Wrong");
    return BOTH_WRONG;
}

int AdjustmentChecks::LotNumber(std::uint8_t bcd) {
    return (bcd >> 4) * 10 + (bcd & 0x0F);
}

bool AdjustmentChecks::SerialNumberCheck(const RadioImage& image, UserPrompt& prompt) {
    if (image.byteAt(MANUFACTURE_MIRROR_OFFSET) == image.byteAt(MANUFACTURE_DATE_OFFSET) &&
        image.byteAt(EEPROM_LOT_OFFSET) == image.byteAt(FLASH_LOT_OFFSET)) {
        return true;
    }
    const int difference =
        LotNumber(image.byteAt(EEPROM_LOT_OFFSET)) - LotNumber(image.byteAt(FLASH_LOT_OFFSET));
    KQ70_LOG(LOG_WR, LOG_CHANNEL, "SerialNumberCheck: lot difference %d", difference);
    if (difference > MAX_LOT_DIFFERENCE || difference < -MAX_LOT_DIFFERENCE) {
        prompt.message(Strings::get(IDS_LOT_NUMBER_NG), MessageIcon::Stop);
        return false;
    }
    return prompt.messageBox(Strings::get(IDS_LOT_NUMBER_NG_CONTINUE), {}, MessageButtons::YesNo,
                             MessageIcon::Exclamation) == MessageAnswer::Yes;
}

bool AdjustmentChecks::FileCheckOnRecovery(const RadioImage& radio, const RadioImage& file,
                                           UserPrompt& prompt) {
    const bool sameBand = (radio.byteAt(HARDWARE_MIRROR_OFFSET) & BAND_MASK) ==
                          (file.byteAt(HARDWARE_BLOCK_OFFSET) & BAND_MASK);
    const bool sameRadioChannel =
        (radio.byteAt(RADIO_CHANNEL_MIRROR_OFFSET) & RADIO_CHANNEL_MASK) ==
        (file.byteAt(RADIO_CHANNEL_OFFSET) & RADIO_CHANNEL_MASK);
    if (sameBand && sameRadioChannel) {
        return true;
    }
    prompt.message(Strings::get(IDS_HARDWARE_DATA_MISMATCHED), MessageIcon::Exclamation);
    return false;
}

} // namespace kq70
