#include "pages/HDirectChDialog.h"

#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <array>
#include <charconv>
#include <string_view>

namespace kq70 {

namespace {

using P = HDirectChParams;

// The typed text as a whole number, when it is one.
std::optional<std::int32_t> typedNumber(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

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

} // namespace

HDirectChDialog::HDirectChDialog(RadioImage& image, int accessMode, UserPrompt* prompt)
    : HDialog("HDirectChDialog", image, accessMode), m_prompt(prompt) {
    SetHelpTopic(help::PAGE_DIRECT_CH);
    for (std::size_t k = 0; k < P::DIRECT_CH_COUNT; ++k) {
        AddEdit(GetControlId(k), std::string(LABELS[k]), GetControlId(k), CHANNEL_NUMBER_EDIT,
                m_params, P::channelIndex(k));
    }
}

// A number is refused, never cut to fit: the radio would call another channel than the one
// typed. A number outside the prompt's range says so; 256 is within it but its byte cannot
// hold it. An empty edit names no channel and keeps the record.
bool HDirectChDialog::CheckBeforeOk() {
    for (std::size_t k = 0; k < P::DIRECT_CH_COUNT; ++k) {
        const PageControl* edit = GetControl(GetControlId(k));
        if (edit == nullptr || edit->text.empty()) {
            continue;
        }
        const auto number = typedNumber(edit->text);
        if (number && *number >= P::FIRST_CHANNEL_NUMBER && *number <= P::LAST_CHANNEL_NUMBER) {
            continue;
        }
        const std::string label(LABELS[k]);
        const bool inPromptRange =
            number && *number > P::LAST_CHANNEL_NUMBER && *number <= P::PROMPT_LAST_CHANNEL_NUMBER;
        if (m_prompt != nullptr) {
            m_prompt->message(
                inPromptRange ? strprintf(text::DIRECT_CH_NOT_STORABLE.data(), label.c_str(),
                                          *number, P::LAST_CHANNEL_NUMBER)
                              : strprintf(text::DIRECT_CH_OUT_OF_RANGE.data(), label.c_str(),
                                          P::FIRST_CHANNEL_NUMBER, P::PROMPT_LAST_CHANNEL_NUMBER),
                MessageIcon::Exclamation);
        }
        SetFocus(GetControlId(k));
        return false;
    }
    return true;
}

std::optional<std::string> HDirectChDialog::PromptText(int promptId) const {
    for (std::size_t k = 0; k < P::DIRECT_CH_COUNT; ++k) {
        if (promptId == GetControlId(k)) {
            return std::string(PROMPTS[k]) + std::string(text::ENTER_PANE);
        }
    }
    return std::nullopt;
}

} // namespace kq70
