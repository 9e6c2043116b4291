#include "pages/HScanningDialog.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "image/RadioImage.h"
#include "ui/Strings.h"

#include <memory>

#include <array>

namespace kq70 {

namespace {

constexpr ComboEntry RESUME_RX_ENTRIES[] = {
    {"0.25 sec", 0}, {"0.5 sec", 1}, {"1 sec", 2},   {"2 sec", 3},   {"3 sec", 4},  {"4 sec", 5},
    {"5 sec", 6},    {"6 sec", 7},   {"7 sec", 8},   {"8 sec", 9},   {"9 sec", 10}, {"10 sec", 11},
    {"11 sec", 12},  {"12 sec", 13}, {"13 sec", 14}, {"14 sec", 15},
};
constexpr ComboEntry RESUME_TX_ENTRIES[] = {
    {"2 sec", 0},   {"3 sec", 1},   {"4 sec", 2},   {"5 sec", 3},   {"6 sec", 4},   {"7 sec", 5},
    {"8 sec", 6},   {"9 sec", 7},   {"10 sec", 8},  {"15 sec", 9},  {"20 sec", 10}, {"25 sec", 11},
    {"30 sec", 12}, {"40 sec", 13}, {"50 sec", 14}, {"60 sec", 15},
};
constexpr ComboEntry DUAL_WATCH_ENTRIES[] = {{"1 sec", 0}, {"2 sec", 1}};
constexpr ComboEntry REVERT_ENTRIES[] = {
    {"PRI CH", 0}, {"Channel Position", 1}, {"Last Busy CH", 2}};
constexpr ComboEntry GROUP_SCAN_ENTRIES[] = {{"Group Only", 0}, {"Select Group", 1}};
constexpr ComboEntry ENABLE_THREE_ENTRIES[] = {{"Disable", 0}, {"Enable", 3}};
constexpr ComboEntry PRIORITY_CH_ENTRIES[] = {
    {"CH1", 0},   {"CH2", 1},   {"CH3", 2},   {"CH4", 3},   {"CH5", 4},   {"CH6", 5},
    {"CH7", 6},   {"CH8", 7},   {"CH9", 8},   {"CH10", 9},  {"CH11", 10}, {"CH12", 11},
    {"CH13", 12}, {"CH14", 13}, {"CH15", 14}, {"CH16", 15},
};
constexpr ComboEntry SCAN_DISPLAY_ENTRIES[] = {{"- SCAN -", 0}, {"Revert CH", 1}};

constexpr ComboDefinition textList(std::span<const ComboEntry> entries) {
    return ComboDefinition{
        .kind = LIST_TEXT, .count = static_cast<int>(entries.size()), .entries = entries};
}

constexpr ComboDefinition RESUME_RX = textList(RESUME_RX_ENTRIES);
constexpr ComboDefinition RESUME_TX = textList(RESUME_TX_ENTRIES);
constexpr ComboDefinition DUAL_WATCH = textList(DUAL_WATCH_ENTRIES);
constexpr ComboDefinition DISABLE_ENABLE{.kind = LIST_DISABLE_ENABLE, .count = 2};
constexpr ComboDefinition REVERT = textList(REVERT_ENTRIES);
constexpr ComboDefinition GROUP_SCAN = textList(GROUP_SCAN_ENTRIES);
constexpr ComboDefinition ENABLE_THREE = textList(ENABLE_THREE_ENTRIES);
constexpr ComboDefinition PRIORITY_CH = textList(PRIORITY_CH_ENTRIES);
constexpr ComboDefinition SCAN_DISPLAY = textList(SCAN_DISPLAY_ENTRIES);

constexpr int GROUP_SCAN_RADIO_CHANNEL = 4;

struct ScanControl {
    int id;
    const char* label;
    const ComboDefinition* definition;
    std::string_view prompt;
};

const std::array<ScanControl, SCAN_VALUE_COUNT> CONTROLS{{
    {HScanningDialog::IDC_RESUME_TIME_RX, "Scan Resume Time 1 (RX)", &RESUME_RX,
     text::PROMPT_SCAN_RESUME_TIME_1},
    {HScanningDialog::IDC_RESUME_TIME_TX, "Scan Resume Time 2 (TX)", &RESUME_TX,
     text::PROMPT_SCAN_RESUME_TIME_2},
    {HScanningDialog::IDC_DUAL_WATCH_TIMER, "Dual Watch Timer", &DUAL_WATCH,
     text::PROMPT_DUAL_WATCH_TIMER},
    {HScanningDialog::IDC_TALK_BACK, "Talk Back", &DISABLE_ENABLE, text::PROMPT_TALK_BACK},
    {HScanningDialog::IDC_REVERT_CHANNEL, "Revert Channel", &REVERT, text::PROMPT_REVERT_CHANNEL},
    {HScanningDialog::IDC_GROUP_SCAN, "Group Scan", &GROUP_SCAN, text::PROMPT_GROUP_SCAN},
    {HScanningDialog::IDC_PRIORITY_CHECK, "Priority Check", &ENABLE_THREE,
     text::PROMPT_PRIORITY_CHECK},
    {HScanningDialog::IDC_PRIORITY_CH, "Priority CH", &PRIORITY_CH, text::PROMPT_PRIORITY_CH},
    {HScanningDialog::IDC_SCAN_BEEP, "Scan Beep", &DISABLE_ENABLE, text::PROMPT_SCAN_BEEP},
    {HScanningDialog::IDC_POWER_ON_SCAN, "Power ON Scan", &ENABLE_THREE,
     text::PROMPT_POWER_ON_SCAN},
    {HScanningDialog::IDC_SCAN_DISPLAY, "Scan Display", &SCAN_DISPLAY, text::PROMPT_SCAN_DISPLAY},
}};

} // namespace

namespace {

HScanningDialog::ChannelsInUse channelsInUseOf(const RadioImage& image) {
    const auto channels = std::make_unique<HChannelData>();
    channels->extract(image);
    return HScanningDialog::ChannelsInUse(channels->firstSixteenInUse().to_ulong());
}

} // namespace

HScanningDialog::HScanningDialog(RadioImage& image, int accessMode)
    : HScanningDialog(image, accessMode, channelsInUseOf(image)) {}

HScanningDialog::HScanningDialog(RadioImage& image, int accessMode, ChannelsInUse channelsInUse)
    : HDialog("HScanningDialog", image, accessMode), m_channelsInUse(channelsInUse) {
    SetHelpTopic(help::PAGE_SCANNING);
    for (std::size_t i = 0; i < CONTROLS.size(); ++i) {
        AddCombo(CONTROLS[i].id, CONTROLS[i].label, CONTROLS[i].id, *CONTROLS[i].definition,
                 m_params, i);
    }
}

bool HScanningDialog::AcquireData() {
    m_params.extract(GetImage());
    m_radioChannel = radioChannelValueOf(GetImage());
    return true;
}

bool HScanningDialog::InitCombo() {
    // Priority CH offers the programmed channels among the first 16.
    if (std::vector<ComboEntry>* list = WorkingList(IDC_PRIORITY_CH)) {
        for (std::size_t k = 0; k < list->size() && k < m_channelsInUse.size(); ++k) {
            (*list)[k].shown = m_channelsInUse.test(k);
        }
    }
    HDialog::InitCombo();
    for (const int hidden : {IDC_DUAL_WATCH_TIMER, IDC_TALK_BACK, IDC_REVERT_CHANNEL,
                             IDC_GROUP_SCAN, IDC_SCAN_DISPLAY}) {
        SetVisible(hidden, false, false);
    }
    if (GetAccessMode() != ACCESS_MANUFACTURE) {
        SetVisible(IDC_RESUME_TIME_RX, false, false);
        SetVisible(IDC_RESUME_TIME_TX, false, false);
    }
    return true;
}

bool HScanningDialog::SetDataCombo() {
    HDialog::SetDataCombo();
    EnablePriorityChannel();
    return true;
}

void HScanningDialog::EnablePriorityChannel() {
    const bool on = SelectedItemValue(IDC_PRIORITY_CHECK) == PRIORITY_CHECK_ENABLE;
    SetVisible(IDC_PRIORITY_CH, true, on);
}

void HScanningDialog::OnControlChanged(int id) {
    if (id == IDC_PRIORITY_CHECK) {
        EnablePriorityChannel();
    }
}

bool HScanningDialog::StoreData() {
    m_params.store(GetImage());
    return true;
}

std::optional<std::string> HScanningDialog::PromptText(int promptId) const {
    for (const ScanControl& control : CONTROLS) {
        if (control.id == promptId) {
            return std::string(control.prompt);
        }
    }
    return HDialog::PromptText(promptId);
}

std::vector<HDialog::ListingItem> HScanningDialog::GetListingItems() const {
    std::vector<ListingItem> items;
    for (const PageControl& c : GetControls()) {
        const bool noGroups = c.id == IDC_GROUP_SCAN && m_radioChannel < GROUP_SCAN_RADIO_CHANNEL;
        items.push_back(
            {WithoutAmpersands(c.label), noGroups ? std::string() : GetShownValue(c.id)});
    }
    return items;
}

} // namespace kq70
