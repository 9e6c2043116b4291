#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kq70 {

RegularFile RegularFile::open(const std::string& path, int flags) {
    if (path.empty()) {
        return {-1, FileOpenStatus::Missing, ENOENT};
    }
    // O_NONBLOCK only for the open: with it a FIFO opens at once (or fails with ENXIO when
    // written without a reader) instead of waiting for its other end.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        return {-1, error == ENOENT ? FileOpenStatus::Missing : FileOpenStatus::Failed, error};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {-1, FileOpenStatus::NotRegular, EINVAL};
    }
    const int fileFlags = ::fcntl(fd, F_GETFL);
    if (fileFlags < 0 || ::fcntl(fd, F_SETFL, fileFlags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        return {-1, FileOpenStatus::Failed, error};
    }
    return {fd, FileOpenStatus::Ok, 0};
}

RegularFile RegularFile::openForReading(const std::string& path) {
    return open(path, O_RDONLY);
}

RegularFile RegularFile::openForAppending(const std::string& path) {
    return open(path, O_WRONLY | O_APPEND | O_CREAT);
}

RegularFile::~RegularFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_status(other.m_status), m_error(other.m_error) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = std::exchange(other.m_fd, -1);
        m_status = other.m_status;
        m_error = other.m_error;
    }
    return *this;
}

long long RegularFile::readUpTo(std::span<std::uint8_t> buffer) {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::read(m_fd, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}

bool RegularFile::writeAll(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

FileReadStatus readRegularFile(const std::string& path, std::size_t maxSize, std::string& out) {
    out.clear();
    RegularFile file = RegularFile::openForReading(path);
    switch (file.status()) {
    case FileOpenStatus::Ok:
        break;
    case FileOpenStatus::Missing:
        return FileReadStatus::Missing;
    case FileOpenStatus::NotRegular:
        return FileReadStatus::NotRegular;
    case FileOpenStatus::Failed:
        return FileReadStatus::Failed;
    }
    // Read in blocks until the end: a file that grows past the limit while it is read is
    // refused like one that was too large from the start.
    std::vector<std::uint8_t> block(64 * 1024);
    for (;;) {
        const long long count = file.readUpTo(block);
        if (count < 0) {
            out.clear();
            return FileReadStatus::Failed;
        }
        out.append(block.begin(), block.begin() + count);
        if (out.size() > maxSize) {
            out.clear();
            return FileReadStatus::TooLarge;
        }
        if (static_cast<std::size_t>(count) < block.size()) {
            break;
        }
    }
    return FileReadStatus::Ok;
}

} // namespace kq70
