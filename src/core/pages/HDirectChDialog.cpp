#include "pages/HDirectChDialog.h"

#include "ui/Strings.h"

#include <array>
#include <string_view>

namespace kq70 {

namespace {

using P = HDirectChParams;

// The record holds the number exactly as typed (1-based), so the edit takes only what the
// byte can hold.
constexpr EditDefinition CHANNEL_NUMBER_EDIT{.kind = EDIT_INTEGER,
                                             .maxChars = 3,
                                             .minimum = P::FIRST_CHANNEL_NUMBER,
                                             .maximum = P::LAST_CHANNEL_NUMBER,
                                             .format = "%d",
                                             .filter = FILTER_DIGITS};

constexpr std::array<std::string_view, P::DIRECT_CH_COUNT> LABELS{"Direct CH No#1",
                                                                  "Direct CH No#2"};
constexpr std::array<std::string_view, P::DIRECT_CH_COUNT> PROMPTS{text::DIRECT_CH_1,
                                                                   text::DIRECT_CH_2};
constexpr std::string_view ENTER_PANE = "\n<ENTER>";

} // namespace

HDirectChDialog::HDirectChDialog(RadioImage& image, int accessMode)
    : HDialog("HDirectChDialog", image, accessMode) {
    setHelpTopic(help::PAGE_DIRECT_CH);
    for (std::size_t k = 0; k < P::DIRECT_CH_COUNT; ++k) {
        addEdit(controlId(k), std::string(LABELS[k]), controlId(k), CHANNEL_NUMBER_EDIT, m_params,
                P::channelIndex(k));
    }
}

std::optional<std::string> HDirectChDialog::promptText(int promptId) const {
    for (std::size_t k = 0; k < P::DIRECT_CH_COUNT; ++k) {
        if (promptId == controlId(k)) {
            return std::string(PROMPTS[k]) + std::string(ENTER_PANE);
        }
    }
    return std::nullopt;
}

} // namespace kq70
