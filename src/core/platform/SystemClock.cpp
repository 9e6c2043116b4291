#include "platform/SystemClock.h"

#include <thread>

namespace kq70 {

Clock::Duration SystemClock::now() {
    return std::chrono::duration_cast<Duration>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void SystemClock::sleep(Duration duration) {
    if (duration > Duration::zero()) {
        std::this_thread::sleep_for(duration);
    } else {
        std::this_thread::yield(); // a pause of nothing still lets other threads run
    }
}

} // namespace kq70
