#include "service/HRxTune.h"

#include "align/AdjustmentUnits.h"
#include "align/HAdustmentBackUpParams.h"
#include "link/HComAlignment.h"
#include "log/HLogPrint.h"
#include "service/AlignmentChannelInfo.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

namespace {

constexpr int TUNE_STEPS = 256;

} // namespace

HRxTune::HRxTune(const AlignmentContext& context) : m_context(context) {}

std::string HRxTune::Title() const {
    return std::string(text::RX_TUNE_TITLE);
}

std::vector<std::string> HRxTune::DisplayLines() const {
    std::vector<std::string> lines;
    if (m_point < POINTS) {
        const auto info = AlignmentChannelInfo::Of(m_context.image, m_point);
        lines.push_back(strprintf(text::RX_TUNE_POINT_FORMAT.data(),
                                  text::TUNE_POINT_NAMES[static_cast<std::size_t>(m_point)].data(),
                                  info.FrequencyText().c_str(), info.WidthText().c_str()));
    }
    for (int point = 0; point < POINTS; ++point) {
        const PointResult& result = m_results[static_cast<std::size_t>(point)];
        if (result.done) {
            lines.push_back(
                strprintf(text::RX_TUNE_RESULT_FORMAT.data(),
                          text::TUNE_POINT_NAMES[static_cast<std::size_t>(point)].data(),
                          result.tune, result.rssi));
        }
    }
    return lines;
}

std::vector<std::string> HRxTune::GeneratorLines() const {
    const std::string frequency =
        m_point < POINTS ? AlignmentChannelInfo::Of(m_context.image, m_point).FrequencyText()
                         : std::string();
    return {frequency, m_context.set.levelText(ADJ_SG_RX_TUNE_LEVEL),
            formatTenthsKhz(m_context.set.get(ADJ_SG_RX_TUNE_DEVIATION)),
            formatTenthsKhz(m_context.set.get(ADJ_SG_RX_TUNE_MODULATION))};
}

HRxTune::SearchResult HRxTune::Search(int point) {
    HComAlignment& com = m_context.com;
    Clock& clock = m_context.clock;
    const auto vco = static_cast<std::uint8_t>(
        m_context.set.get(ADJ_RX_VCO_LOW + static_cast<std::size_t>(point)) & 0xFF);
    std::array<int, TUNE_STEPS> readings{};
    clock.sleep(SETTLE);
    int peak = 0;
    for (int t = START_TUNE[static_cast<std::size_t>(point)]; t < TUNE_STEPS; ++t) {
        if (!com.SetTxPowerTuneLevel(static_cast<std::uint8_t>(t), vco)) {
            KQ70_LOG(LOG_ER, LOG_CHANNEL, "RX tune: level %d not sent", t);
            return {};
        }
        clock.sleep(PAUSE);
        std::array<std::uint8_t, AD_DATA_COUNT> data{};
        if (!com.ReadAdData(data)) {
            KQ70_LOG(LOG_ER, LOG_CHANNEL, "RX tune: A/D read failed at %d", t);
            return {};
        }
        const int rssi = data[AD_RSSI];
        readings[static_cast<std::size_t>(t)] = rssi;
        if (rssi > peak) {
            peak = rssi;
        } else if (peak - rssi > FALL_LIMIT) {
            break;
        }
        clock.sleep(PAUSE);
    }
    if (peak == 0) {
        // No signal at any tune value: the cleared readings would make a "peak" of nothing.
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "RX tune: no signal at point %d", point);
        return {};
    }
    SearchResult result;
    result.peakFirst = 0;
    while (readings[static_cast<std::size_t>(result.peakFirst)] != peak) {
        ++result.peakFirst;
    }
    result.peakLast = TUNE_STEPS - 1;
    while (readings[static_cast<std::size_t>(result.peakLast)] != peak) {
        --result.peakLast;
    }
    result.ok = true;
    result.tune = (result.peakFirst + result.peakLast) / 2;
    result.rssi = readings[static_cast<std::size_t>(result.tune)];
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "RX tune peak [POINT:%d][FROM:%d][TO:%d]", point,
             result.peakFirst, result.peakLast);
    return result;
}

bool HRxTune::Start() {
    if (m_point >= POINTS) {
        return false;
    }
    HComAlignment& com = m_context.com;
    bool ready = com.RequestRx();
    m_context.clock.sleep(PAUSE);
    ready = ready && com.ChangeChannel(0, m_point);
    m_context.clock.sleep(PAUSE);
    if (!ready) {
        m_context.prompt.message(Strings::get(IDS_INITIAL_PROCESSING_FAILED),
                                 MessageIcon::Exclamation);
        return false;
    }
    const SearchResult result = Search(m_point);
    if (!result.ok) {
        m_context.prompt.message(Strings::get(IDS_TUNE_ALIGNMENT_FAILED), MessageIcon::Exclamation);
        return false;
    }
    m_results[static_cast<std::size_t>(m_point)] = {result.tune, result.rssi, true};
    ++m_point;
    const bool done = m_point >= POINTS;
    m_buttons.startVisible = !done;
    m_buttons.okVisible = done;
    m_buttons.focus = done ? ProcedureFocus::Ok : ProcedureFocus::Start;
    return true;
}

bool HRxTune::Ok() {
    if (m_point < POINTS) {
        return false;
    }
    for (int point = 0; point < POINTS; ++point) {
        m_context.set.set(ADJ_RX_TUNE_LOW + static_cast<std::size_t>(point),
                          m_results[static_cast<std::size_t>(point)].tune);
    }
    return true;
}

} // namespace kq70
