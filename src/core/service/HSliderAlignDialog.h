#pragma once

#include "service/AlignmentContext.h"
#include "service/DaSlider.h"
#include "service/ProcedureButtons.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kq70 {

// The transmit procedures: the user moves a D/A value while the radio transmits and an
// external meter shows the result.
enum class SliderProcedure {
    FreqDa,            // reference frequency D/A, item 93
    TxPower,           // variant 0 high power (18), 1 low power (23)
    MaxDeviation,      // variant 0 wide (28), 1 narrow (33)
    CtcssDeviation,    // variant 0 wide (38), 1 narrow (43)
    DcsDeviation,      // variant 0 wide (48), 1 narrow (53)
    ModulationBalance, // variant 0 (58), 1 (63)
    SubAudioBalance,   // variant 0 wide (68), 1 narrow (73)
    MicGain,           // item 94
    DtmfLevel,         // item 92
    SeqTone,           // item 97
};

// One transmit procedure: Start keys the radio on its alignment channel with the
// procedure's modulation, the slider (0–255, a tick every 10, page 20, line 1) and the edit
// box send each new value, OK stores it into the procedure's item, and whatever closes the
// window puts the radio back to receive.
class HSliderAlignDialog {
public:
    static constexpr std::uint16_t TEST_TONE = 1000;
    // Sub-audio balance: the CTCSS frequencies the user may enter, in Hz with one decimal (the
    // radio takes them in 0.1 Hz).
    static constexpr double CTCSS_LOWEST_HZ = 60.0;
    static constexpr double CTCSS_HIGHEST_HZ = 260.0;
    static constexpr int CTCSS_DECIMALS = 1;

    HSliderAlignDialog(const AlignmentContext& context, SliderProcedure procedure, int variant);

    // The alignment channel; procedures whose channel the caller chooses take it here
    // before Start.
    void SetChannel(int channel) { m_channel = channel; }
    int Channel() const { return m_channel; }
    // Sub-audio balance: the two CTCSS frequencies the user entered, in Hz, each rounded to
    // 0.1 Hz. They are chosen before Start: a frequency outside the range, or any change once
    // the radio transmits, changes nothing (false).
    bool SetCtcssHz(double first, double second);
    double CtcssHz(int which) const;
    // Which of the two the radio sends (0 or 1); a transmitting radio changes over at once.
    bool SelectCtcssFrequency(int which);
    // True for the procedure that balances two CTCSS frequencies.
    bool UsesCtcssPair() const { return m_procedure == SliderProcedure::SubAudioBalance; }
    int SelectedCtcss() const { return m_ctcssSelected; }
    // For the procedures that adjust a group of five: the alignment point 0–4 whose item the
    // slider sets (2, the band centre, unless chosen). Chosen before Start only: false, and
    // the point kept, once the radio transmits.
    bool SetPoint(int point);
    int Point() const { return m_point; }
    // True when the procedure adjusts one point of a group of five.
    bool AdjustsGroup() const;

    SliderProcedure Procedure() const { return m_procedure; }
    int Variant() const { return m_variant; }
    std::string Title() const;
    // Which power level TX Power aligns ("High", "Low"); empty for the other procedures.
    std::string LevelText() const;
    std::size_t Item() const;
    // The channel information line: frequency, width, tone.
    std::string ChannelLine() const;

    // Receive, the channel, transmit and the procedure's modulation; then the item's value
    // on the slider and sent. A failure shows string 125 and the radio goes back to receive.
    bool Start();
    bool Started() const { return m_started; }
    // The value sent last; before Start, the item's stored value, which Start sends first.
    int Value() const;
    // A new value from the slider, the edit box (Enter) or the arrows. A value equal to the
    // current one, or outside 0–255, sends nothing. False when the send failed.
    bool SetValue(int value);
    bool Right() { return m_value < DaSlider::MAX ? SetValue(m_value + 1) : true; }
    bool Left() { return m_value > DaSlider::MIN ? SetValue(m_value - 1) : true; }
    bool Enter(int typed) { return SetValue(typed); }

    void Ok();
    void Cancel();
    const ProcedureButtons& Buttons() const { return m_buttons; }

private:
    bool Prepare();
    bool Send(int value);
    void Close();

    AlignmentContext m_context;
    SliderProcedure m_procedure;
    int m_variant;
    int m_channel;
    int m_ctcss1 = 670;
    int m_ctcss2 = 2503;
    int m_ctcssSelected = 0;
    int m_point = 2;
    int m_value = 0;
    bool m_started = false;
    ProcedureButtons m_buttons;
};

} // namespace kq70
