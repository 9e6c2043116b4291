#pragma once

#include <QString>

#include <string_view>

namespace kq70 {

// A text of the string table (UTF-8) as Qt takes it.
inline QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kq70
