#include "frame/CommonCommands.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "frame/DocumentListener.h"
#include "frame/EditSteps.h"
#include "frame/MainMenuModel.h"
#include "pages/HDirectChDialog.h"
#include "pages/HHardwareDialog.h"
#include "pages/HKeyFuncDialog.h"
#include "pages/HMarketingDialog.h"
#include "pages/HMiscDialog.h"
#include "pages/HPowerSaveDialog.h"
#include "pages/HScanningDialog.h"
#include "params/HMiscParams.h"
#include "ui/Strings.h"

#include <vector>

namespace kq70 {

CommonCommands::CommonCommands(CKQ70Doc& doc, const AccessMode& accessMode, UserPrompt& prompt,
                               DocumentListener& view)
    : m_doc(doc), m_accessMode(accessMode), m_prompt(prompt), m_listener(view) {}

std::unique_ptr<HDialog> CommonCommands::CreatePage(int commandId, CKQ70Doc& doc, int accessMode,
                                                    UserPrompt& prompt) {
    RadioImage& image = doc.GetMainMemory();
    switch (commandId) {
    case ID_COMMON_HARDWARE:
        return std::make_unique<HHardwareDialog>(doc, accessMode, prompt);
    case ID_COMMON_SCANNING: {
        const auto channels = std::make_unique<HChannelData>();
        channels->extract(image);
        return std::make_unique<HScanningDialog>(image, accessMode, channels->firstSixteenInUse());
    }
    case ID_COMMON_POWER_SAVING:
        return std::make_unique<HPowerSaveDialog>(image, accessMode);
    case ID_COMMON_KEY_FUNCTION:
        return std::make_unique<HKeyFuncDialog>(image, accessMode);
    case ID_COMMON_MARKETING:
        return std::make_unique<HMarketingDialog>(image, accessMode);
    case ID_COMMON_MISCELLANEOUS:
        return std::make_unique<HMiscDialog>(image, accessMode);
    case ID_COMMON_DIRECT_CH:
        return std::make_unique<HDirectChDialog>(image, accessMode, &prompt);
    default:
        return nullptr;
    }
}

std::string_view CommonCommands::PageTitle(int commandId) {
    switch (commandId) {
    case ID_COMMON_HARDWARE:
        return text::HARDWARE_TITLE;
    case ID_COMMON_SCANNING:
        return text::SCANNING_TITLE;
    case ID_COMMON_POWER_SAVING:
        return text::POWER_SAVING_TITLE;
    case ID_COMMON_KEY_FUNCTION:
        return text::KEY_FUNCTION_TITLE;
    case ID_COMMON_MARKETING:
        return text::MARKETING_TITLE;
    case ID_COMMON_MISCELLANEOUS:
        return text::MISCELLANEOUS_TITLE;
    case ID_COMMON_DIRECT_CH:
        return text::DIRECT_CH_TITLE;
    default:
        return {};
    }
}

bool CommonCommands::OnMenuCommon(int commandId, const PageRunner& run) {
    std::unique_ptr<HDialog> page = CreatePage(commandId, m_doc, m_accessMode.value(), m_prompt);
    if (!page) {
        return false;
    }
    m_listener.viewSaveData();
    // Whatever OK led to is announced once the page's consequences are all in.
    const CKQ70Doc::ChangeScope scope(m_doc);
    RadioImage& image = m_doc.GetMainMemory();
    const auto before = std::make_unique<RadioImage>(image);
    const EditFlags flagsBefore = m_doc.GetEditFlags();
    const std::int32_t optionBefore = HMiscParams::optionUnitOf(image);

    const bool accepted = run(*page, PageTitle(commandId));
    if (accepted) {
        if (commandId == ID_COMMON_HARDWARE) {
            const auto& hardware = static_cast<const HHardwareDialog&>(*page);
            if (!hardware.BandChanged()) {
                m_doc.SetDataModified(true);
            }
            m_listener.viewSaveData();
            if (hardware.RadioChannelChanged()) {
                RegroupChannels(m_doc);
            }
        }
        const std::int32_t optionAfter = HMiscParams::optionUnitOf(image);
        if (commandId == ID_COMMON_MISCELLANEOUS && optionAfter != optionBefore) {
            ApplyOptionUnitChange(m_doc, optionAfter);
        }
        // Whatever OK changed must reach the save prompt, on every page, and can be taken
        // back as one step.
        if (m_doc.GetUndoHistory().recordIfChanged(EditSteps::PageStep(PageTitle(commandId)),
                                                   *before, flagsBefore, image)) {
            m_doc.SetDataModified(true);
        }
    }
    return accepted;
}

void CommonCommands::ApplyOptionUnitChange(CKQ70Doc& doc, int newOptionUnit) {
    RadioImage& image = doc.GetMainMemory();
    HChannelData channels;
    channels.extract(image);
    const std::int32_t encryptionValue =
        newOptionUnit == OPTION_UNIT_ENCRYPTION ? OPTION_UNIT_ENCRYPTION : 0;
    for (int channel = 0; channel < channels.capacity(); ++channel) {
        channels.setValue(channel, signalType, 0);
        channels.setValue(channel, signalNumber, 0);
        channels.setValue(channel, encryption, encryptionValue);
    }
    channels.store(image);
    doc.SetDataModified(true);
}

void CommonCommands::RegroupChannels(CKQ70Doc& doc) {
    // Extracting cuts the groups to the new capacity; storing writes them back.
    HChannelData channels;
    channels.extract(doc.GetMainMemory());
    channels.store(doc.GetMainMemory());
}

} // namespace kq70
