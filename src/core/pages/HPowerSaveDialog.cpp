#include "pages/HPowerSaveDialog.h"

#include "ui/Strings.h"

#include <array>
#include <string_view>

namespace kq70 {

namespace {

using P = HPowerSaveParams;

constexpr ComboEntry TRANSMIT_TIMER_ENTRIES[] = {{"0.5 min", 0}, {"1   min", 1}, {"2   min", 2},
                                                 {"3   min", 3}, {"4   min", 4}, {"5   min", 5},
                                                 {"6   min", 6}, {"7   min", 7}};
constexpr ComboEntry PENALTY_TIMER_ENTRIES[] = {
    {"0  sec", 0}, {"6  sec", 1}, {"20 sec", 2}, {"60 sec", 3}};
constexpr ComboEntry RELEASE_TIMER_ENTRIES[] = {
    {"0 sec", 0}, {"2 sec", 1}, {"3 sec", 2}, {"5 sec", 3}};
constexpr ComboEntry POWER_SAVE_MODE_ENTRIES[] = {{"ABS", 0},     {"1 : 1", 1},   {"1 : 1.5", 2},
                                                  {"1 : 2", 3},   {"1 : 2.5", 4}, {"1 : 3", 5},
                                                  {"1 : 3.5", 6}, {"1 : 4", 7}};
constexpr ComboEntry LCD_LIGHTING_MODE_ENTRIES[] = {{"Lamp Key", 0}, {"Key ON 5sec", 1}};
constexpr ComboEntry LOW_BATTERY_INTERVAL_ENTRIES[] = {
    {"0.5 sec", 0}, {"2 sec", 1}, {"5 sec", 2}, {"10sec", 3}};
constexpr ComboEntry MIC_GAIN_ENTRIES[] = {{"Standard", 0}, {"+6dB", 1}, {"-6dB", 2}};

constexpr ComboDefinition TRANSMIT_TIMER_COMBO = textCombo(TRANSMIT_TIMER_ENTRIES);
constexpr ComboDefinition PENALTY_TIMER_COMBO = textCombo(PENALTY_TIMER_ENTRIES);
constexpr ComboDefinition RELEASE_TIMER_COMBO = textCombo(RELEASE_TIMER_ENTRIES);
constexpr ComboDefinition POWER_SAVE_MODE_COMBO = textCombo(POWER_SAVE_MODE_ENTRIES);
constexpr ComboDefinition LCD_LIGHTING_MODE_COMBO = textCombo(LCD_LIGHTING_MODE_ENTRIES);
constexpr ComboDefinition DISABLE_ENABLE_COMBO{.kind = LIST_DISABLE_ENABLE, .count = 2};
constexpr ComboDefinition LOW_BATTERY_INTERVAL_COMBO = textCombo(LOW_BATTERY_INTERVAL_ENTRIES);
constexpr ComboDefinition MIC_GAIN_COMBO = textCombo(MIC_GAIN_ENTRIES);

constexpr EditDefinition POWER_ON_TAG_EDIT{.kind = EDIT_TEXT,
                                           .maxChars = static_cast<int>(P::POWER_ON_TAG_LENGTH),
                                           .format = "%s",
                                           .filter = FILTER_ALPHA_TAG,
                                           .upperCase = true};

struct ComboControl {
    std::size_t index;
    std::string_view label;
    const ComboDefinition* combo;
    std::string_view prompt; // empty: the control has no prompt line
};

constexpr std::array<ComboControl, P::POWER_ON_TAG> COMBOS{{
    {P::TRANSMIT_TIMER, "Transmit Timer", &TRANSMIT_TIMER_COMBO, text::PROMPT_TRANSMIT_TIMER},
    {P::PENALTY_TIMER, "Penalty Timer", &PENALTY_TIMER_COMBO, text::PROMPT_PENALTY_TIMER},
    {P::RELEASE_TIMER, "Release Timer", &RELEASE_TIMER_COMBO, text::PROMPT_RELEASE_TIMER},
    {P::POWER_SAVE_MODE, "Power Save Mode", &POWER_SAVE_MODE_COMBO, text::PROMPT_POWER_SAVE_MODE},
    {P::LCD_LIGHTING_MODE, "LCD Lighting Mode", &LCD_LIGHTING_MODE_COMBO,
     text::PROMPT_LCD_LIGHTING_MODE},
    {P::LOW_BATTERY_ALERT, "Low Battery Alert", &DISABLE_ENABLE_COMBO, {}},
    {P::TX_LOW_BATTERY_ALERT, "TX Low Battery Alert", &DISABLE_ENABLE_COMBO, {}},
    {P::LOW_BATTERY_ALERT_INTERVAL, "Low Battery Alert Interval", &LOW_BATTERY_INTERVAL_COMBO,
     text::PROMPT_LOW_BATTERY_INTERVAL},
    {P::MIC_GAIN, "MIC Gain", &MIC_GAIN_COMBO, text::PROMPT_MIC_GAIN},
}};

} // namespace

HPowerSaveDialog::HPowerSaveDialog(RadioImage& image, int accessMode)
    : HDialog("HPowerSaveDialog", image, accessMode) {
    SetHelpTopic(help::PAGE_POWER_SAVING);
    for (const ComboControl& c : COMBOS) {
        AddCombo(GetControlId(c.index), std::string(c.label), GetControlId(c.index), *c.combo,
                 m_params, c.index);
    }
    AddEdit(GetControlId(P::POWER_ON_TAG), "Power-ON Alpha Tag", GetControlId(P::POWER_ON_TAG),
            POWER_ON_TAG_EDIT, m_params, P::POWER_ON_TAG);
}

std::optional<std::string> HPowerSaveDialog::PromptText(int promptId) const {
    if (promptId == GetControlId(P::POWER_ON_TAG)) {
        return std::string(text::PROMPT_POWER_ON_TAG);
    }
    for (const ComboControl& c : COMBOS) {
        if (promptId == GetControlId(c.index) && !c.prompt.empty()) {
            return std::string(c.prompt);
        }
    }
    return std::nullopt;
}

} // namespace kq70
