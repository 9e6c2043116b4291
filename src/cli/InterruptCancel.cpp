#include "InterruptCancel.h"

#include "link/CancelFlag.h"

#include <csignal>
#include <iterator>

namespace kq70 {

namespace {

// A signal handler can reach nothing else; the flag is lock-free, so setting it is safe there.
CancelFlag interruptFlag;
// Ctrl+C, and the end of a session or a service manager's stop, stop a transfer the same way.
constexpr int STOP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction formerActions[std::size(STOP_SIGNALS)]{};

extern "C" void onInterrupt(int /*signal*/) {
    interruptFlag.request();
}

} // namespace

InterruptCancel::InterruptCancel() {
    interruptFlag.clear();
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the serial code and the terminal go on where they were
    for (std::size_t i = 0; i < std::size(STOP_SIGNALS); ++i) {
        ::sigaction(STOP_SIGNALS[i], &action, &formerActions[i]);
    }
}

InterruptCancel::~InterruptCancel() {
    for (std::size_t i = 0; i < std::size(STOP_SIGNALS); ++i) {
        ::sigaction(STOP_SIGNALS[i], &formerActions[i], nullptr);
    }
}

const CancelFlag& InterruptCancel::flag() const {
    return interruptFlag;
}

bool InterruptCancel::interrupted() const {
    return interruptFlag.requested();
}

} // namespace kq70
