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

constexpr std::string_view ENTER_PANE = "\n<ENTER>";

} // namespace

HMarketingDialog::HMarketingDialog(RadioImage& image, int accessMode)
    : HDialog("HMarketingDialog", image, accessMode) {
    setHelpTopic(help::PAGE_MARKETING);
    addEdit(controlId(P::MARKET_APPLICATION), "Market Application",
            controlId(P::MARKET_APPLICATION), FOUR_DIGITS_EDIT, m_params, P::MARKET_APPLICATION);
    addEdit(controlId(P::FIRMWARE_VERSION), "", controlId(P::FIRMWARE_VERSION), FOUR_DIGITS_EDIT,
            m_params, P::FIRMWARE_VERSION);
    addEdit(controlId(P::SERIAL_NUMBER), "Serial Number", controlId(P::SERIAL_NUMBER),
            SERIAL_NUMBER_EDIT, m_params, P::SERIAL_NUMBER);
    addEdit(controlId(P::EEPROM_SERIAL_NUMBER), "", controlId(P::EEPROM_SERIAL_NUMBER),
            SERIAL_NUMBER_EDIT, m_params, P::EEPROM_SERIAL_NUMBER);
}

bool HMarketingDialog::AcquireData() {
    m_params.extract(image());
    return true;
}

bool HMarketingDialog::InitEdit() {
    HDialog::InitEdit();
    const bool editable = accessMode() != ACCESS_NORMAL;
    setVisible(controlId(P::MARKET_APPLICATION), true, editable);
    setVisible(controlId(P::SERIAL_NUMBER), true, editable);
    // The radio's own: the version comes with its data, the copy is made before each write.
    setVisible(controlId(P::FIRMWARE_VERSION), false, false);
    setVisible(controlId(P::EEPROM_SERIAL_NUMBER), false, false);
    return true;
}

bool HMarketingDialog::StoreData() {
    m_params.store(image());
    return true;
}

std::optional<std::string> HMarketingDialog::promptText(int promptId) const {
    if (promptId == controlId(P::MARKET_APPLICATION)) {
        return std::string(text::MARKET_APPLICATION) + std::string(ENTER_PANE);
    }
    if (promptId == controlId(P::SERIAL_NUMBER)) {
        return std::string(text::SERIAL_NUMBER) + std::string(ENTER_PANE);
    }
    return std::nullopt;
}

} // namespace kq70
