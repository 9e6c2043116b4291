#pragma once

namespace kq70 {

class CancelFlag;

// Ctrl+C during a radio command: instead of ending the program in the middle of a transfer,
// SIGINT (and SIGTERM, SIGHUP) asks the running job to stop at its next block, so the port is
// closed and the radio is told what it needs. Only one exists at a time; the former handler comes
// back when it goes.
class InterruptCancel {
public:
    // The shell's exit code of a program ended by Ctrl+C.
    static constexpr int EXIT_INTERRUPTED = 130;

    InterruptCancel();
    ~InterruptCancel();
    InterruptCancel(const InterruptCancel&) = delete;
    InterruptCancel& operator=(const InterruptCancel&) = delete;

    const CancelFlag& flag() const;
    bool interrupted() const;
};

} // namespace kq70
