#include "InterruptCancel.h"

#include "link/CancelFlag.h"

#include <array>
#include <csignal>
#include <cstddef>

namespace kq70 {

namespace {

constexpr std::array<int, 3> STOP_SIGNALS = {SIGINT, SIGTERM, SIGHUP};

// A signal handler can reach nothing else; the flag is lock-free, so setting it is safe there.
CancelFlag interruptFlag;
std::array<struct sigaction, STOP_SIGNALS.size()> formerActions{};

extern "C" void onStopSignal(int /*signal*/) {
    interruptFlag.request();
}

} // namespace

InterruptCancel::InterruptCancel() {
    interruptFlag.clear();
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the serial code and the terminal go on where they were
    for (std::size_t i = 0; i < STOP_SIGNALS.size(); ++i) {
        ::sigaction(STOP_SIGNALS[i], &action, &formerActions[i]);
    }
}

InterruptCancel::~InterruptCancel() {
    for (std::size_t i = 0; i < STOP_SIGNALS.size(); ++i) {
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
