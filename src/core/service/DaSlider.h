#pragma once

#include <algorithm>

namespace kq70 {

// A D/A value as the procedures' sliders set it: one byte to the radio (0–255), a tick every
// 10, a page step of 20 and a line step of 1.
struct DaSlider {
    static constexpr int MIN = 0;
    static constexpr int MAX = 255;
    static constexpr int TICK = 10;
    static constexpr int PAGE_STEP = 20;
    static constexpr int LINE_STEP = 1;

    static constexpr bool Holds(int value) { return value >= MIN && value <= MAX; }
    static constexpr int Clamp(int value) { return std::clamp(value, MIN, MAX); }
};

} // namespace kq70
