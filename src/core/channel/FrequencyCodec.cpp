#include "channel/FrequencyCodec.h"

#include <algorithm>
#include <array>

namespace kq70 {

namespace {

constexpr std::array<std::array<std::int64_t, 4>, 4> STEP_TABLE{{
    {5000, 5000, 5000, 10000},
    {6250, 6250, 6250, 12500},
    {2500, 2500, 2500, 2500},
    {1250, 1250, 1250, 1250},
}};

std::int64_t roundUpTo(std::int64_t hz, std::int64_t step) {
    return (hz + step - 1) / step * step;
}

} // namespace

std::int64_t stepHz(int stepRow, int channelStep) {
    const auto row = static_cast<std::size_t>(std::clamp(stepRow, 0, 3));
    const auto column = static_cast<std::size_t>(std::clamp(channelStep, 0, 3));
    return STEP_TABLE[row][column];
}

PllWord splitDivider(std::int64_t n) {
    const std::int64_t m = n / 8 - 8;
    PllWord word;
    word.a = static_cast<std::int32_t>(n % 8);
    word.m0 = static_cast<std::int32_t>(m % 8);
    word.m1 = static_cast<std::int32_t>((m / 8) % 8);
    word.high = static_cast<std::int32_t>(m / 64 - 3 - word.m0 - word.m1);
    return word;
}

std::int64_t joinDivider(const PllWord& w) {
    return w.a + 8 * (64 * (std::int64_t{w.high} + w.m0 + w.m1 + 3) + w.m0 + 8 * w.m1 + 8);
}

std::int64_t bandDefaultFrequency(int band) {
    switch (band) {
    case 0:
    case 1:
    case 8:
        return 154100000;
    case 4:
        return 44010000;
    case 5:
    case 12:
        return 480500000;
    case 6:
        return 400500000;
    case 9:
        return 370100000;
    default:
        return 0;
    }
}

std::int64_t storableFrequency(std::int64_t hz, int channelStep, int& stepRow) {
    std::int64_t f = std::clamp(hz, STORE_MIN_HZ, STORE_MAX_HZ);
    const std::int64_t row0 = stepHz(0, channelStep);
    const std::int64_t row1 = stepHz(1, channelStep);
    if (f % row1 == 0) {
        stepRow = 1;
    } else if (f % row0 == 0) {
        stepRow = 0;
    } else if (channelStep == 1 && f % 2500 == 0) {
        stepRow = 2;
    } else if (channelStep == 2 && f % 1250 == 0) {
        stepRow = 3;
    } else {
        const std::int64_t up0 = roundUpTo(f, row0);
        const std::int64_t up1 = roundUpTo(f, row1);
        if (up1 - f < up0 - f) {
            f = up1;
            stepRow = 1;
        } else {
            f = up0;
            stepRow = 0;
        }
    }
    if (f % 50 != 0) {
        f += 10;
    }
    return f;
}

std::int64_t receiveDivider(std::int64_t hz, std::int64_t ifHz, bool upperLocal, int stepRow,
                            int channelStep) {
    std::int64_t dividend = hz - (upperLocal ? -ifHz : ifHz);
    if (dividend % 10 == 9) {
        dividend += 1;
    }
    return dividend / stepHz(stepRow, channelStep);
}

std::int64_t receiveFrequency(std::int64_t n, std::int64_t ifHz, bool upperLocal, int stepRow,
                              int channelStep) {
    return n * stepHz(stepRow, channelStep) + (upperLocal ? -ifHz : ifHz);
}

} // namespace kq70
