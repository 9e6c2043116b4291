#include "StopSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kq70 {

namespace {

constexpr int STOP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

// The write end of the pipe, for the handler; -1 while no StopSignals is there.
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

} // namespace

StopSignals::StopSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
    // Non-blocking both ways: the handler never waits on a full pipe, the reader never on an
    // empty one.
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    g_writeEnd.store(m_pipe[1]);
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readPipe(); });
    struct sigaction action = {};
    action.sa_handler = &StopSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_active = true;
    for (std::size_t k = 0; k < std::size(STOP_SIGNALS); ++k) {
        m_active = ::sigaction(STOP_SIGNALS[k], &action, &m_former[k]) == 0 && m_active;
    }
}

StopSignals::~StopSignals() {
    if (m_pipe[0] < 0) {
        return;
    }
    for (std::size_t k = 0; k < std::size(STOP_SIGNALS); ++k) {
        ::sigaction(STOP_SIGNALS[k], &m_former[k], nullptr);
    }
    g_writeEnd.store(-1);
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

// Runs inside the signal: write(2) and errno only.
void StopSignals::handle(int signal) {
    const int savedErrno = errno;
    const int fd = g_writeEnd.load();
    const auto byte = static_cast<unsigned char>(signal);
    if (fd >= 0 && ::write(fd, &byte, 1) < 0) {
        // A full pipe already holds a stop; nothing else can be done here.
    }
    errno = savedErrno;
}

void StopSignals::readPipe() {
    unsigned char bytes[16];
    ssize_t count = 0;
    while ((count = ::read(m_pipe[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t k = 0; k < count; ++k) {
            m_onSignal(bytes[k]);
        }
    }
}

} // namespace kq70
