#pragma once

#include "platform/Clock.h"

#include <chrono>
#include <functional>

namespace kq70 {

class CancelFlag;

// How the receive measurements and the battery procedure sample the radio: 20 readings, one
// every 50 ms of the radio's clock.
inline constexpr int SAMPLE_COUNT = 20;
inline constexpr Clock::Duration SAMPLE_INTERVAL = std::chrono::milliseconds(50);

// What a window hears of a sampling run and how it ends one early: `sampled` is called after
// each sample with the count so far (on the thread that samples); `stop`, when requested, ends
// the run before the next sample.
struct SamplingWatch {
    std::function<void(int taken)> sampled;
    const CancelFlag* stop = nullptr;
};

// Calls `sample` one interval apart on `clock` until it wants no more samples (it returns
// false); `taken` is the count the procedure keeps. False when `watch.stop` ended the run.
bool RunSamples(Clock& clock, const std::function<bool()>& sample, const int& taken,
                const SamplingWatch& watch);

} // namespace kq70
