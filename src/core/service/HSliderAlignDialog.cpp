#include "service/HSliderAlignDialog.h"

#include "align/HAdustmentBackUpParams.h"
#include "channel/HChannelRecord.h"
#include "link/HComAlignment.h"
#include "log/HLogPrint.h"
#include "service/AlignmentChannelInfo.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace kq70 {

namespace {

struct SliderRow {
    std::array<std::size_t, 2> items; // by variant
    std::array<int, 2> channels;      // default alignment channel by variant
    bool showsChangeFailure;          // a failed change is shown (126), not only logged
};

const SliderRow& sliderRowOf(SliderProcedure procedure) {
    static constexpr SliderRow ROWS[] = {
        {{ADJ_FREQ_DA, ADJ_FREQ_DA}, {1, 1}, false},
        {{ADJ_TX_POWER_HIGH, ADJ_TX_POWER_LOW}, {6, 1}, false},
        {{ADJ_MAX_DEVIATION_WIDE, ADJ_MAX_DEVIATION_NARROW}, {1, 4}, false},
        {{ADJ_CTCSS_DEVIATION_WIDE, ADJ_CTCSS_DEVIATION_NARROW}, {3, 7}, false},
        {{ADJ_DCS_DEVIATION_WIDE, ADJ_DCS_DEVIATION_NARROW}, {5, 8}, false},
        {{ADJ_MODULATION_BALANCE_1, ADJ_MODULATION_BALANCE_2}, {1, 4}, true},
        {{ADJ_SUB_AUDIO_BALANCE_WIDE, ADJ_SUB_AUDIO_BALANCE_NARROW}, {1, 4}, false},
        {{ADJ_MIC_GAIN, ADJ_MIC_GAIN}, {1, 1}, false},
        {{ADJ_DTMF_LEVEL, ADJ_DTMF_LEVEL}, {1, 1}, false},
        {{ADJ_SEQUENTIAL_TONE_DEVIATION, ADJ_SEQUENTIAL_TONE_DEVIATION}, {1, 1}, true},
    };
    return ROWS[static_cast<std::size_t>(procedure)];
}

std::uint8_t byteOf(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// An entered CTCSS frequency in the radio's 0.1 Hz; nothing outside the range.
std::optional<int> ctcssTenths(double hz) {
    const double tenths = std::round(hz * 10.0);
    if (!(tenths >= HSliderAlignDialog::CTCSS_LOWEST_HZ * 10.0 &&
          tenths <= HSliderAlignDialog::CTCSS_HIGHEST_HZ * 10.0)) {
        return std::nullopt;
    }
    return static_cast<int>(tenths);
}

} // namespace

HSliderAlignDialog::HSliderAlignDialog(const AlignmentContext& context, SliderProcedure procedure,
                                       int variant)
    : m_context(context), m_procedure(procedure), m_variant(variant == 1 ? 1 : 0),
      m_channel(sliderRowOf(procedure).channels[static_cast<std::size_t>(m_variant)]) {
    m_buttons.okVisible = true;
    m_buttons.okEnabled = false;
}

bool HSliderAlignDialog::SetCtcssHz(double first, double second) {
    const auto tenths1 = ctcssTenths(first);
    const auto tenths2 = ctcssTenths(second);
    if (m_started || !tenths1 || !tenths2) {
        return false;
    }
    m_ctcss1 = *tenths1;
    m_ctcss2 = *tenths2;
    return true;
}

double HSliderAlignDialog::CtcssHz(int which) const {
    return (which == 1 ? m_ctcss2 : m_ctcss1) / 10.0;
}

bool HSliderAlignDialog::SelectCtcssFrequency(int which) {
    m_ctcssSelected = which == 1 ? 1 : 0;
    if (!m_started || m_procedure != SliderProcedure::SubAudioBalance) {
        return true;
    }
    const int tone = m_ctcssSelected == 1 ? m_ctcss2 : m_ctcss1;
    return m_context.com.SetSubAudioModulation(true, 0, static_cast<std::uint16_t>(tone));
}

bool HSliderAlignDialog::SetPoint(int point) {
    if (m_started) {
        return false;
    }
    m_point = std::clamp(point, 0, static_cast<int>(ADJ_POINT_COUNT) - 1);
    return true;
}

std::string HSliderAlignDialog::Title() const {
    return std::string(text::SLIDER_TITLES[static_cast<std::size_t>(m_procedure)]);
}

std::string HSliderAlignDialog::LevelText() const {
    return m_procedure == SliderProcedure::TxPower
               ? std::string(text::TX_POWER_LEVELS[static_cast<std::size_t>(m_variant)])
               : std::string();
}

int HSliderAlignDialog::Value() const {
    return m_started ? m_value : DaSlider::Clamp(m_context.set.get(Item()));
}

bool HSliderAlignDialog::AdjustsGroup() const {
    const std::size_t item = sliderRowOf(m_procedure).items[static_cast<std::size_t>(m_variant)];
    return std::find(ADJ_GROUP_MIDDLE_ITEMS.begin(), ADJ_GROUP_MIDDLE_ITEMS.end(), item) !=
           ADJ_GROUP_MIDDLE_ITEMS.end();
}

std::size_t HSliderAlignDialog::Item() const {
    const std::size_t item = sliderRowOf(m_procedure).items[static_cast<std::size_t>(m_variant)];
    return AdjustsGroup() ? item - 2 + static_cast<std::size_t>(m_point) : item;
}

std::string HSliderAlignDialog::ChannelLine() const {
    const auto info = AlignmentChannelInfo::Of(m_context.image, m_channel);
    std::string line = info.FrequencyText() + "  " + info.WidthText();
    const std::string tone = info.ToneText();
    return tone.empty() ? line : line + "  " + tone;
}

// What keys the transmitter with the procedure's modulation, after receive, the channel and
// transmit.
bool HSliderAlignDialog::Prepare() {
    HComAlignment& com = m_context.com;
    const auto info = AlignmentChannelInfo::Of(m_context.image, m_channel);
    const std::uint8_t freqDa = byteOf(m_context.set.get(ADJ_FREQ_DA));
    const std::uint8_t micGain = byteOf(m_context.set.get(ADJ_MIC_GAIN));
    const auto power = [&] {
        return com.SetTxPowerTuneLevel(byteOf(info.txPowerDa), byteOf(info.txAlignDa));
    };
    const auto subAudioOff = [&] { return com.SetSubAudioModulation(false, 0, 0); };
    const auto referenceAndMic = [&] { return com.SetFreqDa(freqDa, micGain, 0); };
    switch (m_procedure) {
    case SliderProcedure::FreqDa:
        return power();
    case SliderProcedure::TxPower:
        return subAudioOff();
    case SliderProcedure::MaxDeviation:
    case SliderProcedure::DtmfLevel:
    case SliderProcedure::SeqTone:
        return subAudioOff() && referenceAndMic() && power() && com.StartModulation(TEST_TONE);
    case SliderProcedure::CtcssDeviation:
    case SliderProcedure::DcsDeviation: {
        const bool dcs = m_procedure == SliderProcedure::DcsDeviation;
        const int code = info.toneMode != 0 ? info.toneCode : dcs ? 023 : 885;
        return power() && com.SetSubAudioModulation(true, dcs || info.toneMode == TONE_DCS ? 1 : 0,
                                                    static_cast<std::uint16_t>(code));
    }
    case SliderProcedure::ModulationBalance:
        return referenceAndMic() && power() && com.StartModulation(TEST_TONE);
    case SliderProcedure::SubAudioBalance:
        return power() &&
               com.SetSubAudioModulation(
                   true, 0, static_cast<std::uint16_t>(m_ctcssSelected == 1 ? m_ctcss2 : m_ctcss1));
    case SliderProcedure::MicGain:
        return subAudioOff() && power();
    }
    return false;
}

bool HSliderAlignDialog::Send(int value) {
    HComAlignment& com = m_context.com;
    const auto info = AlignmentChannelInfo::Of(m_context.image, m_channel);
    const std::uint8_t v = byteOf(value);
    switch (m_procedure) {
    case SliderProcedure::TxPower:
        return com.SetTxPowerTuneLevel(v, byteOf(info.txAlignDa));
    case SliderProcedure::FreqDa:
        return com.SetFreqDa(v, byteOf(m_context.set.get(ADJ_MIC_GAIN)), 0);
    case SliderProcedure::MicGain:
        return com.SetFreqDa(byteOf(m_context.set.get(ADJ_FREQ_DA)), v, 0);
    default:
        return com.SetAdjustLevel(v, 0, 0);
    }
}

bool HSliderAlignDialog::Start() {
    HComAlignment& com = m_context.com;
    const bool ok =
        com.RequestRx() && com.ChangeChannel(0, m_channel) && com.RequestTx() && Prepare();
    if (!ok) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "%s: start failed", Title().c_str());
        m_context.prompt.message(Strings::get(IDS_INITIAL_PROCESSING_FAILED),
                                 MessageIcon::Exclamation);
        Close();
        return false;
    }
    m_value = DaSlider::Clamp(m_context.set.get(Item()));
    if (!Send(m_value)) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "%s: first value not sent", Title().c_str());
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "Mobile Tx Power[POWER:%d]", m_value);
    m_started = true;
    m_buttons.startEnabled = false;
    m_buttons.okEnabled = true;
    m_buttons.focus = ProcedureFocus::Ok;
    return true;
}

bool HSliderAlignDialog::SetValue(int value) {
    if (!m_started || value == m_value || !DaSlider::Holds(value)) {
        return true;
    }
    m_value = value;
    KQ70_LOG(LOG_D2, LOG_CHANNEL, "Tx Power[POWER:%d]", value);
    if (Send(value)) {
        return true;
    }
    KQ70_LOG(LOG_WR, LOG_CHANNEL, "%s: value %d not sent", Title().c_str(), value);
    if (sliderRowOf(m_procedure).showsChangeFailure) {
        m_context.prompt.message(Strings::get(IDS_CHANGE_PROCESSING_FAILED),
                                 MessageIcon::Exclamation);
    }
    return false;
}

void HSliderAlignDialog::Ok() {
    if (m_started) {
        m_context.set.set(Item(), m_value);
    }
    Close();
}

void HSliderAlignDialog::Cancel() {
    Close();
}

void HSliderAlignDialog::Close() {
    if (!m_context.com.RequestRx()) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "%s: RequestRx failed", Title().c_str());
    }
    m_started = false;
}

} // namespace kq70
