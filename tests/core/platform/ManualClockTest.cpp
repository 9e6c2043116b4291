#include "platform/ManualClock.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using namespace std::chrono_literals;

TEST(ManualClockTest, TimeOnlyMovesForwardAndSleepsAreCounted) {
    ManualClock clock;
    EXPECT_EQ(clock.now(), Clock::Duration{0});
    clock.sleep(500ms);
    clock.advance(20ms);
    clock.advanceTo(100ms); // the past: stays
    EXPECT_EQ(clock.now(), 520ms);
    clock.advanceTo(1s);
    clock.sleep(-5ms);
    EXPECT_EQ(clock.now(), 1s);
    EXPECT_EQ(clock.totalSlept(), 500ms) << "waiting for the line is no sleep";
}

} // namespace
} // namespace kq70
