#include "link/HCommRequest.h"

#include "link/LastPortKind.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

// The line settings a request starts with are checked where the port is opened for a job;
// the cable kind comes from the last port opened.
TEST(HCommRequestTest, TakesTheKindOfTheLastPortOpenedAndRemembersTheFormerBaudRate) {
    LastPortKind lastKind;
    lastKind.set(1);
    HCommRequest request(1, lastKind);
    EXPECT_EQ(request.m_portKind, 1);
    EXPECT_EQ(request.GetBaudRate(), 9600u);
    request.SetBaudRate(38400);
    request.SetBaudRate(9600);
    EXPECT_EQ(request.GetBaudRate(), 9600u);
    EXPECT_EQ(request.GetPreviousBaudRate(), 38400u);
}

} // namespace
} // namespace kq70
