#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

namespace {

// The file the path names in the end: a link to a data file means the data file.
std::string resolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

bool writeAll(int fd, std::span<const std::uint8_t> data, const FileWriteHooks& hooks) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = hooks.write ? hooks.write(fd, data.data() + done, data.size() - done)
                                      : ::write(fd, data.data() + done, data.size() - done);
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

mode_t modeForNewFile(const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicWriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                                      const FileWriteHooks& hooks) {
    const std::string target = resolveTarget(path);
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return AtomicWriteResult::CannotCreate;
    }
    bool ok = writeAll(fd, data, hooks);
    ok = ok && ::fchmod(fd, modeForNewFile(target)) == 0;
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
