#include "link/DownloadMerge.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "image/RadioImage.h"
#include "link/CloneFrame.h"
#include "link/CommJobContext.h"
#include "params/HHardwareParams.h"

#include <algorithm>

namespace kq70 {

namespace {

struct ByteRange {
    std::size_t first;
    std::size_t last; // inclusive
};

// What comes from the radio in every access mode: the shipping adjustment data and what
// follows it, the download marker, the squelch thresholds, a part of the hardware block,
// the working adjustment data and the manufacture date and lot.
constexpr ByteRange ALWAYS_FROM_RADIO[] = {
    {0x0102, 0x016B}, {0x0170, 0x0171}, {0x273A, 0x2741},
    {0x2744, 0x2756}, {0x2980, 0x29E0}, {0x29EE, 0x29F2},
};
// In normal mode the radio's whole hardware block is kept.
constexpr ByteRange NORMAL_MODE_HARDWARE = {0x26E8, 0x277F};
constexpr ByteRange IDENTITY_WORDS = {0x0000, 0x0007};
constexpr ByteRange CLEARED_BYTES = {0x00EE, 0x00FD};

constexpr std::size_t HARDWARE_BAND_BYTE = HARDWARE_BLOCK_OFFSET;      // 0x26E8
constexpr std::size_t HARDWARE_MODEL_BYTE = HARDWARE_BLOCK_OFFSET + 1; // 0x26E9
constexpr std::size_t MODEL_MIRROR_BYTE = HARDWARE_MIRROR_OFFSET + 1;  // 0x0007
constexpr std::uint8_t RADIO_BITS_OF_MODEL_BYTE = 0xF8;                // high 5 bits

void copyFromRadio(const RadioImage& radio, const ByteRange& range, RadioImage& image) {
    const std::size_t length = range.last - range.first + 1;
    const auto from = radio.range(range.first, length);
    std::copy(from.begin(), from.end(), image.range(range.first, length).begin());
}

void copyByte(const RadioImage& radio, std::size_t offset, RadioImage& image) {
    image.setByte(offset, radio.byteAt(offset));
}

std::uint8_t radioHighBits(std::uint8_t document, std::uint8_t radio) {
    return static_cast<std::uint8_t>((document & ~RADIO_BITS_OF_MODEL_BYTE) |
                                     (radio & RADIO_BITS_OF_MODEL_BYTE));
}

// A radio without a display has no A–D keys. In normal mode the radio decides, and its
// display type is first written into the document's hardware data.
void takeRadioDisplay(const RadioImage& radio, int accessMode, RadioImage& image) {
    if (accessMode == ACCESS_NORMAL) {
        HHardwareParams hardware;
        hardware.extract(image);
        hardware.set(HW_LCD_TYPE, lcdTypeOf(radio));
        hardware.store(image);
    }
    clearKeysWithoutDisplay(image);
}

// Manufacture mode keeps what the document's own edits changed of the identity bytes.
void mergeManufactureIdentity(const RadioImage& radio, const CommJobContext& context,
                              RadioImage& image) {
    image.setByte(MODEL_MIRROR_BYTE, image.byteAt(HARDWARE_MODEL_BYTE));
    copyFromRadio(radio, {0x0000, 0x0001}, image);
    copyFromRadio(radio, {0x0004, 0x0006}, image);
    if (!context.word1Edited) {
        copyFromRadio(radio, {0x0002, 0x0003}, image);
    }
    if (context.hardwareEdited) {
        for (const std::size_t offset : {MODEL_MIRROR_BYTE, HARDWARE_MODEL_BYTE}) {
            image.setByte(offset, radioHighBits(image.byteAt(offset), radio.byteAt(offset)));
        }
        image.setByte(HARDWARE_BAND_BYTE,
                      static_cast<std::uint8_t>(image.byteAt(HARDWARE_BAND_BYTE) |
                                                radio.byteAt(HARDWARE_BAND_BYTE)));
    } else {
        copyFromRadio(radio, {HARDWARE_BAND_BYTE, HARDWARE_MODEL_BYTE}, image);
        copyByte(radio, MODEL_MIRROR_BYTE, image);
    }
}

int allottedChannels(const HChannelData& channels) {
    int allotted = 0;
    for (int group = 0; group < channels.groupCount(); ++group) {
        allotted += channels.groupChannelCount(group);
    }
    return allotted;
}

// The radio's bytes after the last allotted channel record, up to a whole number of records
// into the flash page that holds them. Only bytes the download read are taken: elsewhere the
// work buffer holds no radio data, and the document's bytes stay.
void copyAfterLastChannel(const RadioImage& radio, const RadioReadLists& read, int allotted,
                          RadioImage& image) {
    const std::size_t start = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * allotted;
    const std::size_t inPage = start % FLASH_PAGE_SIZE;
    const std::size_t length = CHANNEL_RECORD_SIZE * (inPage / CHANNEL_RECORD_SIZE + 1);
    for (std::size_t offset = start; offset < start + length && offset < IMAGE_SIZE; ++offset) {
        if (read.covers(offset)) {
            copyByte(radio, offset, image);
        }
    }
}

} // namespace

bool RadioReadLists::covers(std::size_t offset) const {
    const bool inEeprom = offset < FLASH_OFFSET;
    const std::size_t unit =
        inEeprom ? offset / EEPROM_WORD_SIZE : (offset - FLASH_OFFSET) / FLASH_PAGE_SIZE;
    if (!inEeprom && offset >= FLASH_OFFSET + FLASH_SIZE) {
        return false;
    }
    const RangeList& ranges = inEeprom ? eeprom : flash;
    return std::any_of(ranges.begin(), ranges.end(), [unit](const BlockRange& range) {
        return unit >= range.first && unit <= range.last;
    });
}

void MergeRadioData(const RadioImage& radio, const RadioReadLists& read,
                    const CommJobContext& context, RadioImage& image) {
    // The channels are taken with the document's synthesizer values and stored with the
    // radio's, so a radio whose IF or step differs gets the document's frequencies.
    HChannelData channels;
    channels.extract(image);

    takeRadioDisplay(radio, context.accessMode, image);
    if (context.accessMode == ACCESS_MANUFACTURE) {
        mergeManufactureIdentity(radio, context, image);
    } else {
        copyFromRadio(radio, IDENTITY_WORDS, image);
    }
    for (const ByteRange& range : ALWAYS_FROM_RADIO) {
        copyFromRadio(radio, range, image);
    }
    if (context.accessMode == ACCESS_NORMAL) {
        copyFromRadio(radio, NORMAL_MODE_HARDWARE, image);
    }
    image.setByte(0x00EA, 0x20);
    image.setByte(0x00EB, 0x00);
    for (std::size_t offset = CLEARED_BYTES.first; offset <= CLEARED_BYTES.last; ++offset) {
        image.setByte(offset, 0x00);
    }
    copyByte(radio, 0x0100, image);
    image.setByte(0x0101, 0x00);

    channels.store(image);
    // Rebuilt once more from the merged image: the group table now follows the radio's
    // capacity.
    HChannelData merged;
    merged.extract(image);
    merged.store(image);
    copyAfterLastChannel(radio, read, allottedChannels(merged), image);
}

} // namespace kq70
