#include "RealTimeLink.h"

#include "InProcessRadio.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using namespace std::chrono_literals;

TEST(RealTimeLinkTest, TheWallClockFollowsTheSimulatedWire) {
    InProcessRadio sim;
    ManualClock wall; // stands in for the real clock: its sleeps are what the link waits
    RealTimeLink link(sim.link, sim.clock, wall);
    sim.radio.setPacing(true);
    sim.radio.enterCloneMode();
    ASSERT_TRUE(link.open("/dev/ttyS0"));
    SerialTimeouts timeouts;
    ASSERT_TRUE(link.setTimeouts(timeouts));

    const std::uint8_t frame[] = {0xF2, 0x02, 0x49, 0x3D};
    std::size_t written = 0;
    ASSERT_TRUE(link.write(frame, written));
    std::uint8_t answer[4 + 131];
    std::size_t received = 0;
    ASSERT_TRUE(link.read(answer, received));
    EXPECT_EQ(received, sizeof answer);
    EXPECT_GT(sim.clock.now(), 100ms) << "135 bytes at 9600 baud";
    EXPECT_EQ(wall.now(), sim.clock.now());

    wall.advance(20ms); // the program was slower than the wire: nothing more to wait
    sim.clock.sleep(5ms);
    link.purgeReceive();
    EXPECT_EQ(wall.now() - sim.clock.now(), 15ms);
}

} // namespace
} // namespace kq70
