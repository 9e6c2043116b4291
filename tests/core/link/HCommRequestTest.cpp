#include "link/HCommRequest.h"

#include "link/LastPortKind.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(HCommRequestTest, StartsWithTheTransferDefaults) {
    LastPortKind lastKind;
    lastKind.set(1);
    const HCommRequest request(1, lastKind);
    EXPECT_EQ(request.m_jobNumber, 1u);
    EXPECT_EQ(request.m_kind, JOB_KIND_COMM_REQUEST);
    EXPECT_EQ(request.m_portKind, 1);
    EXPECT_EQ(request.m_errorCode, 0u);
    EXPECT_EQ(request.m_byteSize, 8u);
    EXPECT_EQ(request.m_stopBits, 2u);
    EXPECT_EQ(request.m_parity, 0u);
    EXPECT_EQ(request.GetBaudRate(), 9600u);
    EXPECT_EQ(request.m_portNumber, 1u);
    EXPECT_EQ(request.m_echoSuppression, 0u);
    EXPECT_EQ(request.m_workBuffer, nullptr);
    EXPECT_TRUE(request.m_message.empty());
    EXPECT_TRUE(request.m_flashRead.empty());
}

TEST(HCommRequestTest, SettingTheBaudRateRemembersTheOldOne) {
    HCommRequest request;
    request.SetBaudRate(38400);
    request.SetBaudRate(9600);
    EXPECT_EQ(request.GetBaudRate(), 9600u);
    EXPECT_EQ(request.GetPreviousBaudRate(), 38400u);
}

} // namespace
} // namespace kq70
