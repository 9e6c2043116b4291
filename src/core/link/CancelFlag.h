#pragma once

#include <atomic>

namespace kq70 {

// A request to stop a running radio job, set from another thread (the window's Cancel
// button) or from a signal handler (Ctrl+C on the command line): the job looks at it between
// blocks and while it waits for the radio, and stops at the next safe point.
class CancelFlag {
public:
    void request() noexcept { m_requested.store(true); }
    void clear() noexcept { m_requested.store(false); }
    bool requested() const noexcept { return m_requested.load(); }

private:
    // Lock-free, so setting it from a signal handler is safe.
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> m_requested{false};
};

} // namespace kq70
