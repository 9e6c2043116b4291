#include "factory/FactoryImages.h"

#include "align/AdjustmentData.h"
#include "align/HAdustmentBackUpParams.h"
#include "align/HShippingDefaultParams.h"
#include "channel/HChannelData.h"
#include "params/HDirectChParams.h"
#include "params/HHardwareParams.h"
#include "params/HKeyFuncParams.h"
#include "params/HMarketingParams.h"
#include "params/HMiscParams.h"
#include "params/HPagingCodeParams.h"
#include "params/HPowerSaveParams.h"
#include "params/HProgrammingPasswordParams.h"
#include "params/HScanParams.h"
#include "ui/StrPrintf.h"

#include <array>

namespace kq70 {

namespace {

constexpr const char* BLANK_TAG = "        ";

// Blank alpha tags everywhere; a cleared image would read as "00000000".
void blankTags(HChannelData& channels) {
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        channels.setTag(c, BLANK_TAG);
    }
    for (int g = 0; g < HGroupTable::GROUP_COUNT; ++g) {
        channels.groups().setTag(g, BLANK_TAG);
    }
}

// Bytes every built-in image holds, whatever the parameter objects store there.
constexpr std::array<std::uint8_t, 8> IMAGE_START{0x01, 0x00, 0x06, 0x00, 0x06, 0x50, 0x00, 0x33};
constexpr std::array<std::uint8_t, 19> TRAILER_EXTENSION{0x0A, 0x1E, 0x0A, 0x8B, 0x1E, 0x0A, 0x8B,
                                                         0x1E, 0x0A, 0x84, 0x1E, 0x0A, 0x84, 0x1E,
                                                         0x0A, 0x00, 0x00, 0x0F, 0x0F};

struct FactoryBand {
    std::uint8_t hardware0;                    // 0x26E8
    std::uint8_t hardware1;                    // 0x26E9
    std::uint16_t productCode;                 // 0x29EA
    std::int32_t lowerLimitHz;                 // hardware value 15
    std::int32_t upperLimitHz;                 // hardware value 16
    std::array<std::int32_t, 5> pointsX100kHz; // alignment points 0–4
};

constexpr FactoryBand VHF{0x00, 0x33, 0x0000, 134000000, 174000000, {1360, 1450, 1540, 1630, 1720}};
constexpr FactoryBand UHF{0x05, 0x3B, 0xC065, 400000000, 470000000, {4050, 4250, 4460, 4550, 4650}};

constexpr std::size_t POINT_FREQUENCY_ITEMS[] = {8, 9, 10, 11, 12}; // points 0–4

// Factory centre values of the fourteen item groups (TX power high and low, maximum
// deviation wide and narrow, CTCSS and DCS deviation wide and narrow, modulation balance,
// sub-audio balance, two further groups); the outer points are offsets about the centre.
constexpr std::array<std::int32_t, 14> GROUP_CENTRES{200, 96,  132, 70,  38,  20,  44,
                                                     24,  128, 128, 112, 104, 128, 128};
constexpr std::array<std::int32_t, 5> GROUP_OFFSETS{0xFC, 0xFE, 0, 2, 4};

void storeHardware(RadioImage& image, const FactoryBand& band) {
    image.setByte(0x26E8, band.hardware0);
    image.setByte(0x26E9, band.hardware1);
    HHardwareParams hardware;
    hardware.extract(image);
    hardware.set(HW_FREQUENCY_MIN, band.lowerLimitHz);
    hardware.set(HW_FREQUENCY_MAX, band.upperLimitHz);
    hardware.store(image);
}

void storeAdjustmentData(RadioImage& image, const FactoryBand& band) {
    HAdustmentBackUpParams items;
    items.extract(image);
    for (std::size_t p = 0; p < 5; ++p) {
        items.set(POINT_FREQUENCY_ITEMS[p], band.pointsX100kHz[p]);
    }
    for (std::size_t g = 0; g < ADJ_GROUP_MIDDLE_ITEMS.size(); ++g) {
        const std::size_t middle = ADJ_GROUP_MIDDLE_ITEMS[g];
        for (std::size_t p = 0; p < 5; ++p) {
            items.set(middle - 2 + p, p == 2 ? GROUP_CENTRES[g] : GROUP_OFFSETS[p]);
        }
    }
    const std::array<std::int32_t, 3> rxTune{96, 128, 160};
    const std::array<std::int32_t, 3> rxVco{70, 128, 186};
    const std::array<std::int32_t, 3> txVco{64, 122, 180};
    for (std::size_t i = 0; i < 3; ++i) {
        items.set(ADJ_RX_TUNE_LOW + i, rxTune[i]);
        items.set(ADJ_RX_VCO_LOW + i, rxVco[i]);
        items.set(ADJ_TX_VCO_LOW + i, txVco[i]);
    }
    // Squelch thresholds as signed levels (bit 7 the sign): wide 0–3, narrow 4–7.
    const std::array<std::int32_t, 8> levels{0x85, 0x88, 0x8A, 0x84, 0x85, 0x88, 0x8A, 0x84};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        items.set(i, levels[i]);
    }
    items.set(ADJ_DTMF_LEVEL, 100);
    items.set(ADJ_FREQ_DA, 128);
    items.recomputeChecksum(image);

