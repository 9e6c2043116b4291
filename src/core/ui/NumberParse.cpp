#include "ui/NumberParse.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kq70 {

namespace {

// Drops leading blanks and a '+' sign, which from_chars does not accept; a '-' is kept.
std::string_view numberStart(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    return text.substr(i);
}

} // namespace

std::optional<double> parseDecimalPrefix(std::string_view text) {
    const std::string_view digits = numberStart(text);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> parseIntegerPrefix(std::string_view text) {
    const std::string_view digits = numberStart(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too many digits saturates, as strtol does.
        return digits.front() == '-' ? std::numeric_limits<std::int64_t>::min()
                                     : std::numeric_limits<std::int64_t>::max();
    }
    if (error != std::errc()) {
        return std::nullopt;
    }
    return value;
}

} // namespace kq70
