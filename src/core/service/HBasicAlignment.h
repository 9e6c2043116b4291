#pragma once

#include "service/AlignmentContext.h"
#include "service/VcoLimits.h"
#include "ui/HelpTopics.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class HOtherAlign;
class HRxTune;
class HSliderAlignDialog;
class HSqlAlignment;
class HVcoAlignAuto;
class HVcoAlignDialog;

// Every procedure an alignment window can start.
enum class AlignmentProcedure {
    RxVco,
    TxVco,
    Frequency,
    RxTune,
    ThresholdSqlWide,
    ThresholdSqlNarrow,
    TightSqlWide,
    TightSqlNarrow,
    TightRssiWide,
    TightRssiNarrow,
    TxSaveWide,
    TxSaveNarrow,
    // Beyond the twelve buttons, from the window's further procedures.
    RxVcoManual,
    TxVcoManual,
    TxPowerHigh,
    TxPowerLow,
    MaxDeviationWide,
    MaxDeviationNarrow,
    CtcssDeviationWide,
    CtcssDeviationNarrow,
    DcsDeviationWide,
    DcsDeviationNarrow,
    ModulationBalance1,
    ModulationBalance2,
    SubAudioBalanceWide,
    SubAudioBalanceNarrow,
    MicGain,
    DtmfLevel,
    SeqTone,
    Battery,
};

// How a procedure runs, so a window knows which procedure window to show.
enum class ProcedureKind { VcoAuto, VcoManual, Slider, Measurement, Battery, RxTune };

struct ProcedureEntry {
    AlignmentProcedure procedure;
    const char* caption;
    ProcedureKind kind;
    int variant;
};

// What the procedures of a section align.
enum class SectionKind { Vco, Receive, Transmit, Battery };

// Procedures the window shows together under one caption.
struct ProcedureSection {
    SectionKind kind;
    std::string caption;
    std::vector<ProcedureEntry> entries;
};

// The alignment window of a pass: twelve START buttons (and the further procedures), the
// current values of eighteen items and of the item groups, the level unit, and what happens
// around every procedure: the channel change before a step and the write-back into the
// working image after an OK. It owns the band's VCO limits; the procedures it makes work on
// its context.
class HBasicAlignment {
public:
    static constexpr std::size_t FIELD_COUNT = 18;
    static constexpr std::size_t BUTTON_COUNT = 12;
    static constexpr std::array<std::size_t, FIELD_COUNT> FIELD_ITEMS = {
        88, 87, 86, 91, 90, 89, 93, 13, 14, 15, 2, 6, 3, 7, 0, 4, 1, 5};
    static constexpr std::array<std::size_t, 15> GROUP_ITEMS = {18, 23, 28, 33, 38, 43, 48, 53,
                                                                68, 73, 94, 97, 92, 95, 96};
    // The second layout shows the modulation balance groups where the first shows the
    // sub-audio balance.
    static constexpr std::array<std::size_t, 15> GROUP_ITEMS_2 = {18, 23, 28, 33, 38, 43, 48, 53,
                                                                  58, 63, 94, 97, 92, 95, 96};
    static constexpr int DEFAULT_CHANNEL = 1;
    static constexpr std::string_view HELP_TOPIC = help::ALIGNMENT_WINDOW;

    struct ValueField {
        std::size_t item;
        std::string caption;
        std::string text;
    };
    struct GroupRow {
        std::size_t item;
        std::string caption;
        // The five points of a group of five; a single item shows its value once.
        std::vector<int> values;
    };

    HBasicAlignment(HComAlignment& com, HAdustmentBackUpParams& set, RadioImage& image,
                    Clock& clock, UserPrompt& prompt);
    HBasicAlignment(const HBasicAlignment&) = delete;
    HBasicAlignment& operator=(const HBasicAlignment&) = delete;

    // The items from the working image, the band's limits (the program folder's limits file
    // or the built-in one), the items again.
    void LoadLimits(const std::string& programFolder);
    const VcoLimits& Limits() const { return m_limits; }
    VcoLimits& Limits() { return m_limits; }
    const AlignmentContext& Context() const { return m_context; }

    // The twelve buttons in order, and every procedure the window can start.
    static const std::vector<ProcedureEntry>& Buttons();
    static const std::vector<ProcedureEntry>& AllProcedures();
    static const ProcedureEntry& EntryOf(AlignmentProcedure procedure);
    // Every procedure by what it aligns: VCO, receive, transmit, battery; each in list order.
    static std::vector<ProcedureSection> Sections();
    // The help section of a procedure's window.
    static std::string_view HelpTopicOf(ProcedureKind kind);
    // The captions of the five alignment points of an item group, low edge first.
    static std::vector<std::string> PointCaptions();

    std::vector<ValueField> Fields() const;
    std::vector<GroupRow> Groups() const;
    void SetSecondLayout(bool second) { m_secondLayout = second; }
    // The level unit (0–4) the squelch and RSSI items are shown in.
    void SetDisplayUnit(int unit);

    // ChangeChannel with group 0; on failure string 129 and every control disabled.
    bool ChangeChannel(int channel);
    bool ControlsEnabled() const { return m_enabled; }
    int CurrentChannel() const { return m_channel; }

    // After a procedure ended with OK: the items into the working image, the checksum, the
    // channel data rebuilt over the new items, the items read back.
    void AfterOk();
    // True once a procedure ended with OK: leaving without OK would discard new values.
    bool HasNewValues() const { return m_newValues; }
    // Cancel, Escape or closing the window writes the radio's former data back; with new
    // values the user says Yes to that first. True when the window may go.
    bool ConfirmDiscard();

    // The procedure windows, on this window's context.
    std::unique_ptr<HVcoAlignAuto> MakeVcoAuto(int direction) const;
    std::unique_ptr<HVcoAlignDialog> MakeVcoManual(int direction, int point) const;
    std::unique_ptr<HSliderAlignDialog> MakeSlider(AlignmentProcedure procedure) const;
    std::unique_ptr<HSqlAlignment> MakeMeasurement(AlignmentProcedure procedure) const;
    std::unique_ptr<HOtherAlign> MakeBattery() const;
    std::unique_ptr<HRxTune> MakeRxTune() const;

private:
    VcoLimits m_limits;
    AlignmentContext m_context;
    int m_channel = DEFAULT_CHANNEL;
    bool m_enabled = true;
    bool m_secondLayout = false;
    bool m_newValues = false;
};

} // namespace kq70
