#pragma once

#include <chrono>
#include <string>

namespace kq70 {

// An advisory lock on a data file for the time one process reads, changes and writes it
// back: a second process that asks for the same lock waits or is refused, so neither loses
// the other's change. The writer replaces the file by a rename, so a lock is only held once
// the path still names the file that was locked. Move-only; released when it goes.
class FileLock {
public:
    enum class Result {
        Locked,
        Missing, // no file to lock: nobody can be changing it
        Busy,    // another process holds the lock
        Failed,  // the file cannot be opened for reading
    };

    // Tries again until `wait` has passed; with zero, once.
    static FileLock acquire(const std::string& path, std::chrono::milliseconds wait);

    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    Result result() const { return m_result; }
    bool locked() const { return m_result == Result::Locked; }

private:
    explicit FileLock(Result result, int fd = -1) : m_fd(fd), m_result(result) {}
    void release();

    int m_fd = -1;
    Result m_result = Result::Failed;
};

} // namespace kq70
