// kq70-radiosim as a user runs it: a separate process (the transfers through its
// pseudo-terminals, and its end on SIGTERM, are the end-to-end tests').

#include "support/RadioSimProcess.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(RadioSimProcessTest, RefusesAnUnknownFault) {
    test::RadioSimProcess sim({"--fault", "loud@3"});
    EXPECT_EQ(sim.finish(0), 2);
}

} // namespace
} // namespace kq70
