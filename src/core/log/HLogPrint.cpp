#include "log/HLogPrint.h"

#include "log/HVersionInfo.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

namespace {

std::string timeStamp() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return strprintf("%04d/%02d/%02d %02d:%02d:%02d.%03d", local.tm_year + 1900, local.tm_mon + 1,
                     local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                     static_cast<int>(now.tv_nsec / 1000000));
}

} // namespace

HLogPrint::~HLogPrint() {
    end();
}

HLogPrint& HLogPrint::global() {
    static HLogPrint log;
    return log;
}

void HLogPrint::setAllLevels(const std::array<int, LOG_CHANNELS>& levels) {
    for (std::size_t k = 0; k < levels.size(); ++k) {
        m_levels[k].store(levels[k], std::memory_order_relaxed);
    }
}

void HLogPrint::start(const LogSettings& settings, const HVersionInfo& version) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_defaultName = settings.defaultName;
        if (m_defaultName.empty()) {
            setAllLevels({});
            return;
        }
        m_paths = settings.paths;
    }
    setAllLevels(settings.levels);
    m_bannerWritten = true;
    print(LOG_D1, 0, __FILE__, __LINE__,
          "**************The log output begins.[Ver.%s][Inner Ver.%s] *****************",
          std::string(Strings::get(IDS_VERSION_NUMBER)).c_str(), version.GetFileVersion().c_str());
}

void HLogPrint::end() {
    if (m_bannerWritten.exchange(false)) {
        print(LOG_D1, 0, __FILE__, __LINE__,
              "**************The log output ended.*****************");
    }
    setAllLevels({});
}

void HLogPrint::enableChannel(int channel, int newLevel, const std::string& filePath) {
    if (static_cast<unsigned>(channel) >= static_cast<unsigned>(LOG_CHANNELS)) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_paths[static_cast<std::size_t>(channel)] = filePath;
    }
    m_levels[static_cast<std::size_t>(channel)].store(newLevel, std::memory_order_relaxed);
}

int HLogPrint::level(int channel) const {
    if (static_cast<unsigned>(channel) >= static_cast<unsigned>(LOG_CHANNELS)) {
        return 0;
    }
    return m_levels[static_cast<std::size_t>(channel)].load(std::memory_order_relaxed);
}

std::string HLogPrint::path(int channel) const {
    if (static_cast<unsigned>(channel) >= static_cast<unsigned>(LOG_CHANNELS)) {
        return {};
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_paths[static_cast<std::size_t>(channel)];
}

std::string HLogPrint::defaultName() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_defaultName;
}

std::string_view HLogPrint::tag(int messageLevel) {
    switch (messageLevel) {
    case LOG_ER:
        return "[ER]";
    case LOG_WR:
        return "[WR]";
    case LOG_D1:
        return "[D1]";
    case LOG_D2:
        return "[D2]";
    case LOG_D3:
        return "[D3]";
    case LOG_D4:
        return "[D4]";
    default:
        return {};
    }
}

std::string HLogPrint::lineBody(int messageLevel, std::string_view message, const char* file,
                                int line) {
    // A build that compiles from a relative path leaves "../" in front of the repository path.
    std::string_view path = file != nullptr ? file : "";
    while (path.starts_with("../") || path.starts_with("./")) {
        path.remove_prefix(path.find('/') + 1);
    }
    const std::string site = strprintf("(File:[%s] Line:[%d])", std::string(path).c_str(), line);
    return strprintf("%s %s %s", std::string(tag(messageLevel)).c_str(),
                     std::string(message).c_str(), site.c_str());
}

void HLogPrint::vprint(int messageLevel, int channel, const char* file, int line,
                       const char* format, va_list args) {
    if (!accepts(messageLevel, channel) || level(channel) <= 0) {
        return;
    }
    write(messageLevel, channel, vstrprintf(format, args), file, line);
}

void HLogPrint::print(int messageLevel, int channel, const char* file, int line, const char* format,
                      ...) {
    va_list args;
    va_start(args, format);
    vprint(messageLevel, channel, file, line, format, args);
    va_end(args);
}

void HLogPrint::write(int messageLevel, int channel, const std::string& message, const char* file,
                      int line) {
    if (tag(messageLevel).empty()) {
        return;
    }
    // "%s %s %s %s\n": time stamp, tag, message, call site.
    const std::string text = timeStamp() + " " + lineBody(messageLevel, message, file, line) + "\n";
    const std::lock_guard<std::mutex> lock(m_mutex);
    const std::string& target = m_paths[static_cast<std::size_t>(channel)];
    if (target.empty()) {
        return;
    }
    // Only a regular file takes the line. The open never waits (a FIFO without a reader
    // fails at once, one with a reader is refused by its type), so a settings file naming a
    // FIFO or a device cannot stop the program. (The log sits below the platform layer and
    // its RegularFile, hence this one open of its own.)
    const int fd = ::open(target.c_str(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return; // an unwritable log drops the line
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
    }
    ::close(fd);
}

void LogPrint(int level, int channel, const char* file, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    HLogPrint::global().vprint(level, channel, file, line, format, args);
    va_end(args);
}

} // namespace kq70
