#include "service/AdjustmentRecovery.h"

#include "align/AdjustmentData.h"
#include "align/HAdustmentBackUpParams.h"
#include "align/HShippingDefaultParams.h"
#include "channel/HChannelRecord.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "doc/DefaultTemplates.h"
#include "image/RadioImage.h"
#include "link/HCommRequest.h"
#include "log/HLogPrint.h"
#include "service/AdjustmentChecks.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <memory>

namespace kq70 {

namespace {

constexpr std::size_t SERIAL_SIZE = 4; // year and month, lot, two further serial bytes
constexpr std::size_t SHIPPING_MARK_OFFSET = 0x0101;
constexpr std::size_t HARDWARE_MIRROR_SIZE = 2;
constexpr std::size_t HARDWARE_OPTIONS_OFFSET = HARDWARE_BLOCK_OFFSET + 2; // 0x26EA
constexpr std::uint8_t HARDWARE_OPTION_BIT = 0x04;
// The shipping-default byte that decides the hardware option bit (modulation balance at
// the band centre).
constexpr std::size_t OPTION_SOURCE_OFFSET = 0x0137;
constexpr std::uint8_t LOW_THREE_BITS = 0x07;
constexpr std::uint8_t IN_USE_BIT = 0x80; // byte 0 of a channel record

// Write ranges of the three paths.
constexpr BlockRange FLASH_HEAD_PAGES{0x00, 0x01};
constexpr BlockRange FLASH_CHANNEL_PAGES{0x02, FLASH_LAST_END_OF_CHANNELS};
constexpr BlockRange FLASH_ADJUSTMENT_PAGES{73, 79};
constexpr BlockRange FLASH_ALL_PAGES{0, 79};
constexpr BlockRange EEPROM_ALL_WORDS{0, 255};

void copyBytes(const RadioImage& from, std::size_t fromOffset, RadioImage& to, std::size_t toOffset,
               std::size_t length) {
    const auto source = from.range(fromOffset, length);
    std::copy(source.begin(), source.end(), to.range(toOffset, length).begin());
}

// Both copies' checksums from what the image now holds.
void recomputeChecksums(RadioImage& image) {
    HShippingDefaultParams shipping;
    shipping.extract(image);
    shipping.recomputeChecksum(image);
    HAdustmentBackUpParams backup;
    backup.extract(image);
    backup.recomputeChecksum(image);
}

// The shipping-default copy (block and thresholds) into the working copy.
void copyShippingToWorking(RadioImage& image) {
    image.copyWithin(SHIPPING_ADJUSTMENT_OFFSET, WORKING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    image.copyWithin(SHIPPING_SQUELCH_OFFSET, ADJUSTMENT_SQUELCH_OFFSET, ADJUSTMENT_SQUELCH_SIZE);
}

bool channelInUse(const RadioImage& image, int channel) {
    return (image.byteAt(CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * channel) & IN_USE_BIT) != 0;
}

} // namespace

AdjustmentRecovery::AdjustmentRecovery(UserPrompt& prompt, std::string programFolder)
    : m_prompt(prompt), m_programFolder(std::move(programFolder)) {}

bool AdjustmentRecovery::Recover(RadioImage& image, HCommRequest& request, RadioImage& spare) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]AdjustmentRecovery");
    const int result = AdjustmentChecks::ReliabilityTest(image);
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "ReliabilityTest[RESULT:%d]", result);
    bool repaired = false;
    switch (result) {
    case AdjustmentChecks::BOTH_RIGHT:
        repaired = RecoveryOnBothLight(image, request);
        break;
    case AdjustmentChecks::EEPROM_RIGHT:
        repaired = RecoveryOnEepromLight(image, request, spare);
        if (!repaired) {
            m_prompt.message(Strings::get(IDS_STOP_ADJ_RECOVERY), MessageIcon::Exclamation);
        }
        break;
    case AdjustmentChecks::FLASH_RIGHT:
        repaired = RecoveryOnFlashLight(image, request);
        break;
    default:
        // Neither copy can be trusted: nothing to repair from, and nothing is asked.
        m_prompt.message(Strings::get(IDS_ADJ_DATA_DEFECTED), MessageIcon::Exclamation);
        break;
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]AdjustmentRecovery");
    return repaired;
}

bool AdjustmentRecovery::Ask(int stringId) {
    return m_prompt.messageBox(Strings::get(stringId), {}, MessageButtons::YesNo,
                               MessageIcon::Question) == MessageAnswer::Yes;
}

bool AdjustmentRecovery::RecoveryOnBothLight(RadioImage& image, HCommRequest& request) {
    if (!Ask(IDS_RECOVER_TO_SHIPPING_DEFAULT)) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "RecoveryOnBothLight: recovery cancelled");
        return false;
    }
    copyShippingToWorking(image);
    recomputeChecksums(image);
    request.m_flashWrite.push_back(FLASH_HEAD_PAGES);
    request.m_flashWrite.push_back(FLASH_CHANNEL_PAGES);
    request.m_flashWrite.push_back(FLASH_ADJUSTMENT_PAGES);
    return true;
}

