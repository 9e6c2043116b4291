#pragma once

#include "platform/Clock.h"
#include "service/AlignmentContext.h"
#include "service/ProcedureButtons.h"

#include <array>
#include <chrono>
#include <string>
#include <vector>

namespace kq70 {

// The automatic receiver tuning: for the Low, Middle and High point (alignment channels 0,
// 1 and 2) the tune D/A is stepped up from a point-dependent start while the RSSI is read;
// the result is the middle of the peak's plateau. OK stores the three values into items 13
// (Low), 14 (Middle) and 15 (High). A failed command or A/D read ends the point with string
// 127 and keeps nothing.
class HRxTune {
public:
    static constexpr int POINTS = 3;
    static constexpr int FALL_LIMIT = 6;
    static constexpr Clock::Duration PAUSE = std::chrono::milliseconds(50);
    static constexpr Clock::Duration SETTLE = std::chrono::milliseconds(100);
    static constexpr std::array<int, POINTS> START_TUNE = {0, 48, 100};

    struct PointResult {
        int tune = 0;
        int rssi = 0;
        bool done = false;
    };
    struct SearchResult {
        bool ok = false;
        int tune = 0;
        int rssi = 0;
        int peakFirst = 0;
        int peakLast = 0;
    };

    explicit HRxTune(const AlignmentContext& context);

    std::string Title() const;
    // 0 Low, 1 Middle, 2 High, 3 all done.
    int CurrentPoint() const { return m_point; }
    // The pending point's channel and the results so far.
    std::vector<std::string> DisplayLines() const;
    // What to set on the signal generator, as the measurements list it: the pending point's
    // frequency (empty once all are done), the RF level, the deviation and the modulation
    // (items 114–116).
    std::vector<std::string> GeneratorLines() const;
    const std::array<PointResult, POINTS>& Results() const { return m_results; }

    // Start: receive on the point's channel and the peak search; advances on success.
    bool Start();
    SearchResult Search(int point);
    // The three tune values into their items; false (nothing stored) before all are found.
    bool Ok();
    void Cancel() {}
    const ProcedureButtons& Buttons() const { return m_buttons; }

private:
    AlignmentContext m_context;
    int m_point = 0;
    std::array<PointResult, POINTS> m_results{};
    ProcedureButtons m_buttons;
};

} // namespace kq70
