#include "pages/HMiscDialog.h"

#include "ui/Strings.h"

#include <array>
#include <string_view>

namespace kq70 {

namespace {

using P = HMiscParams;

// Only these units are offered; another stored value shows "None" and is saved so.
constexpr ComboEntry OPTION_UNIT_ENTRIES[] = {{"None", P::OPTION_UNIT_NONE},
                                              {"Encryption Unit", P::OPTION_UNIT_ENCRYPTION}};
constexpr ComboEntry POWER_ON_CONDITION_ENTRIES[] = {
    {"Backup", 0}, {"Group 1", 1}, {"DW", 2}, {"SCAN", 3}};
constexpr ComboEntry CTCSS_TAIL_ELIMINATION_ENTRIES[] = {
    {"Disable", 0}, {"No Tone", 1}, {"120 deg", 2}, {"180 deg", 3}};
constexpr ComboEntry ARTS_MODE_ENTRIES[] = {
    {"TRX", P::ARTS_MODE_TRX}, {"TX", P::ARTS_MODE_TX}, {"RX", P::ARTS_MODE_RX}};
constexpr ComboEntry EXTERNAL_JACK_ENTRIES[] = {{"RZ-18", 0}, {"Speaker MIC", 1}};
constexpr ComboEntry KEY_HOLDING_TIME_ENTRIES[] = {{"Disable", 0}, {"150 msec", 1}};

constexpr ComboDefinition OPTION_UNIT_COMBO = textCombo(OPTION_UNIT_ENTRIES);
constexpr ComboDefinition POWER_ON_CONDITION_COMBO = textCombo(POWER_ON_CONDITION_ENTRIES);
constexpr ComboDefinition CTCSS_TAIL_ELIMINATION_COMBO = textCombo(CTCSS_TAIL_ELIMINATION_ENTRIES);
constexpr ComboDefinition ARTS_MODE_COMBO = textCombo(ARTS_MODE_ENTRIES);
constexpr ComboDefinition EXTERNAL_JACK_COMBO = textCombo(EXTERNAL_JACK_ENTRIES);
constexpr ComboDefinition KEY_HOLDING_TIME_COMBO = textCombo(KEY_HOLDING_TIME_ENTRIES);
constexpr ComboDefinition DISABLE_ENABLE_COMBO{.kind = LIST_DISABLE_ENABLE, .count = 2};
// "25  sec", "55  sec".
constexpr ComboDefinition ARTS_TX_TIME_COMBO{
    .kind = LIST_NUMERIC, .count = 2, .firstValueX10 = 250, .stepX10 = 300, .unit = "sec"};

// A signed count of hertz shown in MHz: -99.9 to +99.9.
constexpr EditDefinition DEFAULT_SPLIT_EDIT{.kind = EDIT_SCALED,
                                            .maxChars = 5,
                                            .minimum = -99900000,
                                            .maximum = 99900000,
                                            .format = "%-4.1f",
                                            .filter = FILTER_NUMERIC,
                                            .scale = 1000000,
                                            .unit = "MHz"};

struct ComboControl {
    std::size_t index;
    std::string_view label;
    const ComboDefinition* combo;
    std::string_view prompt; // empty: the control has no prompt line
};

constexpr std::array<ComboControl, P::DEFAULT_SPLIT> COMBOS{{
    {P::OPTION_UNIT, "Option Unit", &OPTION_UNIT_COMBO, {}},
    {P::POWER_ON_CONDITION, "Power ON Condition", &POWER_ON_CONDITION_COMBO,
     text::PROMPT_POWER_ON_CONDITION},
    {P::BELL, "Bell", &DISABLE_ENABLE_COMBO, {}},
    {P::CTCSS_TAIL_ELIMINATION, "CTCSS Tail Elimination", &CTCSS_TAIL_ELIMINATION_COMBO,
     text::PROMPT_CTCSS_TAIL_ELIMINATION},
    {P::RADIO_TO_RADIO_CLONE, "Radio to Radio Clone", &DISABLE_ENABLE_COMBO, {}},
    {P::ARTS_MODE, "ARTS Mode", &ARTS_MODE_COMBO, text::PROMPT_ARTS_MODE},
    {P::ARTS_BEEP, "ARTS Beep", &DISABLE_ENABLE_COMBO, {}},
    {P::ARTS_TX_TIME, "ARTS TX Time", &ARTS_TX_TIME_COMBO, {}},
    {P::EXTERNAL_JACK, "External Jack", &EXTERNAL_JACK_COMBO, {}},
    {P::KEY_HOLDING_TIME, "Key Holding Time", &KEY_HOLDING_TIME_COMBO, {}},
    {P::LED_LIGHTING, "LED Lighting", &DISABLE_ENABLE_COMBO, {}},
    {P::BEEP, "Beep", &DISABLE_ENABLE_COMBO, {}},
}};

} // namespace

HMiscDialog::HMiscDialog(RadioImage& image, int accessMode)
    : HDialog("HMiscDialog", image, accessMode) {
    SetHelpTopic(help::PAGE_MISCELLANEOUS);
    for (const ComboControl& c : COMBOS) {
        AddCombo(GetControlId(c.index), std::string(c.label), GetControlId(c.index), *c.combo,
                 m_params, c.index);
    }
    AddEdit(GetControlId(P::DEFAULT_SPLIT), "Default Split", GetControlId(P::DEFAULT_SPLIT),
            DEFAULT_SPLIT_EDIT, m_params, P::DEFAULT_SPLIT);
}

std::optional<std::string> HMiscDialog::PromptText(int promptId) const {
    for (const ComboControl& c : COMBOS) {
        if (promptId == GetControlId(c.index) && !c.prompt.empty()) {
            return std::string(c.prompt);
        }
    }
    return std::nullopt;
}

} // namespace kq70
