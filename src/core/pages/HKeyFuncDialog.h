#pragma once

#include "pages/HDialog.h"
#include "params/HKeyFuncParams.h"
#include "ui/Strings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kq70 {

// The Key Function page: one combo of function names per key slot. Which functions a slot
// offers depends on the option unit, the display, the channel capacity and the firmware
// version of the radio in the image; a function sits on one key only; a press slot set to
// "Option Switch1" takes its key's press-and-hold slot. Only the [SIDE1] and [SIDE2] slots
// are shown: the [A]–[D] slots keep their stored codes.
class HKeyFuncDialog : public HDialog {
public:
    static constexpr std::size_t FUNCTION_COUNT = 64;
    // Entries shown by default carry the flag; "---" codes have no function in this radio
    // and are never offered. The two "Call" entries are two codes.
    static constexpr std::array<ComboEntry, FUNCTION_COUNT> FUNCTION_ENTRIES{{
        {"None", 0, true},
        {"MON", 1, true},
        {"LAMP", 2, true},
        {"SCAN", 3, true},
        {"DW", 4, false},
        {"Low Power", 5, false},
        {"TA", 6, false},
        {"TX Save Disable", 7, false},
        {"Encryption", 8, true},
        {"FM-DW", 9, false},
        {"Group Up", 10, false},
        {"Group Down", 11, false},
        {"CH Up", 12, false},
        {"CH Down", 13, false},
        {"---", 14, false},
        {"Reset", 15, false},
        {"Call", 16, false},
        {"Call 2", 17, false},
        {"Call 3", 18, false},
        {"---", 19, false},
        {"---", 20, false},
        {"Code Up", 21, false},
        {"Code Down", 22, false},
        {"Code Set", 23, false},
        {"Speed Dial", 24, false},
        {"Emergency", 25, false},
        {"---", 26, false},
        {"Option Switch1", 27, false},
        {"Option Switch2", 28, false},
        {"---", 29, false},
        {"---", 30, false},
        {"---", 31, false},
        {"---", 32, false},
        {"---", 33, false},
        {"Lock", 34, false},
        {"FM-SCAN", 35, true},
        {"---", 36, false},
        {"---", 37, false},
        {"Direct CH1", 38, false},
        {"Direct CH2", 39, false},
        {"---", 40, false},
        {"---", 41, false},
        {"---", 42, false},
        {"SQL Set", 43, false},
        {"---", 44, false},
        {"---", 45, false},
        {"---", 46, false},
        {"---", 47, false},
        {"---", 48, false},
        {"---", 49, false},
        {"Lone Worker", 50, false},
        {"---", 51, false},
        {"TA SCAN", 52, false},
        {"SQL OFF", 53, true},
        {"SCAN Set", 54, false},
        {"Grp SCAN Skip", 55, false},
        {"Group Scan Set", 56, false},
        {"Speed CH UP", 57, false},
        {"Speed CH Down", 58, false},
        {"---", 59, false},
        {"---", 60, false},
        {"Call", 61, false},
        {"Beep OFF", 62, false},
        {"Whisper", 63, false},
    }};

    // Slot i is the combo with this id + i; its prompt line is the string of the same id.
    static constexpr int FIRST_CONTROL_ID = IDS_PROMPT_KEY_FUNCTION_FIRST;
    // The first firmware version (×100) with the "Beep OFF" and "Whisper" functions.
    static constexpr std::int32_t FIRMWARE_VERSION_110 = 110;

    HKeyFuncDialog(RadioImage& image, int accessMode);

    static int GetControlId(std::size_t slot) { return FIRST_CONTROL_ID + static_cast<int>(slot); }

    const HKeyFuncParams& GetParams() const { return m_params; }
    // Whether the radio read by AcquireData can have `code` on `slot` at all, whatever the
    // other slots hold: the list shows the code by default or a rule of the radio's build
    // decides on it (option unit, display, capacity, firmware, press or hold), and no rule
    // refuses it.
    bool Offers(std::size_t slot, std::int32_t code) const;

    // Lines 0, 1, 6 and 7 are the shown slots; the hidden slots give empty lines.
    std::vector<ListingItem> GetListingItems() const override { return GetListingItemsByControl(); }

protected:
    bool AcquireData() override;
    bool InitCombo() override;
    bool SetDataCombo() override;
    bool SaveDataCombo() override;
    bool StoreData() override;
    void OnControlChanged(int id) override;

private:
    bool TakenByOtherSlot(std::size_t slot, std::int32_t code) const;
    // A press slot set to "Option Switch1" takes its press-and-hold slot: "None", disabled.
    void ApplyOptionSwitchInterlock(std::size_t pressSlot);
    // Shows in each slot what it offers and no other slot holds, then reselects its code.
    void RebuildLists();

    HKeyFuncParams m_params;
    std::int32_t m_optionUnit = 0;
    int m_lcdType = 1;
    int m_capacity = 1;
    std::int32_t m_firmwareVersion = 0;
    // The code each slot shows; the lists are built from these.
    std::array<std::int32_t, HKeyFuncParams::KEY_SLOT_COUNT> m_chosen{};
};

} // namespace kq70
