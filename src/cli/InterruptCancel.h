#pragma once

namespace kq70 {

class CancelFlag;

// Ctrl+C, a kill (SIGTERM) or a closed terminal (SIGHUP) during a radio command: instead of
// ending the program in the middle of a transfer, each asks the running job to stop at its
// next safe point, so the port is closed and the radio is told what it needs. Only one exists
// at a time; the former handlers come back when it goes.
class InterruptCancel {
public:
    // The shell's exit code of a program ended by Ctrl+C; the command ends with it whichever
    // of the three signals stopped it.
    static constexpr int EXIT_INTERRUPTED = 130;

    InterruptCancel();
    ~InterruptCancel();
    InterruptCancel(const InterruptCancel&) = delete;
    InterruptCancel& operator=(const InterruptCancel&) = delete;

    const CancelFlag& flag() const;
    bool interrupted() const;
};

} // namespace kq70
