#pragma once

#include "fields/HParams.h"

#include <cstddef>
#include <cstdint>

namespace kq70 {

class RadioImage;

// The values of the Miscellaneous page: the option unit fitted, power-on behaviour, tones,
// the ARTS settings and the default split.
class HMiscParams : public HParams {
public:
    static constexpr std::size_t OPTION_UNIT = 0;
    static constexpr std::size_t POWER_ON_CONDITION = 1;
    static constexpr std::size_t BELL = 2;
    static constexpr std::size_t CTCSS_TAIL_ELIMINATION = 3;
    static constexpr std::size_t RADIO_TO_RADIO_CLONE = 4;
    static constexpr std::size_t ARTS_MODE = 5;
    static constexpr std::size_t ARTS_BEEP = 6;
    static constexpr std::size_t ARTS_TX_TIME = 7;
    static constexpr std::size_t EXTERNAL_JACK = 8;
    static constexpr std::size_t KEY_HOLDING_TIME = 9;
    static constexpr std::size_t LED_LIGHTING = 10;
    static constexpr std::size_t BEEP = 11;
    static constexpr std::size_t DEFAULT_SPLIT = 12; // signed, in Hz
    static constexpr std::size_t VALUE_COUNT = 13;

    static constexpr std::int32_t OPTION_UNIT_NONE = 0;
    static constexpr std::int32_t OPTION_UNIT_ENCRYPTION = 2;

    static constexpr std::int32_t ARTS_MODE_TRX = 0;
    static constexpr std::int32_t ARTS_MODE_TX = 1;
    static constexpr std::int32_t ARTS_MODE_RX = 2;

    HMiscParams();

    // The option unit value (0x0265 bits 3–0) as stored; no value is mapped to another.
    std::int32_t optionUnit() const { return get(OPTION_UNIT); }
    static std::int32_t optionUnitOf(const RadioImage& image);
};

} // namespace kq70
