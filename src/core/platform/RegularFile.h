#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

namespace kq70 {

// Why a file named by the user, the settings or the program folder was not opened.
enum class FileOpenStatus {
    Ok,
    Missing,    // nothing at the path
    NotRegular, // a FIFO, a device, a socket or a folder
    Failed,     // no permission, a dangling link, too many open files...
};

// A regular file opened by name, and only a regular file: the open never blocks (a FIFO
// without a writer would wait for one for ever, a device might), and the type is checked on
// the opened descriptor, so nothing can be swapped in between a check and the open. Every
// file the program reads or appends to by name goes through here. Move-only; closes itself.
class RegularFile {
public:
    static RegularFile openForReading(const std::string& path);
    // Appends at the end; a missing file is created (0666 less the umask).
    static RegularFile openForAppending(const std::string& path);

    RegularFile() = default;
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    FileOpenStatus status() const { return m_status; }
    // The errno of a failed open.
    int error() const { return m_error; }
    int fd() const { return m_fd; }
    // Hands the descriptor over to the caller, who closes it.
    int release() { return std::exchange(m_fd, -1); }

    // Reads until the buffer is full or the file ends; the number of bytes read, or -1 when a
    // read failed.
    long long readUpTo(std::span<std::uint8_t> buffer);
    // Writes everything; false on the first failure.
    bool writeAll(std::span<const std::uint8_t> bytes);

private:
    RegularFile(int fd, FileOpenStatus status, int error)
        : m_fd(fd), m_status(status), m_error(error) {}
    static RegularFile open(const std::string& path, int flags);

    int m_fd = -1;
    FileOpenStatus m_status = FileOpenStatus::Failed;
    int m_error = 0;
};

enum class FileReadStatus { Ok, Missing, NotRegular, TooLarge, Failed };

// The whole of a regular file of at most `maxSize` bytes into `out`. On anything but Ok
// `out` is left empty.
FileReadStatus readRegularFile(const std::string& path, std::size_t maxSize, std::string& out);

} // namespace kq70
