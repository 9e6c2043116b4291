#include "SimulatedRadios.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kq70 {

std::optional<RadioFaultWord> splitRadioFaultWord(std::string_view text) {
    const std::size_t colon = text.find(':');
    const std::string_view head = text.substr(0, colon == std::string_view::npos ? 0 : colon);
    const bool numbered = !head.empty() && std::all_of(head.begin(), head.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
    if (!numbered) {
        return RadioFaultWord{0, std::string(text)};
    }
    unsigned radio = 0;
    const auto [end, error] = std::from_chars(head.data(), head.data() + head.size(), radio);
    const std::string_view word = text.substr(colon + 1);
    if (error != std::errc() || end != head.data() + head.size() || radio == 0 || word.empty()) {
        return std::nullopt;
    }
    return RadioFaultWord{radio, std::string(word)};
}

} // namespace kq70
