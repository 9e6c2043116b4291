#include "service/HOtherAlign.h"

#include "align/AdjustmentUnits.h"
#include "align/HAdustmentBackUpParams.h"
#include "link/HComAlignment.h"
#include "log/HLogPrint.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <array>

namespace kq70 {

HOtherAlign::HOtherAlign(const AlignmentContext& context) : m_context(context) {}

std::string HOtherAlign::Title() const {
    return std::string(text::BATTERY_TITLE);
}

std::string HOtherAlign::PromptText() const {
    return std::string(text::BATTERY_PROMPTS[static_cast<std::size_t>(m_step)]);
}

bool HOtherAlign::Start() {
    if (m_step >= STEPS_DONE) {
        return false;
    }
    m_sum = 0;
    m_count = 0;
    const bool ok = m_context.com.RequestRx() && m_context.com.ChangeChannel(0, m_channel);
    m_context.clock.sleep(CHANNEL_PAUSE);
    if (!ok) {
        m_context.prompt.message(Strings::get(IDS_INITIAL_PROCESSING_FAILED),
                                 MessageIcon::Exclamation);
        return false;
    }
    m_sampling = true;
    m_buttons.startEnabled = false;
    m_buttons.cancelEnabled = false;
    return true;
}

bool HOtherAlign::Sample() {
    if (!m_sampling) {
        return false;
    }
    std::array<std::uint8_t, AD_DATA_COUNT> data{};
    if (!m_context.com.ReadAdData(data)) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "Battery: A/D read failed at step %d", m_step);
        StopSampling();
        m_context.prompt.message(Strings::get(IDS_INITIAL_PROCESSING_FAILED),
                                 MessageIcon::Exclamation);
        return false;
    }
    m_sum += data[AD_BATTERY];
    if (++m_count < SAMPLE_COUNT) {
        return true;
    }
    Finish();
    return false;
}

void HOtherAlign::StopSampling() {
    m_sampling = false;
    m_buttons.startEnabled = true;
    m_buttons.cancelEnabled = true;
}

void HOtherAlign::Finish() {
    m_sampling = false;
    const int result = m_sum / SAMPLE_COUNT;
    if (m_step == 0) {
        m_lowBattery = result;
    } else if (m_step == 1) {
        m_eepromProtect = result;
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "Battery step %d [AD:%d]", m_step, result);
    ++m_step;
    const bool done = m_step >= STEPS_DONE;
    m_buttons.startVisible = !done;
    m_buttons.startEnabled = !done;
    m_buttons.cancelEnabled = true;
    m_buttons.okVisible = done;
    m_buttons.focus = done ? ProcedureFocus::Ok : ProcedureFocus::Start;
}

bool HOtherAlign::RunSampling(const SamplingWatch& watch) {
    const int step = m_step;
    const auto sample = [this] { return Sample(); };
    if (m_sampling && !RunSamples(m_context.clock, sample, m_count, watch)) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "Battery step %d stopped after %d samples", m_step, m_count);
        StopSampling();
    }
    return m_step > step;
}

std::array<HOtherAlign::LevelField, 2> HOtherAlign::Levels() const {
    const auto field = [this](std::size_t item, int level, int step) {
        return LevelField{std::string(adjustmentCaption(item)),
                          m_step > step ? strprintf("%d", level) : std::string()};
    };
    return {field(ADJ_LOW_BATTERY_LEVEL, m_lowBattery, 0),
            field(ADJ_EEPROM_PROTECT_LEVEL, m_eepromProtect, 1)};
}

bool HOtherAlign::Ok() {
    if (m_step < STEPS_DONE) {
        return false;
    }
    m_context.set.set(ADJ_LOW_BATTERY_LEVEL, m_lowBattery);
    m_context.set.set(ADJ_EEPROM_PROTECT_LEVEL, m_eepromProtect);
    return true;
}

} // namespace kq70
