#include "SimAdjustmentModel.h"

#include "link/CloneFrame.h"
#include "link/HComAlignment.h"

#include <gtest/gtest.h>

#include <vector>

namespace kq70 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes frame(Bytes body) {
    body.push_back(frameChecksum(body));
    return body;
}

class SimAdjustmentModelTest : public ::testing::Test {
protected:
    void SetUp() override { model.setNoiseAmplitude(0); }

    void channel(int c) { model.answer(frame({SVC_CHANGE_CHANNEL, 0x03, 0, std::uint8_t(c)})); }
    void level(int first, int second) {
        model.answer(
            frame({SVC_SET_TX_POWER_TUNE_LEVEL, 0x03, std::uint8_t(first), std::uint8_t(second)}));
    }
    Bytes read() { return model.answer(frame({SVC_READ_AD, 0x01})); }

    SimAdjustmentModel model;
};

TEST_F(SimAdjustmentModelTest, TheVcoLocksOnlyInsideItsWindowWithAFallingControlVoltage) {
    for (const bool transmit : {false, true}) {
        model.answer(frame({transmit ? SVC_REQUEST_TX : SVC_REQUEST_RX, 0x01}));
        for (const int c : {0, 1, 2}) {
            channel(c);
            const int centre = SimAdjustmentModel::vcoCentre(transmit, c == 0 ? 0 : c == 2 ? 2 : 1);
            int previous = 256;
            for (int d = centre - 40; d <= centre + 40; ++d) {
                level(0, d);
                EXPECT_EQ(model.lockDetector(), SimAdjustmentModel::LOCKED_UL) << d;
                EXPECT_LT(model.vcv(), previous) << d;
                previous = model.vcv();
            }
            for (const int d : {centre - 41, centre + 41}) {
                level(0, d);
                EXPECT_EQ(model.lockDetector(), SimAdjustmentModel::UNLOCKED_UL) << d;
            }
        }
    }
}

TEST_F(SimAdjustmentModelTest, TheRssiPeaksOverAFewTuneStepsAndFallsBesideThem) {
    channel(0);
    const int peak = SimAdjustmentModel::tunePeak(0);
    level(peak, 0);
    const int top = model.rssi();
    for (int t = peak - 2; t <= peak + 2; ++t) {
        level(t, 0);
        EXPECT_EQ(model.rssi(), top) << t;
    }
    level(peak + 3, 0);
    EXPECT_EQ(model.rssi(), top - SimAdjustmentModel::TUNE_FALL_PER_STEP);
    level(peak - 4, 0);
    EXPECT_EQ(model.rssi(), top - 2 * SimAdjustmentModel::TUNE_FALL_PER_STEP);
}

TEST_F(SimAdjustmentModelTest, ReadingsFollowTheGeneratorAndTheSupply) {
    model.setSignalLevel(-10);
    const int weakRssi = model.rssi();
    const int weakNsq = model.noiseSquelch();
    model.setSignalLevel(10);
    EXPECT_GT(model.rssi(), weakRssi);
    EXPECT_LT(model.noiseSquelch(), weakNsq);
    model.setSupplyVoltage(5.5);
    const int low = model.battery();
    model.setSupplyVoltage(7.5);
    EXPECT_GT(model.battery(), low);

    const Bytes answer = read();
    ASSERT_EQ(answer.size(), AD_ANSWER_SIZE);
    EXPECT_EQ(answer[0], SVC_READ_AD);
    EXPECT_EQ(answer[2 + AD_BATTERY], model.battery());
    EXPECT_EQ(answer[2 + AD_NSQ], model.noiseSquelch());
    EXPECT_EQ(answer[2 + AD_RSSI], model.rssi());
    EXPECT_EQ(answer.back(), frameChecksum(std::span(answer).first(answer.size() - 1)));
}

TEST_F(SimAdjustmentModelTest, NoiseIsSmallAndRepeatsWithItsSeed) {
    SimAdjustmentModel first(7);
    SimAdjustmentModel second(7);
    for (int i = 0; i < 50; ++i) {
        const Bytes a = first.answer(frame({SVC_READ_AD, 0x01}));
        EXPECT_EQ(a, second.answer(frame({SVC_READ_AD, 0x01})));
        EXPECT_LE(std::abs(a[2 + AD_BATTERY] - first.battery()), 1);
    }
}

// The channel, the keying and the two levels show in the readings and the alignment window's
// tests; these settings show nowhere else.
TEST_F(SimAdjustmentModelTest, StateShowsWhatTheRadioWasTold) {
    model.answer(frame({SVC_SET_ADJUST_LEVEL, 0x04, 1, 2, 3}));
    model.answer(frame({SVC_START_MODULATION, 0x03, 0x03, 0xE8}));
    model.answer(frame({SVC_SET_SUB_AUDIO_MODULATION, 0x03, 0x81, 0x23}));
    model.answer(frame({SVC_SET_FREQ_DA, 0x04, 9, 8, 7}));
    const SimAdjustmentState& state = model.state();
    EXPECT_EQ(state.adjustLevel, (std::array<std::uint8_t, 3>{1, 2, 3}));
    EXPECT_EQ(state.modulation, 1000);
    EXPECT_EQ(state.subAudio, (std::array<std::uint8_t, 2>{0x81, 0x23}));
    EXPECT_EQ(state.freqDa, (std::array<std::uint8_t, 3>{9, 8, 7}));
    EXPECT_EQ(model.answer(frame({0x3F, 0x01})), Bytes{NAK});
}

TEST_F(SimAdjustmentModelTest, ScriptedFaultsHitTheirCommandAsOftenAsAsked) {
    model.addFault({SVC_REQUEST_RX, SimServiceFaultKind::Nak, 1});
    model.addFault({SVC_READ_AD, SimServiceFaultKind::BadFirstByte, 1});
    model.addFault({SVC_REQUEST_TX, SimServiceFaultKind::Silence, 0});
    EXPECT_EQ(model.answer(frame({SVC_REQUEST_RX, 0x01})), Bytes{NAK});
    EXPECT_EQ(model.answer(frame({SVC_REQUEST_RX, 0x01})), Bytes{ACK});
    EXPECT_NE(read()[0], SVC_READ_AD);
    EXPECT_EQ(read()[0], SVC_READ_AD);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(model.answer(frame({SVC_REQUEST_TX, 0x01})).empty());
    }
}

TEST(SimServiceFaultTest, CommandLineWords) {
    struct Case {
        const char* word;
        std::optional<SimServiceFault> fault;
    };
    const Case cases[] = {
        {"nak:30", SimServiceFault{0x30, SimServiceFaultKind::Nak, 0}},
        {"silence:31*2", SimServiceFault{0x31, SimServiceFaultKind::Silence, 2}},
        {"byte:3b", SimServiceFault{0x3B, SimServiceFaultKind::BadFirstByte, 0}},
        {"nak:", std::nullopt},
        {"nak:130", std::nullopt},
        {"nak:30*0", std::nullopt},
        {"nak:30*", std::nullopt},
        {"drop:30", std::nullopt},
        {"nak30", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto parsed = parseSimServiceFault(c.word);
        ASSERT_EQ(parsed.has_value(), c.fault.has_value()) << c.word;
        if (parsed) {
            EXPECT_EQ(parsed->command, c.fault->command) << c.word;
            EXPECT_EQ(parsed->kind, c.fault->kind) << c.word;
            EXPECT_EQ(parsed->times, c.fault->times) << c.word;
        }
    }
}

} // namespace
} // namespace kq70
