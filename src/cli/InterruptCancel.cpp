#include "InterruptCancel.h"

#include "link/CancelFlag.h"

#include <csignal>

namespace kq70 {

namespace {

// A signal handler can reach nothing else; the flag is lock-free, so setting it is safe there.
CancelFlag interruptFlag;
struct sigaction formerAction {};

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
    ::sigaction(SIGINT, &action, &formerAction);
}

InterruptCancel::~InterruptCancel() {
    ::sigaction(SIGINT, &formerAction, nullptr);
}

const CancelFlag& InterruptCancel::flag() const {
    return interruptFlag;
}

bool InterruptCancel::interrupted() const {
    return interruptFlag.requested();
}

} // namespace kq70
