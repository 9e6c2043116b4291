#include "platform/ManualClock.h"

namespace kq70 {

void ManualClock::sleep(Duration duration) {
    if (duration > Duration::zero()) {
        m_now += duration;
        m_slept += duration;
    }
}

void ManualClock::advance(Duration duration) {
    if (duration > Duration::zero()) {
        m_now += duration;
    }
}

void ManualClock::advanceTo(Duration time) {
    if (time > m_now) {
        m_now = time;
    }
}

} // namespace kq70
