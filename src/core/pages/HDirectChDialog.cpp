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

// The typed channel number, when it is one the record can hold.
std::optional<std::int32_t> channelNumber(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() ||
        number < P::FIRST_CHANNEL_NUMBER || number > P::LAST_CHANNEL_NUMBER) {
        return std::nullopt;
    }
    return number;
}

std::string shownNumber(std::int32_t stored) {
    return strprintf("%d", P::numberOf(stored));
}

std::optional<std::int32_t> storedNumber(std::string_view text) {
    const auto number = channelNumber(text);
    return number ? std::optional<std::int32_t>(P::storedOf(*number)) : std::nullopt;
}

// The edit shows the channel number; the record holds it less one.
constexpr EditDefinition CHANNEL_NUMBER_EDIT{.kind = EDIT_INTEGER,
                                             .maxChars = 3,
                                             .minimum = P::storedOf(P::FIRST_CHANNEL_NUMBER),
                                             .maximum = P::storedOf(P::LAST_CHANNEL_NUMBER),
                                             .format = "%d",
                                             .filter = FILTER_DIGITS,
                                             .toText = shownNumber,
                                             .fromText = storedNumber};

constexpr std::array<std::string_view, P::DIRECT_CH_COUNT> LABELS{"Direct CH No#1",
                                                                  "Direct CH No#2"};
constexpr std::array<std::string_view, P::DIRECT_CH_COUNT> PROMPTS{text::DIRECT_CH_1,
                                                                   text::DIRECT_CH_2};
constexpr std::string_view ENTER_PANE = "\n<ENTER>";

} // namespace

HDirectChDialog::HDirectChDialog(RadioImage& image, int accessMode, UserPrompt* prompt)
    : HDialog("HDirectChDialog", image, accessMode), m_prompt(prompt) {
    setHelpTopic(help::PAGE_DIRECT_CH);
    for (std::size_t k = 0; k < P::DIRECT_CH_COUNT; ++k) {
        addEdit(controlId(k), std::string(LABELS[k]), controlId(k), CHANNEL_NUMBER_EDIT, m_params,
                P::channelIndex(k));
    }
}

// A number outside the prompt's range is refused, never cut to fit: the radio would call
// another channel than the one typed. An empty edit names no channel and keeps the record.
bool HDirectChDialog::CheckBeforeOk() {
    for (std::size_t k = 0; k < P::DIRECT_CH_COUNT; ++k) {
        const PageControl* edit = control(controlId(k));
        if (edit == nullptr || edit->text.empty() || channelNumber(edit->text)) {
            continue;
        }
        if (m_prompt != nullptr) {
            m_prompt->message(strprintf(text::DIRECT_CH_OUT_OF_RANGE.data(),
                                        std::string(LABELS[k]).c_str(), P::FIRST_CHANNEL_NUMBER,
                                        P::LAST_CHANNEL_NUMBER),
                              MessageIcon::Exclamation);
        }
        setFocus(controlId(k));
        return false;
    }
    return true;
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
