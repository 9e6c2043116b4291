#pragma once

#include <array>
#include <cstdint>

namespace kq70 {

class RadioImage;

// What the channel data needs of the hardware block and the paging codes: the band and model,
// the synthesizer's step and IF, and the per-step alignment offsets.
struct ChannelHardware {
    int radioChannel = 3;
    int band = 12;
    bool upperLocal = false;
    int channelStep = 0;
    std::int64_t ifHz = 0;
    int alignmentItemSelect = 1;        // hardware value 24
    std::array<int, 3> rxTuneOffsets{}; // hardware values 25–27, by receive step rows 0–1, 2, 3
    std::array<int, 3> txOffsetsTone{}; // hardware values 28–30, transmit not DCS
    std::array<int, 3> txOffsetsDcs{};  // hardware values 31–33, transmit DCS
    std::array<bool, 10> pagingDefined{}; // paging code records 0–9

    static ChannelHardware fromImage(const RadioImage& image);
};

// Which of the ten paging code records hold a code.
std::array<bool, 10> pagingCodesDefined(const RadioImage& image);

} // namespace kq70
