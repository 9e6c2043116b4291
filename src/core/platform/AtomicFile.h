#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <sys/types.h>

namespace kq70 {

// The system calls the writer makes, so a test can make a write fail part-way (a full disk,
// a vanished folder) without needing one.
struct FileWriteHooks {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> sync;
};

// Writes all of `data` to `fd`, again after an interrupted call; false (with errno set, EIO for
// a write that took nothing) when the rest cannot be written.
bool writeAll(int fd, std::span<const std::uint8_t> data, const FileWriteHooks& hooks = {});

enum class AtomicWriteResult {
    Ok,
    CannotCreate,    // the temporary file could not be made next to the target
    NotARegularFile, // the path names a device, FIFO, folder…: refused, left untouched
    ReadOnly,        // the file has its read-only attribute: refused, left untouched
    WriteFailed,     // writing, flushing or renaming failed; the target is unchanged
};

// Writes `data` to `path` without ever truncating the old file: the bytes go to a temporary
// file in the same folder, which is flushed to disk and then renamed over the target. On any
// failure the temporary file is removed and the old file is left exactly as it was. A new file
// keeps the old file's permission bits; a new one gets the usual 0666 less the umask. A
// read-only file is never replaced. A symbolic link is followed, not replaced, also when its
// target does not exist yet. Safe to call from any thread.
[[nodiscard]] AtomicWriteResult writeFileAtomically(const std::string& path,
                                                    std::span<const std::uint8_t> data,
                                                    const FileWriteHooks& hooks = {});

} // namespace kq70
