#include "link/HComAlignment.h"

#include "DialogJobs.h"

#include <gtest/gtest.h>

#include <vector>

namespace kq70 {
namespace {

using Bytes = std::vector<std::uint8_t>;

class HComAlignmentTest : public ::testing::Test, protected test::RadioOnPort {
protected:
    void SetUp() override {
        sim.adjustment.setNoiseAmplitude(0);
        sim.radio.enterAdjustmentMode();
        port.SetEchoSuppression(0);
        ASSERT_EQ(port.Open(), 0);
    }

    HComAlignment com{port, sim.clock};
};

TEST_F(HComAlignmentTest, EveryCommandSendsItsFrameWithLengthAndChecksum) {
    // A braced list runs its calls in order.
    const bool answered[] = {com.ChangeChannel(0, 2),
                             com.SetTxPowerTuneLevel(0x12, 0x80),
                             com.SetAdjustLevel(1, 2, 3),
                             com.RequestTx(),
                             com.RequestRx(),
                             com.StartModulation(1000),
                             com.SetSubAudioModulation(true, 1, 0x0123),
                             com.SetSubAudioModulation(false, 1, 0x0123),
                             com.SetAfSwitch(true),
                             com.SetAfSwitch(false),
                             com.SetFreqDa(0x80, 0x10, 0x00),
                             com.ReadAd(0) > 0};
    for (std::size_t i = 0; i < std::size(answered); ++i) {
        EXPECT_TRUE(answered[i]) << "command " << i;
    }
    EXPECT_EQ(test::requestsOf(sim.radio), (std::vector<Bytes>{{0x30, 0x03, 0x00, 0x02, 0x35},
                                                               {0x32, 0x03, 0x12, 0x80, 0xC7},
                                                               {0x33, 0x04, 0x01, 0x02, 0x03, 0x3D},
                                                               {0x34, 0x01, 0x35},
                                                               {0x35, 0x01, 0x36},
                                                               {0x36, 0x03, 0x03, 0xE8, 0x24},
                                                               {0x37, 0x03, 0x81, 0x23, 0xDE},
                                                               {0x37, 0x03, 0x00, 0x00, 0x3A},
                                                               {0x39, 0x02, 0x03, 0x3E},
                                                               {0x39, 0x02, 0x00, 0x3B},
                                                               {0x3B, 0x04, 0x80, 0x10, 0x00, 0xCF},
                                                               {0x31, 0x01, 0x32}}));
}

TEST_F(HComAlignmentTest, ARadioThatAnswersNakGetsTheFrameSixTimes) {
    sim.adjustment.addFault({SVC_CHANGE_CHANNEL, SimServiceFaultKind::Nak, 0});
    EXPECT_FALSE(com.ChangeChannel(0, 1));
    EXPECT_EQ(sim.adjustment.commandCounts().at(SVC_CHANGE_CHANNEL), 6u);
    EXPECT_EQ(test::requestsOf(sim.radio).size(), 6u);
}

TEST_F(HComAlignmentTest, AFaultThatPassesIsOvercomeByTheNextAttempt) {
    sim.adjustment.addFault({SVC_REQUEST_TX, SimServiceFaultKind::Silence, 2});
    EXPECT_TRUE(com.RequestTx());
    EXPECT_EQ(sim.adjustment.commandCounts().at(SVC_REQUEST_TX), 3u);
    EXPECT_TRUE(sim.adjustment.state().transmitting);
}

TEST_F(HComAlignmentTest, ReadAdTakesTheDataByteWhateverTheAnswersChecksum) {
    sim.radio.setServiceHandler([](std::span<const std::uint8_t>) {
        return Bytes{0x31, 0x07, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x00};
    });
    EXPECT_EQ(com.ReadAd(5), 0x60);
    EXPECT_EQ(com.ReadAd(0), 0x10);
    int vcv = 0;
    int ul = 0;
    ASSERT_TRUE(com.ReadVcvUl(vcv, ul));
    EXPECT_EQ(vcv, 0x50);
    EXPECT_EQ(ul, 0x60);
}

TEST_F(HComAlignmentTest, AFailedAdReadIsToldApartFromAReadingOfZero) {
    sim.adjustment.addFault({SVC_READ_AD, SimServiceFaultKind::BadFirstByte, 0});
    std::array<std::uint8_t, AD_DATA_COUNT> data{};
    EXPECT_FALSE(com.ReadAdData(data));
    EXPECT_EQ(com.ReadAd(5), 0);
    int vcv = 0;
    int ul = 0;
    EXPECT_FALSE(com.ReadVcvUl(vcv, ul));
    // One frame per read: the A/D read is never retried.
    EXPECT_EQ(sim.adjustment.commandCounts().at(SVC_READ_AD), 3u);
}

TEST_F(HComAlignmentTest, AFrameShorterThanThreeBytesIsNotSent) {
    const std::size_t written = sim.link.bytesWritten();
    std::array<std::uint8_t, 2> frame{0x35, 0x01};
    EXPECT_FALSE(com.SendCommand(frame));
    EXPECT_EQ(sim.link.bytesWritten(), written);
}

TEST_F(HComAlignmentTest, TheResetCommandEndsTheAdjustmentMode) {
    EXPECT_TRUE(com.SendReset());
    EXPECT_EQ(sim.radio.state(), SimState::Off);
}

} // namespace
} // namespace kq70
