#include "service/HBasicAlignment.h"

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

constexpr int LOG_CHANNEL = 0;
using AP = AlignmentProcedure;
using PK = ProcedureKind;

const char* fieldCaption(std::size_t item) {
    switch (item) {
    case 88:
        return "RX VCO High";
    case 87:
        return "RX VCO Middle";
    case 86:
        return "RX VCO Low";
    case 91:
        return "TX VCO High";
    case 90:
        return "TX VCO Middle";
    case 89:
        return "TX VCO Low";
    case 93:
        return "Freq DA";
    case 13:
        return "RX Tune Low";
    case 14:
        return "RX Tune Middle";
    case 15:
        return "RX Tune High";
    case 2:
        return "Threshold SQL Wide";
    case 6:
        return "Threshold SQL Narrow";
    case 3:
        return "Tight SQL Wide";
    case 7:
        return "Tight SQL Narrow";
    case 0:
        return "Tight RSSI Wide";
    case 4:
        return "Tight RSSI Narrow";
    case 1:
        return "TX SAVE Wide";
    case 5:
        return "TX SAVE Narrow";
    default:
        return "";
    }
}

const char* groupCaption(std::size_t item) {
    switch (item) {
    case 18:
        return "TX Power High";
    case 23:
        return "TX Power Low";
    case 28:
        return "Max Deviation Wide";
    case 33:
        return "Max Deviation Narrow";
    case 38:
        return "CTCSS Deviation Wide";
    case 43:
        return "CTCSS Deviation Narrow";
    case 48:
        return "DCS Deviation Wide";
    case 53:
        return "DCS Deviation Narrow";
    case 58:
        return "Modulation Balance 1";
    case 63:
        return "Modulation Balance 2";
    case 68:
        return "Sub-Audio Bal Wide";
    case 73:
        return "Sub-Audio Bal Narrow";
    case 92:
        return "DTMF/BEEP";
    case 94:
        return "Mic Gain";
    case 95:
        return "Low Battery";
    case 96:
        return "EEPROM Protect";
    case 97:
        return "Seq Tone";
    default:
        return "";
    }
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
        {AP::RxVco, "RX VCO", PK::VcoAuto, 0},
        {AP::TxVco, "TX VCO", PK::VcoAuto, 1},
        {AP::Frequency, "Frequency", PK::Slider, 0},
        {AP::RxTune, "RX Tune", PK::RxTune, 0},
        {AP::ThresholdSqlWide, "Threshold SQL Wide", PK::Measurement, 0},
        {AP::ThresholdSqlNarrow, "Threshold SQL Narrow", PK::Measurement, 1},
        {AP::TightSqlWide, "Tight SQL Wide", PK::Measurement, 0},
        {AP::TightSqlNarrow, "Tight SQL Narrow", PK::Measurement, 1},
        {AP::TightRssiWide, "Tight RSSI Wide", PK::Measurement, 0},
        {AP::TightRssiNarrow, "Tight RSSI Narrow", PK::Measurement, 1},
        {AP::TxSaveWide, "TX SAVE Wide", PK::Measurement, 0},
        {AP::TxSaveNarrow, "TX SAVE Narrow", PK::Measurement, 1},
        {AP::RxVcoManual, "RX VCO (manual)", PK::VcoManual, 0},
        {AP::TxVcoManual, "TX VCO (manual)", PK::VcoManual, 1},
        {AP::TxPowerHigh, "TX Power High", PK::Slider, 0},
        {AP::TxPowerLow, "TX Power Low", PK::Slider, 1},
        {AP::MaxDeviationWide, "Max Deviation Wide", PK::Slider, 0},
        {AP::MaxDeviationNarrow, "Max Deviation Narrow", PK::Slider, 1},
        {AP::CtcssDeviationWide, "CTCSS Deviation Wide", PK::Slider, 0},
        {AP::CtcssDeviationNarrow, "CTCSS Deviation Narrow", PK::Slider, 1},
        {AP::DcsDeviationWide, "DCS Deviation Wide", PK::Slider, 0},
        {AP::DcsDeviationNarrow, "DCS Deviation Narrow", PK::Slider, 1},
        {AP::ModulationBalance1, "Modulation Balance 1", PK::Slider, 0},
        {AP::ModulationBalance2, "Modulation Balance 2", PK::Slider, 1},
        {AP::SubAudioBalanceWide, "Sub-Audio Bal Wide", PK::Slider, 0},
        {AP::SubAudioBalanceNarrow, "Sub-Audio Bal Narrow", PK::Slider, 1},
        {AP::MicGain, "Mic Gain", PK::Slider, 0},
        {AP::DtmfLevel, "DTMF/BEEP", PK::Slider, 0},
        {AP::SeqTone, "Seq Tone", PK::Slider, 0},
        {AP::Battery, "Battery", PK::Battery, 0},
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

std::vector<HBasicAlignment::ValueField> HBasicAlignment::Fields() const {
    std::vector<ValueField> fields;
    for (std::size_t item : FIELD_ITEMS) {
        const std::string text = item < ADJ_LEVEL_ITEMS ? m_context.set.levelText(item)
                                                        : strprintf("%d", m_context.set.get(item));
        fields.push_back({item, fieldCaption(item), text});
    }
    return fields;
}

std::vector<HBasicAlignment::GroupRow> HBasicAlignment::Groups() const {
    std::vector<GroupRow> rows;
    for (std::size_t item : m_secondLayout ? GROUP_ITEMS_2 : GROUP_ITEMS) {
        GroupRow row{item, groupCaption(item), {}};
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
