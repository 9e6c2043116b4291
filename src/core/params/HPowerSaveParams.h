#pragma once

#include "fields/HParams.h"

#include <cstddef>

namespace kq70 {

// The values of the Power Saving page: transmit timers, battery saving, low-battery alerts,
// microphone gain and the text the radio shows when it is switched on.
class HPowerSaveParams : public HParams {
public:
    static constexpr std::size_t TRANSMIT_TIMER = 0;
    static constexpr std::size_t PENALTY_TIMER = 1;
    static constexpr std::size_t RELEASE_TIMER = 2;
    static constexpr std::size_t POWER_SAVE_MODE = 3;
    static constexpr std::size_t LCD_LIGHTING_MODE = 4;
    static constexpr std::size_t LOW_BATTERY_ALERT = 5;
    static constexpr std::size_t TX_LOW_BATTERY_ALERT = 6;
    static constexpr std::size_t LOW_BATTERY_ALERT_INTERVAL = 7;
    static constexpr std::size_t MIC_GAIN = 8;
    static constexpr std::size_t POWER_ON_TAG = 9; // a text of POWER_ON_TAG_LENGTH characters
    static constexpr std::size_t VALUE_COUNT = 10;
    static constexpr std::size_t POWER_ON_TAG_LENGTH = 8;

    HPowerSaveParams();
};

} // namespace kq70
