#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kq70 {

class HAdustmentBackUpParams;

// What a point record holds, by value index k.
constexpr std::size_t LOOKUP_FREQUENCY = 0;   // the point's frequency in hertz
constexpr std::size_t LOOKUP_FIRST_GROUP = 1; // 1–14: the groups, in item order
constexpr std::size_t LOOKUP_RX_TUNE = 15;
constexpr std::size_t LOOKUP_RX_VCO = 16;
constexpr std::size_t LOOKUP_TX_VCO = 17;
constexpr std::size_t LOOKUP_VALUE_COUNT = 18;
constexpr std::size_t LOOKUP_POINT_COUNT = 5;
constexpr std::int64_t LOOKUP_NO_VALUE = -1;

using AdjustmentPointRecord = std::array<std::int64_t, LOOKUP_VALUE_COUNT>;

// The adjustment value for any frequency, interpolated between the five alignment points.
// The points work on the items' raw bytes; relative values are offsets about the value at
// point 2, the band centre.
class AdjustmentFrequencyLookup {
public:
    explicit AdjustmentFrequencyLookup(
        const std::array<AdjustmentPointRecord, LOOKUP_POINT_COUNT>& points);
    static AdjustmentFrequencyLookup fromItems(const HAdustmentBackUpParams& items);

    // Point p; a point beyond the last gives the last.
    const AdjustmentPointRecord& point(std::size_t p) const {
        return m_points[p < LOOKUP_POINT_COUNT ? p : LOOKUP_POINT_COUNT - 1];
    }

    // Value k at `frequencyHz`; frequencies outside the points take the nearest edge
    // (value 0 is that frequency). LOOKUP_NO_VALUE for k outside 0–17.
    std::int64_t valueAt(std::size_t k, std::int64_t frequencyHz) const;

    // Values 1–8 and 11–14 interpolate with point 2 counted as 0.
    static bool isRelative(std::size_t k);
    // Values 1–8, 11 and 12 add the point-2 value back to the interpolated offset.
    static bool addsCentre(std::size_t k);

private:
    struct Segment {
        std::int64_t frequency; // the looked-up frequency, moved inside the points
        std::size_t first;      // the segment's lower point
    };

    std::int64_t frequency(std::size_t p) const { return m_points[p][LOOKUP_FREQUENCY]; }
    std::int64_t at(std::size_t p, std::size_t k) const;
    Segment segmentOf(std::int64_t frequencyHz) const;
    static std::int64_t interpolate(std::int64_t a, std::int64_t b, std::int64_t distance,
                                    std::int64_t span);

    std::array<AdjustmentPointRecord, LOOKUP_POINT_COUNT> m_points;
};

} // namespace kq70
