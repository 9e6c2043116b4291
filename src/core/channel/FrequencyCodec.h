#pragma once

#include <cstdint>

namespace kq70 {

// A channel's frequencies are stored as PLL divider words: N = frequency / step, split into
// an octal digit A, two digits M0 and M1 and a high part.
struct PllWord {
    std::int32_t a = 0;
    std::int32_t m0 = 0;
    std::int32_t m1 = 0;
    std::int32_t high = 0;
};

constexpr std::int64_t STORE_MIN_HZ = 436000000;
constexpr std::int64_t STORE_MAX_HZ = 456000000;

// The step of a step row (0–3) under the hardware's Channel Step value (0–3), in Hz.
std::int64_t stepHz(int stepRow, int channelStep);

PllWord splitDivider(std::int64_t n);
std::int64_t joinDivider(const PllWord& word);

// The frequency of a record whose PLL high part is 0, by frequency band; 0 for the undefined
// band codes.
std::int64_t bandDefaultFrequency(int band);

// A frequency made storable: clamped to the edition's range, put on a step row (the row
// chosen is returned in `stepRow`), and kept on a 50 Hz multiple.
std::int64_t storableFrequency(std::int64_t hz, int channelStep, int& stepRow);

// The receive divider for a storable frequency: the local oscillator is above (upper) or below
// the receive frequency by the first IF; a dividend ending in 9 is raised by one first.
std::int64_t receiveDivider(std::int64_t hz, std::int64_t ifHz, bool upperLocal, int stepRow,
                            int channelStep);
std::int64_t receiveFrequency(std::int64_t n, std::int64_t ifHz, bool upperLocal, int stepRow,
                              int channelStep);

} // namespace kq70