    // The shipping-default copy in EEPROM is the same set: the block and the squelch
    // thresholds, with the copy's own checksum.
    image.copyWithin(WORKING_ADJUSTMENT_OFFSET, SHIPPING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    image.copyWithin(ADJUSTMENT_SQUELCH_OFFSET, SHIPPING_SQUELCH_OFFSET, ADJUSTMENT_SQUELCH_SIZE);
    HShippingDefaultParams shipping;
    shipping.extract(image);
    shipping.recomputeChecksum(image);
}

// Sets the bytes the built-in images are known by; they win over every object's defaults.
void stampFixedBytes(RadioImage& image, const FactoryBand& band) {
    for (std::size_t i = 0; i < IMAGE_START.size(); ++i) {
        image.setByte(i, IMAGE_START[i]);
    }
    image.setByte(0x26E8, band.hardware0);
    image.setByte(0x26E9, band.hardware1);
    image.setBe16(FLASH_PRODUCT_CODE_OFFSET, band.productCode);
    for (std::size_t i = 0; i < TRAILER_EXTENSION.size(); ++i) {
        image.setByte(TRAILER_EXTENSION_OFFSET + i, TRAILER_EXTENSION[i]);
    }
}

RadioImage baseImage(const FactoryBand& band) {
    RadioImage image;
    storeParameterDefaults(image);
    storeHardware(image, band);
    stampFixedBytes(image, band);
    storeAdjustmentData(image, band);
    return image;
}

} // namespace

void storeParameterDefaults(RadioImage& image) {
    HHardwareParams().store(image);
    HScanParams().store(image);
    HKeyFuncParams().store(image);
    HPowerSaveParams().store(image);
    HMiscParams().store(image);
    HMarketingParams().store(image);
    HDirectChParams().store(image);
    HProgrammingPasswordParams().store(image);
    for (std::size_t k = 0; k < HPagingCodeParams::PAGING_CODE_RECORDS; ++k) {
        HPagingCodeParams(k).store(image);
    }
}

RadioImage makeVhfFactoryImage() {
    RadioImage image = baseImage(VHF);
    // The channel store keeps every frequency within 436–456 MHz, so the VHF image leaves its
    // channels unprogrammed at 436 MHz: a value the store keeps, so a stored image reads back
    // unchanged.
    HChannelData channels;
    channels.extract(image);
    blankTags(channels);
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        channels.setValue(c, rxFrequency, static_cast<std::int32_t>(436000000));
        channels.setValue(c, txFrequency, static_cast<std::int32_t>(436000000));
    }
    channels.store(image);
    stampFixedBytes(image, VHF);
    return image;
}

RadioImage makeUhfFactoryImage() {
    RadioImage image = baseImage(UHF);
    HChannelData channels;
    channels.extract(image);
    blankTags(channels);
    channels.groups().setTag(0, "PMR446  ");
    constexpr int PMR446_CHANNELS = 8;
    constexpr std::int32_t FIRST_PMR446_HZ = 446006250;
    constexpr std::int32_t PMR446_SPACING_HZ = 12500;
    constexpr std::int32_t TONES[PMR446_CHANNELS] = {670, 719, 770, 825, 885, 948, 1000, 1072};
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        const int slot = c % PMR446_CHANNELS;
        const bool programmed = c < 2 * PMR446_CHANNELS;
        const std::int32_t hz =
            programmed ? FIRST_PMR446_HZ + PMR446_SPACING_HZ * slot : FIRST_PMR446_HZ;
        channels.setValue(c, rxFrequency, hz);
        channels.setValue(c, txFrequency, hz);
        channels.setValue(c, inUse, programmed ? 1 : 0);
        if (programmed) {
            channels.setTag(
                c, strprintf("PMR%d%s    ", slot + 1, c < PMR446_CHANNELS ? "   " : " CT"));
        }
        channels.setValue(c, txInhibit, programmed ? 0 : 1);
        channels.setValue(c, bandwidth, 2); // PMR446 is a narrow-band service
        channels.setValue(c, squelchLevel, programmed ? 3 : 0);
        if (programmed && c >= PMR446_CHANNELS) {
            channels.setValue(c, txToneMode, 1);
            channels.setValue(c, txToneCode, TONES[slot]);
            channels.setValue(c, rxToneMode, 1);
            channels.setValue(c, rxToneCode, TONES[slot]);
        }
    }
    channels.groups().setCount(0, 16);
    channels.store(image);
    stampFixedBytes(image, UHF);
    return image;
}

} // namespace kq70
