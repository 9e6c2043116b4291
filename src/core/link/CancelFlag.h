#pragma once

#include <atomic>

namespace kq70 {

class UserPrompt;

// A request to stop a running radio job, set from another thread (the window's Cancel
// button) or from a signal handler (Ctrl+C on the command line): the job looks at it between
// blocks and while it waits for the radio, and stops at the next safe point. The job in turn
// marks on it when it starts writing to the radio, from where stopping leaves the radio
// partly written.
class CancelFlag {
public:
    void request() noexcept { m_requested.store(true); }
    // A new job: nothing asked, nothing written yet.
    void clear() noexcept {
        m_requested.store(false);
        m_writing.store(false);
    }
    bool requested() const noexcept { return m_requested.load(); }

    // Set by the job that watches the flag, which holds it read-only.
    void noteWriting() const noexcept { m_writing.store(true); }
    bool writing() const noexcept { return m_writing.load(); }

    // The user asked to stop: once the radio is being written, only after saying Yes to
    // what that leaves. True when the job was asked to stop.
    bool requestStop(UserPrompt& prompt);

private:
    // Lock-free, so setting it from a signal handler is safe.
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> m_requested{false};
    mutable std::atomic<bool> m_writing{false};
};

} // namespace kq70
