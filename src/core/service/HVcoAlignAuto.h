#pragma once

#include "platform/Clock.h"
#include "service/AlignmentContext.h"
#include "service/ProcedureButtons.h"
#include "service/VcoLimits.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace kq70 {

// The automatic VCO alignment of one direction: for the High, Middle and Low point it looks
// for the D/A value at which the PLL is locked and the VCO control voltage sits at the
// band's target, and on OK stores the three values into the RX (86–88) or TX (89–91) items.
// Start runs the step of the current point; a failed step stays on its point.
class HVcoAlignAuto {
public:
    static constexpr int LOCKED_ABOVE = 200;
    static constexpr int RE_READS = 2;
    // A step of 0 would send the same D for ever; a pass gives up after this many sends.
    static constexpr int MAX_SENDS_PER_PASS = 256;
    static constexpr Clock::Duration CHANNEL_PAUSE = std::chrono::milliseconds(50);
    static constexpr Clock::Duration TX_PAUSE = std::chrono::milliseconds(20);
    static constexpr Clock::Duration RE_READ_PAUSE = std::chrono::milliseconds(150);

    struct PointResult {
        int value = 0;
        int reading = 0;
        bool done = false;
    };
    struct SearchResult {
        bool found = false;
        int value = 0;
        int reading = 0;
    };

    // `returnChannel` is selected again when the window ends with OK.
    HVcoAlignAuto(const AlignmentContext& context, int direction, int returnChannel);

    // "RX VCO Adjustment" or "TX VCO Adjustment".
    std::string Title() const;
    // 0 High, 1 Middle, 2 Low, 3 all done.
    int CurrentPoint() const { return m_point; }
    // The alignment channel of a point: High 2, Middle 1, Low 0.
    static int ChannelOfPoint(int point);
    // The adjustment item a point's result goes to.
    std::size_t ItemOfPoint(int point) const;
    // The pending point's question with its channel's frequency and width, or when every
    // point is done each point's value and reading.
    std::vector<std::string> DisplayLines() const;
    const ProcedureButtons& Buttons() const { return m_buttons; }
    const std::array<PointResult, VCO_POINT_COUNT>& Results() const { return m_results; }

    // The Start button: preparation, search and (TX) back to receive for the current point.
    // Failures are shown (125 or 115) and leave the point where it was.
    bool Start();
    // OK: the three values into their items, then the caller's channel again. Before every
    // point is done there is nothing to store (false).
    bool Ok();
    // Cancel changes nothing.
    void Cancel() {}

    bool PrepareStep(int point);
    SearchResult Search(int point);

private:
    bool Pass(bool upward, int point, int& found, int& last);
    bool ReadLocked(int point, int d, int& vcv, int& ul);
    void UpdateButtons();

    AlignmentContext m_context;
    int m_direction;
    int m_returnChannel;
    int m_point = 0;
    std::array<PointResult, VCO_POINT_COUNT> m_results{};
    ProcedureButtons m_buttons;
};

} // namespace kq70
