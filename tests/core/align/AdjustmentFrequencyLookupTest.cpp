#include "align/AdjustmentFrequencyLookup.h"

#include "align/HAdustmentBackUpParams.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kq70 {
namespace {

constexpr std::int64_t MHZ = 1000000;

struct LookupCase {
    const char* name;
    std::size_t k;
    std::array<std::int64_t, 5> values;
    std::int64_t frequencyHz;
    std::int64_t expected;
};

void check(const std::array<std::int64_t, 5>& frequenciesMhz,
           const std::vector<LookupCase>& cases) {
    for (const LookupCase& c : cases) {
        std::array<AdjustmentPointRecord, LOOKUP_POINT_COUNT> points{};
        for (std::size_t p = 0; p < LOOKUP_POINT_COUNT; ++p) {
            points[p][LOOKUP_FREQUENCY] = frequenciesMhz[p] * MHZ;
            points[p][c.k] = c.values[p];
        }
        const AdjustmentFrequencyLookup lookup(points);
        EXPECT_EQ(lookup.valueAt(c.k, c.frequencyHz), c.expected)
            << c.name << " (value " << c.k << " at " << c.frequencyHz << " Hz)";
    }
}

constexpr std::array<std::int64_t, 5> BAND = {400, 420, 440, 460, 480};

TEST(AdjustmentFrequencyLookupTest, AbsoluteValuesInterpolateAndRound) {
    constexpr std::array<std::int64_t, 5> TUNE = {100, 125, 151, 175, 200};
    check(BAND, {
                    {"below the band", LOOKUP_RX_TUNE, TUNE, 350 * MHZ, 100},
                    {"at point 0", LOOKUP_RX_TUNE, TUNE, 400 * MHZ, 100},
                    {"a quarter: 101.25", LOOKUP_RX_TUNE, TUNE, 401 * MHZ, 101},
                    {"a half stays: 102.5", LOOKUP_RX_TUNE, TUNE, 402 * MHZ, 102},
                    {"more than half rounds up: 113.75", LOOKUP_RX_TUNE, TUNE, 411 * MHZ, 114},
                    {"at point 2", LOOKUP_RX_TUNE, TUNE, 440 * MHZ, 151},
                    {"between 1 and 2", LOOKUP_RX_TUNE, TUNE, 430 * MHZ, 138},
                    {"at point 4", LOOKUP_RX_TUNE, TUNE, 480 * MHZ, 200},
                    {"above the band", LOOKUP_RX_TUNE, TUNE, 900 * MHZ, 200},
                    {"value 9 is absolute", 9, {10, 20, 100, 30, 40}, 430 * MHZ, 60},
                    {"value 10 is absolute", 10, {10, 20, 100, 30, 40}, 450 * MHZ, 65},
                });
}

// Relative values interpolate towards 0 at the centre; most add the centre value back.
TEST(AdjustmentFrequencyLookupTest, RelativeValuesAreOffsetsAboutTheCentre) {
    constexpr std::array<std::int64_t, 5> GROUP = {10, 20, 100, 30, 40};
    check(BAND, {
                    {"at the centre", 1, GROUP, 440 * MHZ, 100},
                    {"at point 1", 1, GROUP, 420 * MHZ, 120},
                    {"between 1 and 2", 1, GROUP, 430 * MHZ, 110},
                    {"between 2 and 3", 1, GROUP, 450 * MHZ, 115},
                    {"between 3 and 4", 8, GROUP, 470 * MHZ, 135},
                    {"below the band", 12, GROUP, 100 * MHZ, 110},
                    {"above the band", 11, GROUP, 999 * MHZ, 140},
                    {"value 13 leaves the centre out", 13, GROUP, 440 * MHZ, 0},
                    {"value 13 between 1 and 2", 13, GROUP, 430 * MHZ, 10},
                    {"value 14 between 2 and 3", 14, GROUP, 450 * MHZ, 15},
                });
}

TEST(AdjustmentFrequencyLookupTest, NegativeOffsetsRoundAwayFromZeroAtHalf) {
    constexpr std::array<std::int64_t, 5> GROUP = {-10, -4, 50, -3, -7};
    check(BAND, {
                    {"-1.5 rounds to -2", 1, GROUP, 450 * MHZ, 48},
                    {"-0.45 stays 0", 1, GROUP, 443 * MHZ, 50},
                    {"-1.95 gives -2", 1, GROUP, 453 * MHZ, 48},
                    {"-3.8 gives -4", 1, GROUP, 421 * MHZ, 46},
                    {"-3 exactly", 1, GROUP, 425 * MHZ, 47},
                    {"-7 at point 4", 1, GROUP, 480 * MHZ, 43},
                    // The remainder rounds only when it has the result's sign: -2.2 gives -3.
                    {"rising offset below zero", 1, GROUP, 429 * MHZ, 47},
                });
}

// Coinciding points give the lower point's value rather than dividing by zero.
TEST(AdjustmentFrequencyLookupTest, EqualPointFrequencies) {
    constexpr std::array<std::int64_t, 5> TUNE = {100, 125, 151, 175, 200};
    check({400, 400, 440, 460, 460},
          {
              {"below, points 0 and 1 equal", LOOKUP_RX_TUNE, TUNE, 390 * MHZ, 100},
              {"at points 0 and 1", LOOKUP_RX_TUNE, TUNE, 400 * MHZ, 125},
              {"at points 3 and 4", LOOKUP_RX_TUNE, TUNE, 460 * MHZ, 175},
              {"above", 3, {1, 2, 50, 4, 5}, 470 * MHZ, 54},
          });
    check({0, 0, 0, 0, 0},
          {{"blank adjustment data", LOOKUP_TX_VCO, {0, 0, 0, 0, 0}, 446 * MHZ, 0}});
}

TEST(AdjustmentFrequencyLookupTest, PointsComeFromTheItems) {
    HAdustmentBackUpParams items;
    const std::array<std::int32_t, 5> frequencies = {4460, 4461, 4462, 4463, 4465};
    for (std::size_t p = 0; p < 5; ++p) {
        items.set(ADJ_POINT_FREQUENCY + p, frequencies[p]);
        items.set(ADJ_TX_POWER_HIGH - 2 + p, static_cast<std::int32_t>(1 + p));
        items.set(ADJ_FURTHER_GROUP_2 - 2 + p, static_cast<std::int32_t>(11 + p));
    }
    const std::array<std::pair<std::size_t, std::array<std::int32_t, 3>>, 3> threePoint = {{
        {ADJ_RX_TUNE_LOW, {100, 151, 200}},
        {ADJ_RX_VCO_LOW, {10, 21, 40}},
        {ADJ_TX_VCO_LOW, {7, 8, 9}},
    }};
    for (const auto& [low, values] : threePoint) {
        for (std::size_t j = 0; j < 3; ++j) {
            items.set(low + j, values[j]);
        }
    }
    const auto lookup = AdjustmentFrequencyLookup::fromItems(items);
    const std::array<std::array<std::int64_t, 5>, 3> halves = {
        {{100, 125, 151, 175, 200}, {10, 15, 21, 30, 40}, {7, 7, 8, 8, 9}}};
    for (std::size_t p = 0; p < 5; ++p) {
        SCOPED_TRACE(p);
        const AdjustmentPointRecord& point = lookup.point(p);
        EXPECT_EQ(point[LOOKUP_FREQUENCY], frequencies[p] * 100000LL);
        EXPECT_EQ(point[LOOKUP_FIRST_GROUP], static_cast<std::int64_t>(1 + p));
        EXPECT_EQ(point[14], static_cast<std::int64_t>(11 + p));
        EXPECT_EQ(point[LOOKUP_RX_TUNE], halves[0][p]);
        EXPECT_EQ(point[LOOKUP_RX_VCO], halves[1][p]);
        EXPECT_EQ(point[LOOKUP_TX_VCO], halves[2][p]);
    }
    EXPECT_EQ(lookup.valueAt(LOOKUP_RX_VCO, 446050000), 12);
    EXPECT_EQ(lookup.valueAt(LOOKUP_FREQUENCY, 350 * MHZ), 446000000);
    EXPECT_EQ(lookup.valueAt(LOOKUP_VALUE_COUNT, 446 * MHZ), LOOKUP_NO_VALUE);
}

} // namespace
} // namespace kq70
