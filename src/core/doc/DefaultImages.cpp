#include "doc/DefaultImages.h"

#include "app/ProgramFolder.h"
#include "channel/HChannelData.h"
#include "doc/DataFile.h"
#include "doc/DefaultTemplates.h"
#include "image/RadioImage.h"

#include <algorithm>
#include <cstddef>

namespace kq70::resources {
extern const unsigned char DEFAULT_VHF_IMAGE[];
extern const std::size_t DEFAULT_VHF_IMAGE_size;
extern const unsigned char DEFAULT_UHF_IMAGE[];
extern const std::size_t DEFAULT_UHF_IMAGE_size;
} // namespace kq70::resources

namespace kq70 {

namespace {

constexpr int ANY_BAND = 13;
constexpr int PMR446 = 12;
constexpr std::size_t LOCAL_OFFSET_BYTE = 0x272B; // bit 0
constexpr std::size_t CHANNEL_STEP_BYTE = 0x26EA; // bits 7–6
constexpr std::size_t SQL_RELEASE_BYTE = 0x2742;  // bits 2–0

RadioImage imageFrom(const unsigned char* bytes, std::size_t size) {
    RadioImage image;
    std::copy_n(bytes, std::min(size, IMAGE_SIZE), image.data());
    return image;
}

bool isVhfBand(int band) {
    return band == 0 || band == 1 || band == 8;
}
bool isUhfBand(int band) {
    return band == 4 || band == 5 || band == 6 || band == 9 || band == PMR446;
}

int squelchReleaseFor(int band) {
    if (isVhfBand(band)) {
        return 6; // 240 msec
    }
    return isUhfBand(band) ? 4 : 0; // 160 msec; nothing for an undefined band
}

void setBits(RadioImage& image, std::size_t offset, std::uint8_t mask, std::uint8_t value) {
    image.setByte(offset,
                  static_cast<std::uint8_t>((image.byteAt(offset) & ~mask) | (value & mask)));
}

// Every channel of bands 4, 6 and 9 starts on the band's own frequency (the channel store
// keeps it within the edition's range).
void stampChannelFrequencies(int band, RadioImage& image) {
    std::int32_t hz = 0;
    switch (band) {
    case 4:
        hz = 430000000;
        break;
    case 6:
        hz = 425500000;
        break;
    case 9:
        hz = 380000000;
        break;
    default:
        return;
    }
    HChannelData channels;
    channels.extract(image);
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        channels.setValue(c, rxFrequency, hz);
        channels.setValue(c, txFrequency, hz);
    }
    channels.store(image);
}

} // namespace

const RadioImage& builtInImage(BuiltInImage which) {
    static const RadioImage vhf =
        imageFrom(resources::DEFAULT_VHF_IMAGE, resources::DEFAULT_VHF_IMAGE_size);
    static const RadioImage uhf =
        imageFrom(resources::DEFAULT_UHF_IMAGE, resources::DEFAULT_UHF_IMAGE_size);
    return which == BuiltInImage::Vhf ? vhf : uhf;
}

void BuildDefaultImage(int band, RadioImage& image) {
    image = RadioImage();
    if (band == ANY_BAND) {
        image = builtInImage(BuiltInImage::Vhf);
        band = PMR446;
    } else if (isVhfBand(band)) {
        image = builtInImage(BuiltInImage::Vhf);
    } else if (isUhfBand(band)) {
        image = builtInImage(BuiltInImage::Uhf);
    }
    const bool vhf = isVhfBand(band);
    setBits(image, HARDWARE_BLOCK_OFFSET, 0x0F, static_cast<std::uint8_t>(band));
    setBits(image, LOCAL_OFFSET_BYTE, 0x01, vhf ? 1 : 0);
    setBits(image, CHANNEL_STEP_BYTE, 0xC0, vhf ? 0x40 : 0x00);
    setBits(image, SQL_RELEASE_BYTE, 0x07, static_cast<std::uint8_t>(squelchReleaseFor(band)));
    stampChannelFrequencies(band, image);
}

void LoadBandDefaultImage(const std::string& programFolder, int band, RadioImage& image) {
    if (isDefinedBand(band)) {
        const std::string path =
            joinPath(programFolder, std::string(TEMPLATE_NAMES[static_cast<std::size_t>(band)]));
        RadioImage loaded;
        if (readImageFile(path, loaded) == ImageFileRead::Ok) {
            image = loaded;
            return;
        }
    }
    BuildDefaultImage(band, image);
}

} // namespace kq70
