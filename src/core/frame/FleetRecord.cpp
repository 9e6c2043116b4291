#include "frame/FleetRecord.h"

#include "frame/FleetDownload.h"
#include "frame/FleetReport.h"
#include "log/HLogPrint.h"
#include "platform/AtomicFile.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kq70 {

namespace {

constexpr const char* RECORD_SUFFIX = ".record.csv";
constexpr std::string_view SEPARATOR = ",";
constexpr std::string_view QUOTES = "\"";
constexpr std::string_view LINE_END = "\r\n";

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A cell keeps one line, and a quote inside it is doubled, so a file or port name of any
// spelling cannot break the record's lines or columns apart.
std::string cellText(const std::string& cell) {
    std::string text;
    for (const char c : cell) {
        if (c == '\r' || c == '\n') {
            text += ' ';
        } else {
            text += c;
            if (QUOTES.find(c) != std::string_view::npos) {
                text += c;
            }
        }
    }
    return text;
}

std::string failure(const std::string& path, const std::string& reason) {
    return strprintf(std::string(text::FLEET_RECORD_FAILED_FORMAT).c_str(), path.c_str(),
                     reason.c_str());
}

// What goes before the new lines: the header in an empty file, a line end after a last line
// that lacks one (an append cut short by someone else), otherwise nothing.
std::optional<std::string> leadFor(int fd, off_t size) {
    if (size == 0) {
        return FleetRecord::Line(FleetRecord::HeaderCells());
    }
    char last = 0;
    if (::pread(fd, &last, 1, size - 1) != 1) {
        return std::nullopt;
    }
    return last == '\n' ? std::string() : std::string(LINE_END);
}

} // namespace

std::string FleetRecord::LocalTime(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return strprintf("%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                     local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

std::string FleetRecord::PathFor(const std::string& dataFilePath) {
    return dataFilePath + RECORD_SUFFIX;
}

std::vector<std::string> FleetRecord::HeaderCells() {
    return {text::FLEET_RECORD_HEADER.begin(), text::FLEET_RECORD_HEADER.end()};
}

std::vector<std::string> FleetRecord::Cells(const FleetRadioResult& result,
                                            const std::string& dataFilePath,
                                            const std::string& sha256) {
    return {FleetRecord::LocalTime(result.start),
            fileNameOf(dataFilePath),
            sha256,
            result.port,
            result.serialNumber,
            FleetReport::ResultText(result),
            strprintf("%.1f", result.seconds)};
}

std::string FleetRecord::Line(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != 0) {
            line += SEPARATOR;
        }
        line += QUOTES;
        line += cellText(cells[i]);
        line += QUOTES;
    }
    line += LINE_END;
    return line;
}

std::optional<std::string> FleetRecord::Append(const std::string& recordPath,
                                               const std::string& dataFilePath,
                                               const std::string& sha256,
                                               const std::vector<FleetRadioResult>& results) {
    // Non-blocking, so a FIFO without a reader is refused instead of waited for; readable,
    // so the last byte already there can be looked at.
    const int fd = ::open(recordPath.c_str(),
                          O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd < 0) {
        return failure(recordPath, std::strerror(errno));
    }
    const auto closeWith = [&](const std::optional<std::string>& message) {
        ::close(fd);
        return message;
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return closeWith(failure(recordPath, "it is not a regular file"));
    }
    // Two runs appending at once each write their whole block, and only one of them the
    // header.
    if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &info) != 0) {
        return closeWith(failure(recordPath, std::strerror(errno)));
    }
    const std::optional<std::string> lead = leadFor(fd, info.st_size);
    if (!lead) {
        return closeWith(failure(recordPath, std::strerror(errno)));
    }
    std::string block = *lead;
    for (const FleetRadioResult& result : results) {
        block += Line(Cells(result, dataFilePath, sha256));
    }
    const std::vector<std::uint8_t> bytes(block.begin(), block.end());
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        // No half line stays behind: the file goes back to what it held.
        if (::ftruncate(fd, info.st_size) != 0) {
            KQ70_LOG(LOG_ER, 0, "record %s not cut back: %s", recordPath.c_str(),
                     std::strerror(errno));
        }
        return closeWith(failure(recordPath, std::strerror(error)));
    }
    if (::close(fd) != 0) {
        return failure(recordPath, std::strerror(errno));
    }
    return std::nullopt;
}

} // namespace kq70
