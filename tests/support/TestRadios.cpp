#include "support/TestRadios.h"

#include "SimulatorSeed.h"
#include "channel/HChannelData.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "params/HHardwareParams.h"
#include "params/HMiscParams.h"
#include "params/HProgrammingPasswordParams.h"
#include "ui/StrPrintf.h"

namespace kq70::test {

RadioImage pmrImage(int radioChannel) {
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    setHardwareValue(image, HW_RADIO_CHANNEL, radioChannel);
    return image;
}

RadioImage imageWithGroups(const std::vector<int>& counts, int radioChannel) {
    RadioImage image = pmrImage(radioChannel);
    HChannelData data;
    data.extract(image);
    for (int g = 0; g < HGroupTable::GROUP_COUNT; ++g) {
        const auto index = static_cast<std::size_t>(g);
        data.groups().setCount(g, index < counts.size() ? counts[index] : 0);
    }
    data.store(image);
    return image;
}

RadioImage radioWithChannels(int radioChannelValue) {
    RadioImage radio = makeSimulatorSeedImage();
    setHardwareValue(radio, HW_RADIO_CHANNEL, radioChannelValue);
    for (std::size_t i = 0; i < CHANNEL_RECORD_SIZE * 256; ++i) {
        radio.setByte(CHANNEL_TABLE_OFFSET + i, static_cast<std::uint8_t>(0x80 | (i * 13 % 97)));
    }
    return radio;
}

void setHardwareValue(RadioImage& image, std::size_t index, std::int32_t value) {
    HHardwareParams hardware;
    hardware.extract(image);
    hardware.set(index, value);
    hardware.store(image);
}

void setMiscValue(RadioImage& image, std::size_t index, std::int32_t value) {
    HMiscParams misc;
    misc.extract(image);
    misc.set(index, value);
    misc.store(image);
}

void setProgrammingPassword(RadioImage& image, const std::string& password) {
    HProgrammingPasswordParams params;
    params.extract(image);
    params.set(HProgrammingPasswordParams::ENABLE, 1);
    params.setPassword(password);
    params.store(image);
}

std::vector<std::uint8_t> bytePattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
    }
    return bytes;
}

RadioImage patternImage(std::uint8_t seed) {
    RadioImage image;
    const auto bytes = bytePattern(IMAGE_SIZE, seed);
    std::copy(bytes.begin(), bytes.end(), image.data());
    return image;
}

std::string firstDifference(const RadioImage& actual, const RadioImage& expected, std::size_t first,
                            std::size_t length) {
    for (std::size_t offset = first; offset < first + length; ++offset) {
        if (actual.byteAt(offset) != expected.byteAt(offset)) {
            return strprintf("0x%04zX: %02X, expected %02X", offset, actual.byteAt(offset),
                             expected.byteAt(offset));
        }
    }
    return {};
}

std::string tightVcoLimits() {
    std::string limits;
    for (const auto& [section, offset] :
         {std::pair{"RX_VCO_INFO_PMR", 0}, std::pair{"TX_VCO_INFO_PMR", 10}}) {
        limits += std::string("[") + section + "]\nVCO_STEP=1\n";
        for (const auto& [point, low] : {std::pair{"HIGH", 120}, {"CENTER", 100}, {"LOW", 80}}) {
            for (const char* bound : {"MIN1", "MIN2", "MAX1", "MAX2"}) {
                const int value = low + offset + (bound[1] == 'A' ? 10 : 0);
                limits += strprintf("VCO_%s_%s=%d\n", point, bound, value);
            }
        }
    }
    return limits;
}

} // namespace kq70::test
