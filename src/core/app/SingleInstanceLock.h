#pragma once

#include <string>

namespace kq70 {

// Keeps a second copy of the program from running on the same program folder: an exclusive
// lock on a file there, held for as long as this object lives. The operating system drops the
// lock when the process ends, however it ends.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const std::string& lockFilePath);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False when another instance holds the lock (or the file cannot be made).
    bool acquired() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace kq70
