#pragma once

#include <QObject>

#include <csignal>
#include <functional>

class QSocketNotifier;

namespace kq70 {

// SIGINT, SIGTERM and SIGHUP (Ctrl+C in a terminal, a session logout, a closed terminal) for
// the window thread: the handler only writes the signal's number into a pipe, which is all a
// signal handler may safely do; the window thread reads it there and runs `onSignal`. One at
// a time: the former handlers come back when it goes.
class StopSignals : public QObject {
public:
    explicit StopSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // False when the pipe or a handler could not be set up (the program then runs without).
    bool active() const { return m_active; }

private:
    static void handle(int signal);
    void readPipe();

    std::function<void(int)> m_onSignal;
    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_former[3] = {};
    bool m_active = false;
};

} // namespace kq70
