#include "platform/AtomicFile.h"

#include "platform/FilePaths.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

namespace {

// Creates a new temporary file next to `target` with mode 0666, so the kernel applies the
// process umask as for any new file; the umask itself is never read or changed, which
// would race with other threads creating files.
int createTemporary(const std::string& target, std::string& temporary) {
    constexpr int ATTEMPTS = 100;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        temporary = target + "." + std::to_string(::getpid()) + "-" + std::to_string(::gettid()) +
                    "-" + std::to_string(now.tv_nsec) + "-" + std::to_string(attempt) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// A file that replaces an existing one keeps its permission bits; a new file has the
// bits it was created with.
bool keepExistingMode(int fd, const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) {
        return true;
    }
    return ::fchmod(fd, existing.st_mode & 07777) == 0;
}

} // namespace

bool writeAll(int fd, std::span<const std::uint8_t> data, const FileWriteHooks& hooks) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = hooks.write ? hooks.write(fd, data.data() + done, data.size() - done)
                                      : ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

AtomicWriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                                      const FileWriteHooks& hooks) {
    // A link to a data file means the data file, also when the link's target is not there
    // yet: the link stays a link.
    const std::optional<std::string> resolved = resolveWriteTarget(path);
    if (!resolved) {
        return AtomicWriteResult::CannotCreate;
    }
    const std::string& target = *resolved;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return AtomicWriteResult::NotARegularFile; // a rename would replace the node
    }
    // The folder's permissions would let the rename replace it all the same.
    if (isReadOnlyFile(target)) {
        return AtomicWriteResult::ReadOnly;
    }
    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) {
        return AtomicWriteResult::CannotCreate;
    }
    bool ok = writeAll(fd, data, hooks);
    ok = ok && keepExistingMode(fd, target);
    ok = ok && (hooks.sync ? hooks.sync(fd) : ::fsync(fd)) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return AtomicWriteResult::WriteFailed;
    }
    return AtomicWriteResult::Ok;
}

} // namespace kq70
