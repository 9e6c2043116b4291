#include "app/SingleInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kq70 {

SingleInstanceLock::SingleInstanceLock(const std::string& lockFilePath) {
    const int fd = ::open(lockFilePath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

} // namespace kq70
