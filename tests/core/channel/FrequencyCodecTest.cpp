#include "channel/FrequencyCodec.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kq70 {
namespace {

TEST(FrequencyCodecTest, DividerSplitsAndJoins) {
    const PllWord word = splitDivider(70400);
    EXPECT_EQ(std::tuple(word.a, word.m0, word.m1, word.high), std::tuple(0, 0, 3, 131));
    for (const std::int64_t n : {70400LL, 70401LL, 71361LL, 72959LL, 87200LL, 348800LL, 364800LL}) {
        EXPECT_EQ(joinDivider(splitDivider(n)), n) << n;
    }
}

TEST(FrequencyCodecTest, StoreClampsAndPicksTheStepRow) {
    struct Case {
        std::int64_t hz;
        int channelStep;
        std::int64_t stored;
        int row;
    };
    const Case cases[] = {
        {460000000, 0, 456000000, 1}, // clamped; a multiple of both steps takes row 1
        {430000000, 0, 436000000, 1},
        {446025000, 0, 446025000, 1}, // 5 kHz and 6.25 kHz multiple
        {446006250, 0, 446006250, 1},
        {446010000, 0, 446010000, 0},
        {446001000, 0, 446005000, 0}, // rounds up to the nearer of 446.005 and 446.00625
        {446005500, 0, 446006250, 1}, // 446.00625 is nearer than 446.010
        {446002500, 1, 446002500, 2},
        {446002500, 0, 446005000, 0}, // row 2 only with Channel Step 1
        {446001250, 2, 446001250, 3},
        {446012500, 3, 446012500, 1}, // Channel Step 3: 10 kHz and 12.5 kHz
        {446020000, 3, 446020000, 0},
        {446001000, 3, 446010000, 0},
    };
    for (const Case& c : cases) {
        int row = -1;
        EXPECT_EQ(storableFrequency(c.hz, c.channelStep, row), c.stored) << c.hz;
        EXPECT_EQ(row, c.row) << c.hz;
    }
}

TEST(FrequencyCodecTest, ReceiveDividendEndingInNineIsRaised) {
    EXPECT_EQ(receiveDivider(395156249, 0, false, 1, 0), 395156250 / 6250);
    EXPECT_EQ(receiveDivider(395156248, 0, false, 1, 0), 395156248 / 6250);
    // Lower local oscillator: N·step + IF; upper: N·step − IF.
    const std::int64_t ifHz = 50850000;
    const std::int64_t n = receiveDivider(446006250, ifHz, false, 1, 0);
    EXPECT_EQ(receiveFrequency(n, ifHz, false, 1, 0), 446006250);
    const std::int64_t up = receiveDivider(446006250, ifHz, true, 1, 0);
    EXPECT_EQ(up, (446006250 + ifHz) / 6250);
    EXPECT_EQ(receiveFrequency(up, ifHz, true, 1, 0), 446006250);
}

} // namespace
} // namespace kq70