bool AdjustmentRecovery::RecoveryOnFlashLight(RadioImage& image, HCommRequest& request) {
    if (!Ask(IDS_RECOVER_FROM_ADJ_DATA)) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "RecoveryOnFlashLight: recovery cancelled");
        return false;
    }
    const std::uint16_t hardware = image.be16(HARDWARE_MIRROR_OFFSET);
    if (hardware == 0x0000 || hardware == 0xFFFF) {
        image.copyWithin(HARDWARE_BLOCK_OFFSET, HARDWARE_MIRROR_OFFSET, HARDWARE_MIRROR_SIZE);
    }
    image.copyWithin(WORKING_ADJUSTMENT_OFFSET, SHIPPING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    image.copyWithin(ADJUSTMENT_SQUELCH_OFFSET, SHIPPING_SQUELCH_OFFSET, ADJUSTMENT_SQUELCH_SIZE);
    HShippingDefaultParams shipping;
    shipping.extract(image);
    shipping.recomputeChecksum(image);
    // The identity the flash copy carries; the product code is the one every transfer's
    // product check requires.
    image.copyWithin(PRODUCT_TYPE_OFFSET, PRODUCTION_CODE_OFFSET, 2);
    image.setBe16(PRODUCT_CODE_OFFSET, AdjustmentChecks::PRODUCT_CODE);
    image.copyWithin(MANUFACTURE_DATE_OFFSET, MANUFACTURE_MIRROR_OFFSET, SERIAL_SIZE);
    image.setByte(SHIPPING_MARK_OFFSET, 0);
    request.m_eepromWrite.push_back(EEPROM_ALL_WORDS);
    return true;
}

bool AdjustmentRecovery::RecoveryOnEepromLight(RadioImage& image, HCommRequest& request,
                                               RadioImage& spare) {
    if (!Ask(IDS_LOAD_SAVED_DATA_FILE) || !LoadSavedFile(spare)) {
        return false;
    }
    const bool fileFits = AdjustmentChecks::FileCheckOnRecovery(image, spare, m_prompt);
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "FileCheckOnRecovery[RESULT:%d]", fileFits ? 1 : 0);
    if (!fileFits) {
        return false;
    }
    // The radio's sound EEPROM part over the file: the file gives the flash part that the
    // radio lost, the radio keeps its own identity and shipping default.
    copyBytes(image, EEPROM_OFFSET, spare, EEPROM_OFFSET, EEPROM_SIZE);
    const int result = AdjustmentChecks::ReliabilityTest(spare);
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "ReliabilityTest of the combined data[RESULT:%d]", result);
    if (result != AdjustmentChecks::BOTH_RIGHT) {
        return false;
    }
    const bool sameRadio = AdjustmentChecks::SerialNumberCheck(spare, m_prompt);
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "SerialNumberCheck[RESULT:%d]", sameRadio ? 1 : 0);
    if (!sameRadio) {
        return false;
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "RecoveryOnEepromLight: the chosen file has no problem");

    ResetUnusedChannels(spare);
    copyShippingToWorking(spare);
    spare.copyWithin(MANUFACTURE_MIRROR_OFFSET, MANUFACTURE_DATE_OFFSET, SERIAL_SIZE);
    const std::uint8_t radioChannel = spare.byteAt(RADIO_CHANNEL_OFFSET);
    spare.setByte(
        RADIO_CHANNEL_OFFSET,
        static_cast<std::uint8_t>((radioChannel & ~LOW_THREE_BITS) |
                                  (spare.byteAt(RADIO_CHANNEL_MIRROR_OFFSET) & LOW_THREE_BITS)));
    std::uint8_t options = spare.byteAt(HARDWARE_OPTIONS_OFFSET) & ~HARDWARE_OPTION_BIT;
    if (spare.byteAt(OPTION_SOURCE_OFFSET) != 0) {
        options |= HARDWARE_OPTION_BIT;
    }
    spare.setByte(HARDWARE_OPTIONS_OFFSET, options);
    recomputeChecksums(spare);
    image = spare;
    request.m_flashWrite.push_back(FLASH_ALL_PAGES);
    return true;
}

bool AdjustmentRecovery::LoadSavedFile(RadioImage& file) {
    const std::optional<std::string> path = m_prompt.openFileDialog(dataFileDialog());
    if (!path) {
        return false;
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "RecoveryOnEepromLight: file %s", path->c_str());
    const int status = OpenCheckStatus(*path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, *path, m_prompt);
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "RecoveryOnEepromLight: %s cannot be loaded", path->c_str());
        return false;
    }
    if (!ReadDataFile(*path, file, m_prompt)) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "RecoveryOnEepromLight: %s cannot be read", path->c_str());
        return false;
    }
    return true;
}

// Records after the last channel in use may hold whatever the file's flash happened to
// carry; the empty ones among them get the band's default records. A programmed channel
// after a gap is kept.
void AdjustmentRecovery::ResetUnusedChannels(RadioImage& image) const {
    int first = 0;
    while (first < CHANNEL_COUNT && channelInUse(image, first)) {
        ++first;
    }
    if (first == CHANNEL_COUNT) {
        return;
    }
    const int band = frequencyBandOf(image);
    if (!isDefinedBand(band)) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "band %d has no default image; records kept", band);
        return;
    }
    auto defaults = std::make_unique<RadioImage>();
    LoadBandDefaultImage(m_programFolder, band, *defaults);
    for (int channel = first; channel < CHANNEL_COUNT; ++channel) {
        if (!channelInUse(image, channel)) {
            const std::size_t offset = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * channel;
            copyBytes(*defaults, offset, image, offset, CHANNEL_RECORD_SIZE);
        }
    }
}

} // namespace kq70
