#pragma once

#include "log/LogSettings.h"

#include <array>
#include <atomic>
#include <cstdarg>
#include <mutex>
#include <string>
#include <string_view>

namespace kq70 {

class HVersionInfo;

// Message levels; a channel prints a message when its own level is at least the message's.
enum LogLevel : int {
    LOG_ER = 1, // errors
    LOG_WR = 2, // warnings
    LOG_D1 = 3, // entry/exit of frame and document operations, banners
    LOG_D2 = 4, // messages sent, settings values read
    LOG_D3 = 5,
    LOG_D4 = 6, // entry/exit of dialog-base operations
};

// The diagnostic log: up to LOG_CHANNELS channels, each with a level and a file. It is off
// unless its settings name a default log file. Every line opens,
// appends and closes its file, so a log can be removed or copied while the program runs.
// Any thread may log and change a channel at any time: the levels are atomics (a relaxed
// load when a channel is off), the file names and the files are guarded by one mutex.
class HLogPrint {
public:
    HLogPrint() = default;
    ~HLogPrint();
    HLogPrint(const HLogPrint&) = delete;
    HLogPrint& operator=(const HLogPrint&) = delete;

    // The one process-wide log the program writes to.
    static HLogPrint& global();

    // Takes the settings the application read and, when the log is on, writes the start
    // banner. Call once, before any other thread logs.
    void start(const LogSettings& settings, const HVersionInfo& version);
    // Writes the end banner when the log was on; later messages are dropped.
    void end();

    // Switches one channel on (level > 0) into `path`, as the command line's --log-level does.
    void enableChannel(int channel, int level, const std::string& path);

    // The check every log call makes first: two comparisons when the channel is off.
    bool accepts(int level, int channel) const noexcept {
        return static_cast<unsigned>(channel) < static_cast<unsigned>(LOG_CHANNELS) &&
               level <= m_levels[static_cast<std::size_t>(channel)].load(std::memory_order_relaxed);
    }

    void vprint(int level, int channel, const char* file, int line, const char* format,
                va_list args);
    void print(int level, int channel, const char* file, int line, const char* format, ...)
        __attribute__((format(printf, 6, 7)));

    int level(int channel) const;
    // Copies: another thread may change them at any moment.
    std::string path(int channel) const;
    std::string defaultName() const;

    // "[ER]" … "[D4]"; empty for any other level.
    static std::string_view tag(int level);
    // One log line without its time stamp: tag, message and call site.
    static std::string lineBody(int level, std::string_view message, const char* file, int line);

private:
    void write(int level, int channel, const std::string& message, const char* file, int line);
    void setAllLevels(const std::array<int, LOG_CHANNELS>& levels);

    std::array<std::atomic<int>, LOG_CHANNELS> m_levels{};
    std::atomic<bool> m_bannerWritten = false;
    mutable std::mutex m_mutex; // guards the names below and every write to a log file
    std::array<std::string, LOG_CHANNELS> m_paths;
    std::string m_defaultName;
};

// Puts `tag` in front of every message the calling thread logs while the object lives, as
// "[tag] message": the jobs of several radios run at once, each on a thread of its own, and
// each one's lines carry its port's name. The former tag comes back when the object goes.
class LogThreadTag {
public:
    explicit LogThreadTag(std::string tag);
    ~LogThreadTag();
    LogThreadTag(const LogThreadTag&) = delete;
    LogThreadTag& operator=(const LogThreadTag&) = delete;

    // The calling thread's tag; empty when it has none.
    static const std::string& current();

private:
    std::string m_previous;
};

// The log channel of the program's own messages.
constexpr int LOG_CHANNEL = 0;

// Formats and writes one message to the process-wide log.
void LogPrint(int level, int channel, const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 5, 6)));

} // namespace kq70

// Logs on the process-wide log with the call site; costs two comparisons when off.
#define KQ70_LOG(level, channel, ...)                                                              \
    do {                                                                                           \
        if (::kq70::HLogPrint::global().accepts((level), (channel))) {                             \
            ::kq70::LogPrint((level), (channel), __FILE__, __LINE__, __VA_ARGS__);                 \
        }                                                                                          \
    } while (0)
