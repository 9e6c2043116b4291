#include "service/HSqlAlignment.h"

#include "align/AdjustmentUnits.h"
#include "align/HAdustmentBackUpParams.h"
#include "link/HComAlignment.h"
#include "log/HLogPrint.h"
#include "service/AlignmentChannelInfo.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>
#include <array>

namespace kq70 {

namespace {

constexpr int TRIMMED_COUNT = SAMPLE_COUNT - 2;
constexpr std::array<int, 2> DEFAULT_CHANNELS = {1, 4}; // wide, narrow

struct SqlRow {
    std::size_t wideItem;
    std::size_t levelItem; // 0: none
    std::size_t deviationItem;
    std::size_t modulationItem;
};

const SqlRow& sqlRowOf(SqlProcedure procedure) {
    static constexpr SqlRow ROWS[] = {
        {ADJ_THRESHOLD_NSQ_WIDE, ADJ_SG_THRESHOLD_NSQ_LEVEL, ADJ_SG_THRESHOLD_NSQ_DEVIATION,
         ADJ_SG_THRESHOLD_NSQ_MODULATION},
        {ADJ_TIGHT_NSQ_WIDE, ADJ_SG_TIGHT_NSQ_LEVEL, ADJ_SG_TIGHT_NSQ_DEVIATION,
         ADJ_SG_TIGHT_NSQ_MODULATION},
        {ADJ_TIGHT_RSSI_WIDE, 0, 0, 0},
        {ADJ_TX_SAVE_WIDE, ADJ_SG_TX_SAVE_LEVEL, 0, 0},
    };
    return ROWS[static_cast<std::size_t>(procedure)];
}

} // namespace

void HSqlAlignment::Series::Add(int value) {
    sum += value;
    largest = count == 0 ? value : std::max(largest, value);
    smallest = count == 0 ? value : std::min(smallest, value);
    ++count;
}

int HSqlAlignment::Series::Mean() const {
    return (sum - largest - smallest) / TRIMMED_COUNT;
}

HSqlAlignment::HSqlAlignment(const AlignmentContext& context, SqlProcedure procedure, int variant)
    : m_context(context), m_procedure(procedure), m_variant(variant == 1 ? 1 : 0),
      m_channel(DEFAULT_CHANNELS[static_cast<std::size_t>(m_variant)]) {}

std::string HSqlAlignment::Title() const {
    return std::string(text::MEASUREMENT_TITLES[static_cast<std::size_t>(m_procedure)]);
}

std::size_t HSqlAlignment::Item() const {
    return sqlRowOf(m_procedure).wideItem + ADJ_NARROW_STEP * static_cast<std::size_t>(m_variant);
}

std::vector<std::string> HSqlAlignment::GeneratorLines() const {
    const SqlRow& row = sqlRowOf(m_procedure);
    const auto variantItem = [this](std::size_t item) {
        return item + static_cast<std::size_t>(m_variant);
    };
    std::vector<std::string> lines = {
        AlignmentChannelInfo::Of(m_context.image, m_channel).FrequencyText()};
    if (row.levelItem != 0) {
        lines.push_back(m_context.set.levelText(variantItem(row.levelItem)));
    }
    if (row.deviationItem != 0) {
        lines.push_back(formatTenthsKhz(m_context.set.get(variantItem(row.deviationItem))));
        lines.push_back(formatTenthsKhz(m_context.set.get(variantItem(row.modulationItem))));
    }
    return lines;
}

bool HSqlAlignment::ReadsNsq() const {
    return m_procedure == SqlProcedure::ThresholdSql || m_procedure == SqlProcedure::TightSql;
}

bool HSqlAlignment::Start() {
    m_nsq = {};
    m_rssi = {};
    m_taken = 0;
    m_failed = false;
    if (!m_context.com.RequestRx() || !m_context.com.ChangeChannel(0, m_channel)) {
        m_context.prompt.message(Strings::get(IDS_INITIAL_PROCESSING_FAILED),
                                 MessageIcon::Exclamation);
        return false;
    }
    m_sampling = true;
    m_buttons.startEnabled = false;
    m_buttons.cancelEnabled = false;
    return true;
}

bool HSqlAlignment::Read(int index, int& value) {
    std::array<std::uint8_t, AD_DATA_COUNT> data{};
    if (!m_context.com.ReadAdData(data)) {
        return false;
    }
    value = data[static_cast<std::size_t>(index)];
    return true;
}

void HSqlAlignment::StopSampling() {
    m_sampling = false;
    m_buttons.startEnabled = true;
    m_buttons.cancelEnabled = true;
}

void HSqlAlignment::Fail() {
    KQ70_LOG(LOG_WR, LOG_CHANNEL, "%s: A/D read failed", Title().c_str());
    StopSampling();
    m_failed = true;
    m_context.prompt.message(Strings::get(IDS_INITIAL_PROCESSING_FAILED), MessageIcon::Exclamation);
}

bool HSqlAlignment::Sample() {
    if (!m_sampling) {
        return false;
    }
    int rssi = 0;
    if (!Read(AD_RSSI, rssi)) {
        Fail();
        return false;
    }
    m_rssi.Add(rssi);
    if (ReadsNsq()) {
        int nsq = 0;
        if (!Read(AD_NSQ, nsq)) {
            Fail();
            return false;
        }
        m_nsq.Add(nsq);
    }
    if (++m_taken < SAMPLE_COUNT) {
        return true;
    }
    StopSampling();
    m_buttons.okVisible = true;
    m_buttons.focus = ProcedureFocus::Ok;
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "%s [NSQ:%d][RSSI:%d]", Title().c_str(), NsqResult(),
             RssiResult());
    return false;
}

bool HSqlAlignment::RunSampling(const SamplingWatch& watch) {
    const auto sample = [this] { return Sample(); };
    if (m_sampling && !RunSamples(m_context.clock, sample, m_taken, watch)) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "%s: stopped after %d samples", Title().c_str(), m_taken);
        StopSampling();
    }
    return Finished();
}

std::string HSqlAlignment::NsqText() const {
    return strprintf("%d", NsqResult());
}

std::string HSqlAlignment::RssiText() const {
    return strprintf("%d", RssiResult());
}

bool HSqlAlignment::Ok() {
    if (!Finished()) {
        return false;
    }
    m_context.set.set(Item(), ReadsNsq() ? NsqResult() : RssiResult());
    return true;
}

} // namespace kq70
