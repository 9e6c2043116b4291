#include "support/TestRadios.h"

#include "SimulatorSeed.h"
#include "params/HHardwareParams.h"
#include "params/HProgrammingPasswordParams.h"
#include "ui/StrPrintf.h"

namespace kq70::test {

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

void setProgrammingPassword(RadioImage& image, const std::string& password) {
    HProgrammingPasswordParams params;
    params.extract(image);
    params.set(HProgrammingPasswordParams::ENABLE, 1);
    params.setPassword(password);
    params.store(image);
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

} // namespace kq70::test
