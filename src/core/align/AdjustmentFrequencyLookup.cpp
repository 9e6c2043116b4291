#include "align/AdjustmentFrequencyLookup.h"

#include "align/HAdustmentBackUpParams.h"

#include <utility>

namespace kq70 {

namespace {

constexpr std::int64_t HZ_PER_FREQUENCY_UNIT = 100000; // point frequencies are in 100 kHz
constexpr std::size_t CENTRE_POINT = 2;
constexpr std::size_t LAST_SEGMENT = LOOKUP_POINT_COUNT - 2;

// Raw item values, as the radio stores them: no sign decoding.
std::int64_t item(const HAdustmentBackUpParams& items, std::size_t i) {
    return items.get(i);
}

} // namespace

AdjustmentFrequencyLookup::AdjustmentFrequencyLookup(
    const std::array<AdjustmentPointRecord, LOOKUP_POINT_COUNT>& points)
    : m_points(points) {}

AdjustmentFrequencyLookup
AdjustmentFrequencyLookup::fromItems(const HAdustmentBackUpParams& items) {
    std::array<AdjustmentPointRecord, LOOKUP_POINT_COUNT> points{};
    for (std::size_t p = 0; p < LOOKUP_POINT_COUNT; ++p) {
        points[p][LOOKUP_FREQUENCY] = item(items, ADJ_POINT_FREQUENCY + p) * HZ_PER_FREQUENCY_UNIT;
        for (std::size_t g = 0; g < ADJ_GROUP_MIDDLE_ITEMS.size(); ++g) {
            points[p][LOOKUP_FIRST_GROUP + g] = item(items, ADJ_GROUP_MIDDLE_ITEMS[g] - 2 + p);
        }
    }
    // Three-point items hold points 0, 2 and 4; points 1 and 3 lie halfway.
    constexpr std::array<std::pair<std::size_t, std::size_t>, 3> THREE_POINT = {
        {{LOOKUP_RX_TUNE, ADJ_RX_TUNE_LOW},
         {LOOKUP_RX_VCO, ADJ_RX_VCO_LOW},
         {LOOKUP_TX_VCO, ADJ_TX_VCO_LOW}}};
    for (const auto& [k, low] : THREE_POINT) {
        for (std::size_t j = 0; j < 3; ++j) {
            points[2 * j][k] = item(items, low + j);
        }
        points[1][k] = (points[0][k] + points[2][k]) / 2;
        points[3][k] = (points[2][k] + points[4][k]) / 2;
    }
    return AdjustmentFrequencyLookup(points);
}

bool AdjustmentFrequencyLookup::isRelative(std::size_t k) {
    return (k >= 1 && k <= 8) || (k >= 11 && k <= 14);
}

bool AdjustmentFrequencyLookup::addsCentre(std::size_t k) {
    return (k >= 1 && k <= 8) || k == 11 || k == 12;
}

std::int64_t AdjustmentFrequencyLookup::at(std::size_t p, std::size_t k) const {
    return p == CENTRE_POINT && isRelative(k) ? 0 : m_points[p][k];
}

// The segment [F(s), F(s+1)] that holds f; a frequency outside the points moves to the
// nearest edge.
AdjustmentFrequencyLookup::Segment
AdjustmentFrequencyLookup::segmentOf(std::int64_t frequencyHz) const {
    if (frequencyHz < frequency(0)) {
        return {frequency(0), 0};
    }
    for (std::size_t s = 0; s <= LAST_SEGMENT; ++s) {
        if (frequencyHz < frequency(s + 1)) {
            return {frequencyHz, s};
        }
    }
    return {frequency(LOOKUP_POINT_COUNT - 1), LAST_SEGMENT};
}

std::int64_t AdjustmentFrequencyLookup::valueAt(std::size_t k, std::int64_t frequencyHz) const {
    if (k >= LOOKUP_VALUE_COUNT) {
        return LOOKUP_NO_VALUE;
    }
    const Segment segment = segmentOf(frequencyHz);
    if (k == LOOKUP_FREQUENCY) {
        return segment.frequency;
    }
    const std::size_t s = segment.first;
    const std::int64_t q = interpolate(at(s, k), at(s + 1, k), segment.frequency - frequency(s),
                                       frequency(s + 1) - frequency(s));
    return addsCentre(k) ? q + m_points[CENTRE_POINT][k] : q;
}

// a + (b - a)·distance / span in 64 bits, rounded by the remainder. Coinciding points
// give a.
std::int64_t AdjustmentFrequencyLookup::interpolate(std::int64_t a, std::int64_t b,
                                                    std::int64_t distance, std::int64_t span) {
    if (span == 0) {
        return a;
    }
    const std::int64_t num = distance * (b - a);
    const std::int64_t r = num % span;
    std::int64_t q = num / span + a;
    if (q > 0 && r > span / 2) {
        ++q;
    } else if (q < 0 && r <= -(span / 2)) {
        --q;
    }
    return q;
}

} // namespace kq70
