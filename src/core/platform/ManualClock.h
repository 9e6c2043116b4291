#pragma once

#include "platform/Clock.h"

namespace kq70 {

// Virtual time for tests and the in-process simulator link: it starts at 0, sleeping moves it
// on at once, and nothing ever waits. Time only goes forwards. Meant for one thread.
class ManualClock : public Clock {
public:
    Duration now() override { return m_now; }
    void sleep(Duration duration) override;

    // Time passing without anyone sleeping (a simulated wait for a byte, say).
    void advance(Duration duration);
    // Moves to `time`; a time in the past leaves the clock where it is.
    void advanceTo(Duration time);

    // Sum of the sleeps asked for, so a test can tell a fixed pause from waiting on the line.
    Duration totalSlept() const { return m_slept; }

private:
    Duration m_now{0};
    Duration m_slept{0};
};

} // namespace kq70
