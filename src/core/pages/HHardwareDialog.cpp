#include "pages/HHardwareDialog.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <array>
#include <string_view>

namespace kq70 {

namespace {

// --- Combo entry lists ------------------------------------------------------------------

constexpr ComboEntry RADIO_CHANNEL_ENTRIES[] = {{"  1CH", 0}, {"  2CH", 1}, {" 16CH", 3},
                                                {" 32CH", 4}, {" 48CH", 5}, {"256CH", 6}};
constexpr ComboEntry FREQUENCY_BAND_ENTRIES[] = {{"VHF C", 0},  {"VHF C1", 1}, {"UHF A", 4},
                                                 {"UHF D", 5},  {"VHF220", 8}, {"UHF 350", 9},
                                                 {"PMR446", 12}};
constexpr ComboEntry PRODUCT_TYPE_ENTRIES[] = {{"QM-724", 6}};
constexpr ComboEntry LCD_TYPE_ENTRIES[] = {{"NON-LCD", 0}, {"LCD", 1}};
constexpr ComboEntry LOCAL_OFFSET_ENTRIES[] = {{"Lower", 0}, {"Upper", 1}};
constexpr ComboEntry CHANNEL_STEP_ENTRIES[] = {
    {"5,6.25kHz", 0}, {"5,6.25,2.5kHz", 1}, {"5,6.25,2.5,1.25kHz", 2}, {"10,12.5kHz", 3}};
constexpr ComboEntry SQL_RELEASE_TIME_ENTRIES[] = {
    {"  0 msec", 0}, {" 40 msec", 1}, {" 80 msec", 2}, {"120 msec", 3},
    {"160 msec", 4}, {"200 msec", 5}, {"240 msec", 6}, {"280 msec", 7}};
constexpr ComboEntry DCS_POLARITY_ENTRIES[] = {{"Normal", 0}, {"Inverted", 1}};
constexpr ComboEntry KEYPAD_ENTRIES[] = {{"4key", 1}, {"NONE", 0}};
constexpr ComboEntry CTCSS_RELEASE_TIME_ENTRIES[] = {{"500 msec", 0}, {"200 msec", 1}};

constexpr ComboDefinition textList(std::span<const ComboEntry> entries) {
    return {.kind = LIST_TEXT, .count = static_cast<int>(entries.size()), .entries = entries};
}

constexpr ComboDefinition RADIO_CHANNEL_COMBO = textList(RADIO_CHANNEL_ENTRIES);
constexpr ComboDefinition FREQUENCY_BAND_COMBO = textList(FREQUENCY_BAND_ENTRIES);
constexpr ComboDefinition PRODUCT_TYPE_COMBO = textList(PRODUCT_TYPE_ENTRIES);
constexpr ComboDefinition LCD_TYPE_COMBO = textList(LCD_TYPE_ENTRIES);
constexpr ComboDefinition LOCAL_OFFSET_COMBO = textList(LOCAL_OFFSET_ENTRIES);
constexpr ComboDefinition CHANNEL_STEP_COMBO = textList(CHANNEL_STEP_ENTRIES);
constexpr ComboDefinition SQL_RELEASE_TIME_COMBO = textList(SQL_RELEASE_TIME_ENTRIES);
// "0  msec" … "75  msec" in 5 msec steps.
constexpr ComboDefinition SQL_ATTACK_TIME_COMBO{
    .kind = LIST_NUMERIC, .count = 16, .firstValueX10 = 0, .stepX10 = 50, .unit = "msec"};
// "0  " … "15  ".
constexpr ComboDefinition SQL_HYSTERESIS_COMBO{
    .kind = LIST_NUMERIC, .count = 16, .firstValueX10 = 0, .stepX10 = 10};
constexpr ComboDefinition DCS_POLARITY_COMBO = textList(DCS_POLARITY_ENTRIES);
constexpr ComboDefinition KEYPAD_COMBO = textList(KEYPAD_ENTRIES);
constexpr ComboDefinition CTCSS_RELEASE_TIME_COMBO = textList(CTCSS_RELEASE_TIME_ENTRIES);

// --- Edits ------------------------------------------------------------------------------

constexpr EditDefinition MHZ_2_EDIT{.kind = EDIT_SCALED,
                                    .maxChars = 5,
                                    .minimum = 0,
                                    .maximum = 99990000,
                                    .format = "%-5.2f",
                                    .filter = FILTER_NUMERIC,
                                    .scale = 1000000,
                                    .unit = " MHz"};
constexpr EditDefinition RANGE_EDIT{.kind = EDIT_SCALED,
                                    .maxChars = 9,
                                    .minimum = 100000000,
                                    .maximum = 555000000,
                                    .format = "%-9.5f",
                                    .filter = FILTER_NUMERIC,
                                    .scale = 1000000,
                                    .unit = " MHz"};
constexpr EditDefinition SCAN_PLL_B_EDIT{.kind = EDIT_INTEGER,
                                         .maxChars = 3,
                                         .minimum = 0,
                                         .maximum = 255,
                                         .format = "%d",
                                         .filter = FILTER_NUMERIC,
                                         .scale = 1};

// --- Controls ---------------------------------------------------------------------------

struct ComboControl {
    int id;
    std::string_view label;
    const ComboDefinition* definition;
    std::string_view prompt;
    bool shown; // the same in every access mode
};

constexpr std::array<ComboControl, 13> COMBOS = {{
    {IDC_HW_RADIO_CHANNEL, "Radio Channel", &RADIO_CHANNEL_COMBO, text::PROMPT_RADIO_CHANNEL,
     false},
    {IDC_HW_FREQUENCY_BAND, "Frequency Band", &FREQUENCY_BAND_COMBO, text::PROMPT_FREQUENCY_BAND,
     false},
    {IDC_HW_PRODUCT_TYPE, "Product Type", &PRODUCT_TYPE_COMBO, text::PROMPT_PRODUCT_TYPE, false},
    {IDC_HW_LCD_TYPE, "LCD Type", &LCD_TYPE_COMBO, text::PROMPT_LCD_TYPE, false},
    {IDC_HW_LOCAL_OFFSET, "Local Offset", &LOCAL_OFFSET_COMBO, text::PROMPT_LOCAL_OFFSET, true},
    {IDC_HW_CHANNEL_STEP, "Channel Step", &CHANNEL_STEP_COMBO, text::PROMPT_CHANNEL_STEP, false},
    {IDC_HW_SQL_RELEASE_TIME, "SQL Release Time", &SQL_RELEASE_TIME_COMBO,
     text::PROMPT_SQL_RELEASE_TIME, true},
    {IDC_HW_SQL_ATTACK_TIME, "SQL Attack Time", &SQL_ATTACK_TIME_COMBO,
     text::PROMPT_SQL_ATTACK_TIME, true},
    {IDC_HW_SQL_HYSTERESIS, "SQL Hysteresis", &SQL_HYSTERESIS_COMBO, text::PROMPT_SQL_HYSTERESIS,
     true},
    {IDC_HW_RX_DCS_POLARITY, "RX DCS Data", &DCS_POLARITY_COMBO, text::PROMPT_RX_DCS_POLARITY,
     true},
    {IDC_HW_TX_DCS_POLARITY, "TX DCS Data", &DCS_POLARITY_COMBO, text::PROMPT_TX_DCS_POLARITY,
     true},
    {IDC_HW_KEYPAD, "KeyPad", &KEYPAD_COMBO, text::PROMPT_KEYPAD, true},
    {IDC_HW_CTCSS_RELEASE_TIME, "CTCSS Release Time", &CTCSS_RELEASE_TIME_COMBO,
     text::PROMPT_CTCSS_RELEASE_TIME, false},
}};

struct EditControl {
    int id;
    const char* label;
    const EditDefinition* definition;
    std::size_t value;
    std::string_view prompt;
    // Shown in access modes 0–4 when non-zero; in mode 0 a shown edit is disabled.
    std::array<int, 5> shownByMode;
};

constexpr std::array<int, 5> EVERY_MODE = {1, 1, 1, 1, 1};
constexpr std::array<int, 5> NO_MODE = {0, 0, 0, 0, 0};

constexpr std::array<EditControl, 5> EDITS = {{
    {IDC_HW_REF_XTAL, "Ref XTAL", &MHZ_2_EDIT, HW_REF_XTAL, text::PROMPT_REF_XTAL, EVERY_MODE},
    {IDC_HW_FIRST_IF, "1st IF", &MHZ_2_EDIT, HW_FIRST_IF, text::PROMPT_FIRST_IF, EVERY_MODE},
    {IDC_HW_FREQUENCY_MIN, "Min", &RANGE_EDIT, HW_FREQUENCY_MIN, text::PROMPT_FREQUENCY_RANGE_MIN,
     NO_MODE},
    {IDC_HW_FREQUENCY_MAX, "Max", &RANGE_EDIT, HW_FREQUENCY_MAX, text::PROMPT_FREQUENCY_RANGE_MAX,
     NO_MODE},
    {IDC_HW_SCAN_PLL_B, "Scan PLL B Register", &SCAN_PLL_B_EDIT, HW_SCAN_PLL_B,
     text::PROMPT_SCAN_PLL_B, EVERY_MODE},
}};

bool isRangeEdit(int id) {
    return id == IDC_HW_FREQUENCY_MIN || id == IDC_HW_FREQUENCY_MAX;
}

std::string editLabel(const EditControl& edit) {
    // The two limits share the "Frequency Range" caption; their own labels say Min and Max.
    return isRangeEdit(edit.id)
               ? strprintf(std::string(text::FREQUENCY_RANGE_LABEL_FORMAT).c_str(), edit.label)
               : std::string(edit.label);
}

} // namespace

HHardwareDialog::HHardwareDialog(CKQ70Doc& doc, int accessMode, UserPrompt& prompt)
    : HDialog("HHardwareDialog", doc.GetMainMemory(), accessMode), m_doc(doc), m_prompt(prompt) {
    SetHelpTopic(help::PAGE_HARDWARE);
    for (const ComboControl& combo : COMBOS) {
        AddCombo(combo.id, std::string(combo.label), combo.id, *combo.definition, m_params,
                 static_cast<std::size_t>(combo.id - IDC_HW_FIRST_COMBO));
    }
    for (const EditControl& edit : EDITS) {
        AddEdit(edit.id, editLabel(edit), edit.id, *edit.definition, m_params, edit.value);
    }
}

bool HHardwareDialog::AcquireData() {
    m_params.extract(GetImage());
    m_asRead = m_params;
    m_bandChanged = m_radioChannelChanged = m_displayTypeChanged = false;
    return true;
}

void HHardwareDialog::FilterChannelSteps(int band) {
    std::vector<ComboEntry>* steps = WorkingList(IDC_HW_CHANNEL_STEP);
    if (steps == nullptr) {
        return;
    }
    for (ComboEntry& entry : *steps) {
        bool shown = true;
        switch (band) {
        case 0:
        case 1:
        case 8: // the VHF bands
            shown = entry.value != 3;
            break;
        case 4:
        case 5:
        case 6:
        case 9: // the UHF bands
            shown = entry.value == 0 || entry.value == 3;
            break;
        case 12: // PMR446
            shown = entry.value == 0;
            break;
        default:
            break;
        }
        entry.shown = shown;
    }
}

bool HHardwareDialog::InitCombo() {
    FilterChannelSteps(m_params.get(HW_FREQUENCY_BAND));
    HDialog::InitCombo();
    for (const ComboControl& combo : COMBOS) {
        SetVisible(combo.id, combo.shown, combo.shown);
    }
    return true;
}

bool HHardwareDialog::InitEdit() {
    HDialog::InitEdit();
    const int mode = GetAccessMode();
    for (const EditControl& edit : EDITS) {
        const bool known = mode >= 0 && mode < static_cast<int>(edit.shownByMode.size());
        const bool shown = known && edit.shownByMode[static_cast<std::size_t>(mode)] != 0;
        SetVisible(edit.id, shown, shown && mode != ACCESS_NORMAL);
    }
    return true;
}

void HHardwareDialog::OnControlChanged(int id) {
    if (id != IDC_HW_FREQUENCY_BAND) {
        return;
    }
    const auto band = SelectedItemValue(IDC_HW_FREQUENCY_BAND);
    FilterChannelSteps(band.value_or(m_params.get(HW_FREQUENCY_BAND)));
    const auto step = SelectedItemValue(IDC_HW_CHANNEL_STEP);
    RefillCombo(IDC_HW_CHANNEL_STEP, step.value_or(m_params.get(HW_CHANNEL_STEP)));
}

std::int32_t HHardwareDialog::LimitToSave(int id, std::size_t index) const {
    const PageControl* edit = GetControl(id);
    for (const EditControl& e : EDITS) {
        if (e.id == id && edit != nullptr && edit->visible) {
            return HDialog::ParseEdit(*e.definition, edit->text).value_or(m_params.get(index));
        }
    }
    return m_params.get(index); // a hidden edit is never saved
}

bool HHardwareDialog::CheckBeforeOk() {
    // Limits the user cannot see cannot be mended on this page, and are not saved from it:
    // checking them would leave only Cancel.
    const PageControl* minEdit = GetControl(IDC_HW_FREQUENCY_MIN);
    const PageControl* maxEdit = GetControl(IDC_HW_FREQUENCY_MAX);
    if ((minEdit == nullptr || !minEdit->visible) && (maxEdit == nullptr || !maxEdit->visible)) {
        return true;
    }
    const std::int32_t minimum = LimitToSave(IDC_HW_FREQUENCY_MIN, HW_FREQUENCY_MIN);
    const std::int32_t maximum = LimitToSave(IDC_HW_FREQUENCY_MAX, HW_FREQUENCY_MAX);
    if (minimum > maximum) {
        m_prompt.message(text::MAX_MIN_FREQUENCY_ERROR, MessageIcon::Stop);
        return false;
    }
    return true;
}

bool HHardwareDialog::StoreData() {
    m_params.store(GetImage());
    clearKeysWithoutDisplay(GetImage());
    // Compared in stored units: a value typed differently but stored alike is no change.
    const auto differs = [this](std::size_t i) {
        return m_params.storedValue(i) != m_asRead.storedValue(i);
    };
    bool changed = false;
    for (std::size_t i = 0; i < HARDWARE_VALUE_COUNT; ++i) {
        changed = changed || differs(i);
    }
    m_bandChanged = differs(HW_FREQUENCY_BAND);
    m_radioChannelChanged = differs(HW_RADIO_CHANNEL);
    m_displayTypeChanged = differs(HW_LCD_TYPE);
    if (changed) {
        m_doc.SetHardwareEdited(true);
    }
    return true;
}

std::optional<std::string> HHardwareDialog::PromptText(int promptId) const {
    for (const ComboControl& combo : COMBOS) {
        if (combo.id == promptId) {
            return std::string(combo.prompt);
        }
    }
    for (const EditControl& edit : EDITS) {
        if (edit.id == promptId) {
            return std::string(edit.prompt);
        }
    }
    return std::nullopt;
}

} // namespace kq70
