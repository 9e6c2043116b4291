#pragma once

#include "pages/HDialog.h"
#include "params/HHardwareParams.h"

#include <optional>
#include <string>

namespace kq70 {

class CKQ70Doc;
class UserPrompt;

// Control ids of the hardware page: combo id = IDC_HW_FIRST_COMBO + the value it edits.
enum HardwareControlId : int {
    IDC_HW_FIRST_COMBO = 2100,
    IDC_HW_RADIO_CHANNEL = IDC_HW_FIRST_COMBO + HW_RADIO_CHANNEL,
    IDC_HW_FREQUENCY_BAND = IDC_HW_FIRST_COMBO + HW_FREQUENCY_BAND,
    IDC_HW_PRODUCT_TYPE = IDC_HW_FIRST_COMBO + HW_PRODUCT_TYPE,
    IDC_HW_LCD_TYPE = IDC_HW_FIRST_COMBO + HW_LCD_TYPE,
    IDC_HW_LOCAL_OFFSET = IDC_HW_FIRST_COMBO + HW_LOCAL_OFFSET,
    IDC_HW_CHANNEL_STEP = IDC_HW_FIRST_COMBO + HW_CHANNEL_STEP,
    IDC_HW_SQL_RELEASE_TIME = IDC_HW_FIRST_COMBO + HW_SQL_RELEASE_TIME,
    IDC_HW_SQL_ATTACK_TIME = IDC_HW_FIRST_COMBO + HW_SQL_ATTACK_TIME,
    IDC_HW_SQL_HYSTERESIS = IDC_HW_FIRST_COMBO + HW_SQL_HYSTERESIS,
    IDC_HW_RX_DCS_POLARITY = IDC_HW_FIRST_COMBO + HW_RX_DCS_POLARITY,
    IDC_HW_TX_DCS_POLARITY = IDC_HW_FIRST_COMBO + HW_TX_DCS_POLARITY,
    IDC_HW_KEYPAD = IDC_HW_FIRST_COMBO + HW_KEYPAD,
    IDC_HW_CTCSS_RELEASE_TIME = IDC_HW_FIRST_COMBO + HW_CTCSS_RELEASE_TIME,
    IDC_HW_REF_XTAL = 2113,
    IDC_HW_FIRST_IF = 2114,
    IDC_HW_FREQUENCY_MIN = 2115,
    IDC_HW_FREQUENCY_MAX = 2116,
    IDC_HW_SCAN_PLL_B = 2117,
};

// The "Hardware" page: 13 combos over values 0–12 and five edits (Ref XTAL, 1st IF, the two
// frequency limits, Scan PLL B Register). Capacity, band, product, display type, channel
// step, CTCSS release time and the limits arrive with the radio's data and are never shown;
// in user mode the edits are shown disabled. OK refuses a lower limit above the upper one,
// clears the A–D key functions of a radio without a display, stores, and sets the document's
// hardware edited flag when a stored hardware value changed.
class HHardwareDialog : public HDialog {
public:
    HHardwareDialog(CKQ70Doc& doc, int accessMode, UserPrompt& prompt);

    // Answers for the caller after OK: whether the band, the Radio Channel value or the LCD
    // type were changed. False before OK and after Cancel.
    bool BandChanged() const { return m_bandChanged; }
    bool RadioChannelChanged() const { return m_radioChannelChanged; }
    bool DisplayTypeChanged() const { return m_displayTypeChanged; }

    const HHardwareParams& GetParams() const { return m_params; }

protected:
    bool AcquireData() override;
    bool InitCombo() override;
    bool InitEdit() override;
    bool StoreData() override;
    bool CheckBeforeOk() override;
    void OnControlChanged(int id) override;
    std::optional<std::string> PromptText(int promptId) const override;

private:
    // Channel Step offers only the steps the band's synthesizer has.
    void FilterChannelSteps(int band);
    // A frequency limit as OK will save it.
    std::int32_t LimitToSave(int id, std::size_t index) const;

    CKQ70Doc& m_doc;
    UserPrompt& m_prompt;
    HHardwareParams m_params;
    HHardwareParams m_asRead;
    bool m_bandChanged = false;
    bool m_radioChannelChanged = false;
    bool m_displayTypeChanged = false;
};

} // namespace kq70
