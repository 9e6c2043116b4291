#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kq70 {

// Number parsing that ignores the process locale: a point is the decimal separator, always.
// Like strtod and strtol, leading blanks and a '+' are skipped and the number may be
// followed by other text; nullopt when the text does not start with a number (or, for a
// decimal, when it is too large for a double). An integer too long saturates.
std::optional<double> parseDecimalPrefix(std::string_view text);
std::optional<std::int64_t> parseIntegerPrefix(std::string_view text);

} // namespace kq70
