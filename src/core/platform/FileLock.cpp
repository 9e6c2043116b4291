#include "platform/FileLock.h"

#include "platform/RegularFile.h"

#include <cerrno>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace kq70 {

namespace {

constexpr std::chrono::milliseconds RETRY_PAUSE(10);

// The path still names the file open as `fd`: no one renamed a new file over it.
bool pathNamesFile(const std::string& path, int fd) {
    struct stat byPath {};
    struct stat byFd {};
    return ::stat(path.c_str(), &byPath) == 0 && ::fstat(fd, &byFd) == 0 &&
           byPath.st_dev == byFd.st_dev && byPath.st_ino == byFd.st_ino;
}

} // namespace

FileLock FileLock::acquire(const std::string& path, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        RegularFile file = RegularFile::openForReading(path);
        if (file.status() == FileOpenStatus::Missing) {
            return FileLock(Result::Missing);
        }
        if (!file.isOpen()) {
            return FileLock(Result::Failed);
        }
        if (::flock(file.fd(), LOCK_EX | LOCK_NB) == 0) {
            if (pathNamesFile(path, file.fd())) {
                return FileLock(Result::Locked, file.release());
            }
            continue; // replaced while we waited: lock the new file
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return FileLock(Result::Failed);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return FileLock(Result::Busy);
        }
        std::this_thread::sleep_for(RETRY_PAUSE);
    }
}

FileLock::~FileLock() {
    release();
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_result(other.m_result) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_result = other.m_result;
    }
    return *this;
}

void FileLock::release() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace kq70
