#pragma once

#include "fields/HParams.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kq70 {

class RadioImage;

// The marketing and identity values: the market application code and the firmware version
// (four decimal digits each, one per nibble), and the serial number in flash with its
// EEPROM copy (eight hexadecimal characters, one per nibble: manufacture year and month,
// lot number and the rest).
class HMarketingParams : public HParams {
public:
    static constexpr std::size_t MARKET_APPLICATION = 0;
    static constexpr std::size_t FIRMWARE_VERSION = 1;
    static constexpr std::size_t SERIAL_NUMBER = 2;
    static constexpr std::size_t EEPROM_SERIAL_NUMBER = 3;
    static constexpr std::size_t VALUE_COUNT = 4;

    static constexpr std::size_t FIRMWARE_VERSION_OFFSET = 0x29EC;
    static constexpr std::size_t SERIAL_NUMBER_CHARACTERS = 8;

    HMarketingParams();

    // Writes only the values that differ from what the image holds, so digits the radio
    // stored outside 0–9 survive a page closed without a change.
    void store(RadioImage& image) const override;

    // The radio's version ×100: the nibbles 0x01 0x10 read 110, version 1.10.
    std::int32_t firmwareVersion() const { return get(FIRMWARE_VERSION); }
    static std::int32_t firmwareVersionOf(const RadioImage& image);

    // A serial number value as its eight characters, and back; nothing unless the text is
    // one to eight hexadecimal digits.
    static std::string serialNumberText(std::int32_t value);
    static std::optional<std::int32_t> serialNumberFromText(std::string_view text);
};

} // namespace kq70
