#include "service/HRxTune.h"

#include "core/service/ServiceTestContext.h"
#include "service/AlignmentChannelInfo.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using AdData = test::FakeComAlignment::AdData;

AdData rssi(int value) {
    return AdData{0, 0, static_cast<std::uint8_t>(value), 0, 0, 0};
}

using HRxTuneTest = test::ServiceTest;

TEST_F(HRxTuneTest, ThePlateauOfThePeakGivesItsMiddle) {
    // Rising to 150 at 60–64, then falling by 10 a step.
    t.com.ad = [](int tune) {
        return rssi(tune < 60 ? 90 + tune : tune <= 64 ? 150 : 150 - 10 * (tune - 64));
    };
    HRxTune tune(t.context());
    const auto result = tune.Search(0);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.peakFirst, 60);
    EXPECT_EQ(result.peakLast, 64);
    EXPECT_EQ(result.tune, 62);
    EXPECT_EQ(t.com.levels.back().first, 65); // the first step more than 6 below
}

TEST_F(HRxTuneTest, ReadingsThatNeverFallFarRunToTheLastTuneValue) {
    t.com.ad = [](int tune) { return rssi(100 - (tune % 5)); };
    HRxTune tune(t.context());
    const auto result = tune.Search(2);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(t.com.levels.front().first, 100); // the High point starts at 100
    EXPECT_EQ(t.com.levels.back().first, 255);
    EXPECT_EQ(result.peakFirst, 100);
    EXPECT_EQ(result.peakLast, 255);
}

TEST_F(HRxTuneTest, EachStepSendsTheTuneWithThePointsVcoValue) {
    t.set.set(87, 0x66);
    t.com.ad = [](int tune) { return rssi(tune <= 50 ? 100 : 50); };
    HRxTune tune(t.context());
    tune.Search(1);
    EXPECT_EQ(t.com.levels.front(), std::make_pair(48, 0x66));
}

TEST_F(HRxTuneTest, AFailedReadFailsTheTuneAndKeepsNothing) {
    int reads = 0;
    t.com.ad = [&reads](int) -> std::optional<AdData> {
        return ++reads < 10 ? std::optional<AdData>(rssi(100)) : std::nullopt;
    };
    t.set.set(13, 33);
    t.prompt.expectMessage(std::string(Strings::get(IDS_TUNE_ALIGNMENT_FAILED)));
    HRxTune tune(t.context());
    EXPECT_FALSE(tune.Start());
    EXPECT_EQ(tune.CurrentPoint(), 0);
    EXPECT_FALSE(tune.Results()[0].done);
    EXPECT_EQ(t.set.get(13), 33);
}

TEST_F(HRxTuneTest, NoSignalAtAllIsAFailedTuneNotTheMiddleOfTheRange) {
    t.com.ad = [](int) { return rssi(0); };
    HRxTune tune(t.context());
    EXPECT_FALSE(tune.Search(1).ok);
}

TEST_F(HRxTuneTest, ThreePointsThenOkStoresLowMiddleHigh) {
    t.com.ad = [this](int tune) {
        const int peak = 30 + 70 * t.com.channel;
        return rssi(std::max(0, 200 - 10 * std::abs(tune - peak)));
    };
    HRxTune tune(t.context());
    EXPECT_FALSE(tune.Ok());
    for (int point = 0; point < 3; ++point) {
        // The generator is set to the pending point's frequency, as a measurement lists it.
        const auto generator = tune.GeneratorLines();
        ASSERT_EQ(generator.size(), 4u);
        EXPECT_EQ(generator[0], AlignmentChannelInfo::Of(*t.image, point).FrequencyText());
        EXPECT_NE(generator[1].find("dBuV (EMF)"), std::string::npos);
        ASSERT_TRUE(tune.Start()) << point;
    }
    EXPECT_EQ(tune.GeneratorLines()[0], "");
    EXPECT_FALSE(tune.Buttons().startVisible);
    EXPECT_TRUE(tune.Buttons().okVisible);
    EXPECT_TRUE(tune.Ok());
    EXPECT_EQ(t.set.get(13), 30);
    EXPECT_EQ(t.set.get(14), 100);
    EXPECT_EQ(t.set.get(15), 170);
}

} // namespace
} // namespace kq70
