#pragma once

#include <array>
#include <string>

namespace kq70 {

constexpr int LOG_CHANNELS = 100;

// What the log is told at start-up: a default file name (empty = the log is off) and, per
// channel, a level and the full path of its file. The application reads it from its
// settings; the log itself reads no files but its own.
struct LogSettings {
    std::string defaultName;
    std::array<int, LOG_CHANNELS> levels{};
    std::array<std::string, LOG_CHANNELS> paths;
};

} // namespace kq70
