#include "pages/HKeyFuncDialog.h"

#include "image/RadioImage.h"
#include "params/HHardwareParams.h"
#include "params/HMarketingParams.h"
#include "params/HMiscParams.h"

#include <algorithm>

namespace kq70 {

namespace {

using Slot = std::size_t;

// functionText and the rules below read a code as its entry's position.
constexpr bool codesArePositions() {
    for (std::size_t i = 0; i < HKeyFuncDialog::FUNCTION_COUNT; ++i) {
        if (HKeyFuncDialog::FUNCTION_ENTRIES[i].value != static_cast<std::int32_t>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(codesArePositions());

constexpr ComboDefinition KEY_FUNCTION_COMBO{.kind = LIST_TEXT,
                                             .count = HKeyFuncDialog::FUNCTION_COUNT,
                                             .entries = HKeyFuncDialog::FUNCTION_ENTRIES};

constexpr std::array<std::string_view, HKeyFuncParams::KEY_SLOT_COUNT> SLOT_LABELS{
    "[SIDE1] press",
    "[SIDE2] press",
    "[A] press",
    "[B] press",
    "[C] press",
    "[D] press",
    "[SIDE1] press and hold",
    "[SIDE2] press and hold",
    "[A] press and hold",
    "[B] press and hold",
    "[C] press and hold",
    "[D] press and hold"};

// Option units: 1–3 carry encryption, 3 also the two option switches.
constexpr std::int32_t FIRST_ENCRYPTION_UNIT = 1;
constexpr std::int32_t LAST_ENCRYPTION_UNIT = 3;
constexpr std::int32_t OPTION_SWITCH_UNIT = 3;

constexpr std::int32_t KEY_ENCRYPTION = 8;
constexpr std::int32_t KEY_OPTION_SWITCH2 = 28;

// Functions that need the display and the [A]–[D] keys.
constexpr std::array<std::int32_t, 13> DISPLAY_FUNCTIONS{2,  10, 11, 12, 13, 21, 22,
                                                         23, 24, 38, 39, 43, 56};
// Functions by the channel capacity they need.
constexpr int CAPACITY_256 = 256;
constexpr int CAPACITY_32 = 32;
constexpr int CAPACITY_16 = 16;
constexpr std::array<std::int32_t, 5> FUNCTIONS_OF_256_CHANNELS{38, 39, 57, 58, 11};
constexpr std::array<std::int32_t, 2> FUNCTIONS_OF_32_CHANNELS{10, 56};
constexpr std::array<std::int32_t, 2> FUNCTIONS_OF_16_CHANNELS{12, 13};
// Functions a key offers only when pressed and held.
constexpr std::array<std::int32_t, 4> HOLD_ONLY_FUNCTIONS{25, 57, 58, 50};
constexpr std::array<std::int32_t, 2> FUNCTIONS_OF_FIRMWARE_110{62, 63};

// The functions the rules above decide on: 8, 27, 28 and the lists. The list's default
// flags decide the others.
constexpr std::array<std::int32_t, 22> RULED_FUNCTIONS{8,  27, 28, 2,  10, 11, 12, 13, 21, 22, 23,
                                                       24, 38, 39, 43, 56, 57, 58, 25, 50, 62, 63};

template <std::size_t N>
bool contains(const std::array<std::int32_t, N>& codes, std::int32_t code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

bool isLcdKeySlot(Slot slot) {
    const auto& slots = HKeyFuncParams::LCD_KEY_SLOTS;
    return std::find(slots.begin(), slots.end(), slot) != slots.end();
}

// The shown slots claim their codes first, so a code a hidden slot shares with a shown one
// stays on the shown one.
constexpr std::array<Slot, HKeyFuncParams::KEY_SLOT_COUNT> CLAIM_ORDER{0, 1, 6, 7, 2,  3,
                                                                       4, 5, 8, 9, 10, 11};

} // namespace

HKeyFuncDialog::HKeyFuncDialog(RadioImage& image, int accessMode)
    : HDialog("HKeyFuncDialog", image, accessMode) {
    SetHelpTopic(help::PAGE_KEY_FUNCTION);
    for (Slot slot = 0; slot < HKeyFuncParams::KEY_SLOT_COUNT; ++slot) {
        AddCombo(GetControlId(slot), std::string(SLOT_LABELS[slot]), GetControlId(slot),
                 KEY_FUNCTION_COMBO, m_params, slot);
    }
}

bool HKeyFuncDialog::AcquireData() {
    m_params.extract(GetImage());
    m_optionUnit = HMiscParams::optionUnitOf(GetImage());
    m_lcdType = lcdTypeOf(GetImage());
    m_capacity = channelCapacityForRadioChannel(radioChannelValueOf(GetImage()));
    m_firmwareVersion = HMarketingParams::firmwareVersionOf(GetImage());
    return true;
}

bool HKeyFuncDialog::Offers(Slot slot, std::int32_t code) const {
    if (code < 0 || code >= static_cast<std::int32_t>(FUNCTION_COUNT) ||
        slot >= HKeyFuncParams::KEY_SLOT_COUNT) {
        return false;
    }
    const ComboEntry& entry = FUNCTION_ENTRIES[static_cast<std::size_t>(code)];
    if (entry.text == "---" || (!entry.shown && !contains(RULED_FUNCTIONS, code))) {
        return false;
    }
    if (code == KEY_ENCRYPTION &&
        (m_optionUnit < FIRST_ENCRYPTION_UNIT || m_optionUnit > LAST_ENCRYPTION_UNIT)) {
        return false;
    }
    if ((code == HKeyFuncParams::KEY_OPTION_SWITCH1 || code == KEY_OPTION_SWITCH2) &&
        m_optionUnit != OPTION_SWITCH_UNIT) {
        return false;
    }
    if (m_lcdType != LCD_TYPE_LCD && contains(DISPLAY_FUNCTIONS, code)) {
        return false;
    }
    // By capacity, not by the Radio Channel value: both values of 16 channels are alike.
    if ((m_capacity < CAPACITY_256 && contains(FUNCTIONS_OF_256_CHANNELS, code)) ||
        (m_capacity < CAPACITY_32 && contains(FUNCTIONS_OF_32_CHANNELS, code)) ||
        (m_capacity < CAPACITY_16 && contains(FUNCTIONS_OF_16_CHANNELS, code))) {
        return false;
    }
    if (HKeyFuncParams::isPressSlot(slot) ? contains(HOLD_ONLY_FUNCTIONS, code)
                                          : code == HKeyFuncParams::KEY_OPTION_SWITCH1) {
        return false;
    }
    return m_firmwareVersion >= FIRMWARE_VERSION_110 || !contains(FUNCTIONS_OF_FIRMWARE_110, code);
}

bool HKeyFuncDialog::InitCombo() {
    HDialog::InitCombo();
    for (Slot slot = 0; slot < HKeyFuncParams::KEY_SLOT_COUNT; ++slot) {
        for (ComboEntry& entry : *WorkingList(GetControlId(slot))) {
            entry.shown = Offers(slot, entry.value);
        }
        RefillCombo(GetControlId(slot), HKeyFuncParams::KEY_NONE);
        // The [A]–[D] keys are not edited here, whatever the radio.
        if (isLcdKeySlot(slot)) {
            SetVisible(GetControlId(slot), false, false);
        }
    }
    return true;
}

bool HKeyFuncDialog::TakenByOtherSlot(Slot slot, std::int32_t code) const {
    for (Slot other = 0; other < m_chosen.size(); ++other) {
        if (other != slot && m_chosen[other] == code) {
            return true;
        }
    }
    return false;
}

bool HKeyFuncDialog::SetDataCombo() {
    HDialog::SetDataCombo();
    // A stored code the slot cannot offer, or one a slot before it holds, shows "None".
    m_chosen.fill(HKeyFuncParams::KEY_NONE);
    for (const Slot slot : CLAIM_ORDER) {
        const std::int32_t code = m_params.get(slot);
        if (code != HKeyFuncParams::KEY_NONE && Offers(slot, code) &&
            !TakenByOtherSlot(slot, code)) {
            m_chosen[slot] = code;
        }
    }
    for (Slot slot = 0; slot < HKeyFuncParams::PRESS_SLOT_COUNT; ++slot) {
        ApplyOptionSwitchInterlock(slot);
    }
    RebuildLists();
    return true;
}

void HKeyFuncDialog::ApplyOptionSwitchInterlock(Slot pressSlot) {
    const Slot holdSlot = pressSlot + HKeyFuncParams::HOLD_SLOT_DISTANCE;
    const bool taken = m_chosen[pressSlot] == HKeyFuncParams::KEY_OPTION_SWITCH1;
    if (taken) {
        m_chosen[holdSlot] = HKeyFuncParams::KEY_NONE;
    }
    const PageControl* hold = GetControl(GetControlId(holdSlot));
    if (hold != nullptr && hold->visible) {
        SetVisible(GetControlId(holdSlot), true, !taken);
    }
}

void HKeyFuncDialog::RebuildLists() {
    for (Slot slot = 0; slot < HKeyFuncParams::KEY_SLOT_COUNT; ++slot) {
        for (ComboEntry& entry : *WorkingList(GetControlId(slot))) {
            entry.shown = Offers(slot, entry.value) && (entry.value == HKeyFuncParams::KEY_NONE ||
                                                        !TakenByOtherSlot(slot, entry.value));
        }
        RefillCombo(GetControlId(slot), m_chosen[slot]);
    }
}

void HKeyFuncDialog::OnControlChanged(int id) {
    const auto slot = static_cast<Slot>(id - FIRST_CONTROL_ID);
    const auto code = SelectedItemValue(id);
    if (slot >= HKeyFuncParams::KEY_SLOT_COUNT || !code) {
        return;
    }
    m_chosen[slot] = *code;
    if (HKeyFuncParams::isPressSlot(slot)) {
        ApplyOptionSwitchInterlock(slot);
    }
    RebuildLists();
}

bool HKeyFuncDialog::SaveDataCombo() {
    HDialog::SaveDataCombo();
    // A disabled combo is not saved, so the press-and-hold slot an "Option Switch1" key
    // took is written here.
    for (Slot slot = 0; slot < HKeyFuncParams::PRESS_SLOT_COUNT; ++slot) {
        const PageControl* press = GetControl(GetControlId(slot));
        if (press != nullptr && press->visible &&
            m_chosen[slot] == HKeyFuncParams::KEY_OPTION_SWITCH1) {
            m_params.set(slot + HKeyFuncParams::HOLD_SLOT_DISTANCE, HKeyFuncParams::KEY_NONE);
        }
    }
    return true;
}

bool HKeyFuncDialog::StoreData() {
    m_params.store(GetImage());
    return true;
}

} // namespace kq70
