#include "service/HBasicAlignment.h"

#include "align/AdjustmentUnits.h"
#include "align/HAdustmentBackUpParams.h"
#include "channel/HChannelData.h"
#include "image/RadioImage.h"
#include "link/HComAlignment.h"
#include "log/HLogPrint.h"
#include "service/HOtherAlign.h"
#include "service/HRxTune.h"
#include "service/HSliderAlignDialog.h"
#include "service/HSqlAlignment.h"
#include "service/HVcoAlignAuto.h"
#include "service/HVcoAlignDialog.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>
#include <memory>

namespace kq70 {

namespace {

using AP = AlignmentProcedure;
using PK = ProcedureKind;

const char* caption(std::size_t procedure) {
    return text::PROCEDURE_CAPTIONS[procedure].data();
}

bool isGroupOfFive(std::size_t item) {
    return std::find(ADJ_GROUP_MIDDLE_ITEMS.begin(), ADJ_GROUP_MIDDLE_ITEMS.end(), item) !=
           ADJ_GROUP_MIDDLE_ITEMS.end();
}

SliderProcedure sliderOf(AlignmentProcedure procedure) {
    switch (procedure) {
    case AP::Frequency:
        return SliderProcedure::FreqDa;
    case AP::TxPowerHigh:
    case AP::TxPowerLow:
        return SliderProcedure::TxPower;
    case AP::MaxDeviationWide:
    case AP::MaxDeviationNarrow:
        return SliderProcedure::MaxDeviation;
    case AP::CtcssDeviationWide:
    case AP::CtcssDeviationNarrow:
        return SliderProcedure::CtcssDeviation;
    case AP::DcsDeviationWide:
    case AP::DcsDeviationNarrow:
        return SliderProcedure::DcsDeviation;
    case AP::ModulationBalance1:
    case AP::ModulationBalance2:
        return SliderProcedure::ModulationBalance;
    case AP::SubAudioBalanceWide:
    case AP::SubAudioBalanceNarrow:
        return SliderProcedure::SubAudioBalance;
    case AP::MicGain:
        return SliderProcedure::MicGain;
    case AP::DtmfLevel:
        return SliderProcedure::DtmfLevel;
    default:
        return SliderProcedure::SeqTone;
    }
}

SqlProcedure measurementOf(AlignmentProcedure procedure) {
    switch (procedure) {
    case AP::ThresholdSqlWide:
    case AP::ThresholdSqlNarrow:
        return SqlProcedure::ThresholdSql;
    case AP::TightSqlWide:
    case AP::TightSqlNarrow:
        return SqlProcedure::TightSql;
    case AP::TightRssiWide:
    case AP::TightRssiNarrow:
        return SqlProcedure::TightRssi;
    default:
        return SqlProcedure::TxSave;
    }
}

} // namespace

HBasicAlignment::HBasicAlignment(HComAlignment& com, HAdustmentBackUpParams& set, RadioImage& image,
                                 Clock& clock, UserPrompt& prompt)
    : m_context{com, set, image, clock, prompt, m_limits} {}

void HBasicAlignment::LoadLimits(const std::string& programFolder) {
    m_context.set.extract(m_context.image);
    m_limits.LoadForBand(programFolder, frequencyBandOf(m_context.image));
    m_context.set.extract(m_context.image);
}

const std::vector<ProcedureEntry>& HBasicAlignment::AllProcedures() {
    static const std::vector<ProcedureEntry> entries = {
        {AP::RxVco, caption(0), PK::VcoAuto, 0},
        {AP::TxVco, caption(1), PK::VcoAuto, 1},
        {AP::Frequency, caption(2), PK::Slider, 0},
        {AP::RxTune, caption(3), PK::RxTune, 0},
        {AP::ThresholdSqlWide, caption(4), PK::Measurement, 0},
        {AP::ThresholdSqlNarrow, caption(5), PK::Measurement, 1},
        {AP::TightSqlWide, caption(6), PK::Measurement, 0},
        {AP::TightSqlNarrow, caption(7), PK::Measurement, 1},
        {AP::TightRssiWide, caption(8), PK::Measurement, 0},
        {AP::TightRssiNarrow, caption(9), PK::Measurement, 1},
        {AP::TxSaveWide, caption(10), PK::Measurement, 0},
        {AP::TxSaveNarrow, caption(11), PK::Measurement, 1},
        {AP::RxVcoManual, caption(12), PK::VcoManual, 0},
        {AP::TxVcoManual, caption(13), PK::VcoManual, 1},
        {AP::TxPowerHigh, caption(14), PK::Slider, 0},
        {AP::TxPowerLow, caption(15), PK::Slider, 1},
        {AP::MaxDeviationWide, caption(16), PK::Slider, 0},
        {AP::MaxDeviationNarrow, caption(17), PK::Slider, 1},
        {AP::CtcssDeviationWide, caption(18), PK::Slider, 0},
        {AP::CtcssDeviationNarrow, caption(19), PK::Slider, 1},
        {AP::DcsDeviationWide, caption(20), PK::Slider, 0},
        {AP::DcsDeviationNarrow, caption(21), PK::Slider, 1},
        {AP::ModulationBalance1, caption(22), PK::Slider, 0},
        {AP::ModulationBalance2, caption(23), PK::Slider, 1},
        {AP::SubAudioBalanceWide, caption(24), PK::Slider, 0},
        {AP::SubAudioBalanceNarrow, caption(25), PK::Slider, 1},
        {AP::MicGain, caption(26), PK::Slider, 0},
        {AP::DtmfLevel, caption(27), PK::Slider, 0},
        {AP::SeqTone, caption(28), PK::Slider, 0},
        {AP::Battery, caption(29), PK::Battery, 0},
    };
    return entries;
}

const std::vector<ProcedureEntry>& HBasicAlignment::Buttons() {
    static const std::vector<ProcedureEntry> buttons(AllProcedures().begin(),
                                                     AllProcedures().begin() + BUTTON_COUNT);
    return buttons;
}

const ProcedureEntry& HBasicAlignment::EntryOf(AlignmentProcedure procedure) {
    return AllProcedures()[static_cast<std::size_t>(procedure)];
}

std::vector<ProcedureSection> HBasicAlignment::Sections() {
    const auto sectionOf = [](ProcedureKind kind) {
        switch (kind) {
        case PK::VcoAuto:
        case PK::VcoManual:
            return SectionKind::Vco;
        case PK::Measurement:
        case PK::RxTune:
            return SectionKind::Receive;
        case PK::Slider:
            return SectionKind::Transmit;
        case PK::Battery:
            return SectionKind::Battery;
        }
        return SectionKind::Transmit;
    };
    // The section captions are in the order of the kinds.
    std::vector<ProcedureSection> sections;
    for (std::size_t i = 0; i < text::PROCEDURE_SECTIONS.size(); ++i) {
        sections.push_back(
            {static_cast<SectionKind>(i), std::string(text::PROCEDURE_SECTIONS[i]), {}});
    }
    for (const ProcedureEntry& entry : AllProcedures()) {
        sections[static_cast<std::size_t>(sectionOf(entry.kind))].entries.push_back(entry);
    }
    return sections;
}

std::string_view HBasicAlignment::HelpTopicOf(ProcedureKind kind) {
    switch (kind) {
    case PK::VcoAuto:
        return help::ALIGNMENT_VCO_AUTO;
    case PK::VcoManual:
        return help::ALIGNMENT_VCO_MANUAL;
    case PK::Slider:
        return help::ALIGNMENT_TRANSMIT;
    case PK::Measurement:
        return help::ALIGNMENT_RECEIVE;
    case PK::RxTune:
        return help::ALIGNMENT_RX_TUNE;
    case PK::Battery:
        return help::ALIGNMENT_BATTERY;
    }
    return HELP_TOPIC;
}

std::vector<std::string> HBasicAlignment::PointCaptions() {
    std::vector<std::string> captions;
    for (std::size_t point = 1; point <= ADJ_POINT_COUNT; ++point) {
        captions.push_back(std::to_string(point));
    }
    return captions;
}

std::vector<HBasicAlignment::ValueField> HBasicAlignment::Fields() const {
    std::vector<ValueField> fields;
    for (std::size_t item : FIELD_ITEMS) {
        const std::string text = item < ADJ_LEVEL_ITEMS ? m_context.set.levelText(item)
                                                        : strprintf("%d", m_context.set.get(item));
        fields.push_back({item, std::string(adjustmentCaption(item)), text});
    }
    return fields;
}

std::vector<HBasicAlignment::GroupRow> HBasicAlignment::Groups() const {
    std::vector<GroupRow> rows;
    for (std::size_t item : m_secondLayout ? GROUP_ITEMS_2 : GROUP_ITEMS) {
        GroupRow row{item, std::string(adjustmentCaption(item)), {}};
        if (isGroupOfFive(item)) {
            for (std::size_t point = 0; point < ADJ_POINT_COUNT; ++point) {
                row.values.push_back(m_context.set.get(item - 2 + point));
            }
        } else {
            row.values.push_back(m_context.set.get(item));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void HBasicAlignment::SetDisplayUnit(int unit) {
    m_context.set.setDisplayUnit(unit);
}

bool HBasicAlignment::ChangeChannel(int channel) {
    if (!m_context.com.ChangeChannel(0, channel)) {
        m_enabled = false;
        m_context.prompt.message(Strings::get(IDS_CHANGE_CHANNEL_ERROR), MessageIcon::Exclamation);
        return false;
    }
    m_channel = channel;
    m_enabled = true;
    return true;
}

void HBasicAlignment::AfterOk() {
    RadioImage& image = m_context.image;
    m_context.set.store(image);
    m_context.set.recomputeChecksum(image);
    auto channels = std::make_unique<HChannelData>();
    channels->extract(image);
    channels->store(image);
    m_context.set.extract(image);
    KQ70_LOG(LOG_D2, LOG_CHANNEL, "adjustment items written back [SUM:%04X]",
             m_context.set.get(ADJ_CHECKSUM));
    m_newValues = true;
}

bool HBasicAlignment::ConfirmDiscard() {
    return !m_newValues ||
           m_context.prompt.messageBox(text::ALIGNMENT_DISCARD_QUESTION, {}, MessageButtons::YesNo,
                                       MessageIcon::Question) == MessageAnswer::Yes;
}

std::unique_ptr<HVcoAlignAuto> HBasicAlignment::MakeVcoAuto(int direction) const {
    return std::make_unique<HVcoAlignAuto>(m_context, direction, m_channel);
}

std::unique_ptr<HVcoAlignDialog> HBasicAlignment::MakeVcoManual(int direction, int point) const {
    return std::make_unique<HVcoAlignDialog>(m_context, direction, point);
}

std::unique_ptr<HSliderAlignDialog>
HBasicAlignment::MakeSlider(AlignmentProcedure procedure) const {
    return std::make_unique<HSliderAlignDialog>(m_context, sliderOf(procedure),
                                                EntryOf(procedure).variant);
}

std::unique_ptr<HSqlAlignment>
HBasicAlignment::MakeMeasurement(AlignmentProcedure procedure) const {
    return std::make_unique<HSqlAlignment>(m_context, measurementOf(procedure),
                                           EntryOf(procedure).variant);
}

std::unique_ptr<HOtherAlign> HBasicAlignment::MakeBattery() const {
    return std::make_unique<HOtherAlign>(m_context);
}

std::unique_ptr<HRxTune> HBasicAlignment::MakeRxTune() const {
    return std::make_unique<HRxTune>(m_context);
}

} // namespace kq70
