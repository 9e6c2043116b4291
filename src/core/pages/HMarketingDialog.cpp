#include "pages/HMarketingDialog.h"

#include "app/AccessMode.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

using P = HMarketingParams;

// Four decimal digits, one per nibble.
constexpr EditDefinition FOUR_DIGITS_EDIT{.kind = EDIT_INTEGER,
                                          .maxChars = 4,
                                          .minimum = 0,
                                          .maximum = 9999,
                                          .format = "%04d",
                                          .filter = FILTER_DIGITS};

constexpr EditDefinition SERIAL_NUMBER_EDIT{.kind = EDIT_INTEGER,
                                            .maxChars =
                                                static_cast<int>(P::SERIAL_NUMBER_CHARACTERS),
                                            .format = "%s",
                                            .filter = FILTER_HEX,
                                            .upperCase = true,
                                            .toText = &HMarketingParams::serialNumberText,
                                            .fromText = &HMarketingParams::serialNumberFromText};

} // namespace

HMarketingDialog::HMarketingDialog(RadioImage& image, int accessMode)
    : HDialog("HMarketingDialog", image, accessMode) {
    SetHelpTopic(help::PAGE_MARKETING);
    AddEdit(GetControlId(P::MARKET_APPLICATION), "Market Application",
            GetControlId(P::MARKET_APPLICATION), FOUR_DIGITS_EDIT, m_params, P::MARKET_APPLICATION);
    AddEdit(GetControlId(P::FIRMWARE_VERSION), "", GetControlId(P::FIRMWARE_VERSION),
            FOUR_DIGITS_EDIT, m_params, P::FIRMWARE_VERSION);
    AddEdit(GetControlId(P::SERIAL_NUMBER), "Serial Number", GetControlId(P::SERIAL_NUMBER),
            SERIAL_NUMBER_EDIT, m_params, P::SERIAL_NUMBER);
    AddEdit(GetControlId(P::EEPROM_SERIAL_NUMBER), "", GetControlId(P::EEPROM_SERIAL_NUMBER),
            SERIAL_NUMBER_EDIT, m_params, P::EEPROM_SERIAL_NUMBER);
}

bool HMarketingDialog::AcquireData() {
    m_params.extract(GetImage());
    return true;
}

bool HMarketingDialog::InitEdit() {
    HDialog::InitEdit();
    const bool editable = GetAccessMode() != ACCESS_NORMAL;
    SetVisible(GetControlId(P::MARKET_APPLICATION), true, editable);
    SetVisible(GetControlId(P::SERIAL_NUMBER), true, editable);
    // The radio's own: the version comes with its data, the copy is made before each write.
    SetVisible(GetControlId(P::FIRMWARE_VERSION), false, false);
    SetVisible(GetControlId(P::EEPROM_SERIAL_NUMBER), false, false);
    return true;
}

bool HMarketingDialog::StoreData() {
    m_params.store(GetImage());
    return true;
}

std::optional<std::string> HMarketingDialog::PromptText(int promptId) const {
    if (promptId == GetControlId(P::MARKET_APPLICATION)) {
        return std::string(text::MARKET_APPLICATION) + std::string(text::ENTER_PANE);
    }
    if (promptId == GetControlId(P::SERIAL_NUMBER)) {
        return std::string(text::SERIAL_NUMBER) + std::string(text::ENTER_PANE);
    }
    return std::nullopt;
}

} // namespace kq70
