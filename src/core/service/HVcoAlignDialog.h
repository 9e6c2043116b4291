#pragma once

#include "platform/Clock.h"
#include "service/AlignmentContext.h"

#include <chrono>
#include <cstddef>
#include <string>

namespace kq70 {

// The manual VCO alignment of one point: a slider 0–255 sets the VCO D/A directly and the
// window shows the VCO control voltage and the lock detector read back after each change.
// OK stores the slider's value into the point's item.
class HVcoAlignDialog {
public:
    static constexpr int READ_ATTEMPTS = 10;
    static constexpr Clock::Duration READ_PAUSE = std::chrono::milliseconds(50);
    static constexpr Clock::Duration FAILED_READ_PAUSE = std::chrono::milliseconds(20);
    static constexpr Clock::Duration TX_PAUSE = std::chrono::milliseconds(20);

    HVcoAlignDialog(const AlignmentContext& context, int direction, int point);

    std::string Title() const;
    std::size_t Item() const;
    // Receive (and for TX transmit with the adjust levels at 0) on the point's channel, then
    // the item's value on the slider and sent. False when a command failed (logged).
    bool Open();
    // A slider change: the value sent, then up to ten reads.
    void SetSlider(int value);
    int Slider() const { return m_value; }
    // The D/A value last sent, as the window shows it.
    std::string DaText() const;
    // "VCV A/D" and "UL A/D": the last readings, or the value sent and 0 when none came.
    std::string VcvText() const;
    std::string UlText() const;
    void Ok();
    // Cancel keeps the item; a transmitting radio goes back to receive either way.
    void Cancel();

private:
    void SendAndRead();

    AlignmentContext m_context;
    int m_direction;
    int m_point;
    int m_value = 0;
    int m_vcv = 0;
    int m_ul = 0;
};

} // namespace kq70
