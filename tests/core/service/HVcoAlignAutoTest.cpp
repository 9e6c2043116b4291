#include "service/HVcoAlignAuto.h"

#include "core/service/ServiceTestContext.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

// Limits of one point for both directions.
void setPoint(VcoLimits& limits, int point, VcoPointLimits p, int step = 1) {
    for (int d : {VCO_RX, VCO_TX}) {
        limits.Get(d).step = step;
        limits.Get(d).points[static_cast<std::size_t>(point)] = p;
    }
}

// A VCO locked everywhere whose control voltage is 300 - D: it meets a target of 185 at 115.
std::pair<int, int> linearVco(int d) {
    return {std::clamp(300 - d, 0, 255), 230};
}

using HVcoAlignAutoTest = test::ServiceTest;

TEST_F(HVcoAlignAutoTest, BothPassesMeetInTheMiddleOfWhatTheyFound) {
    // VCV sits at the target from 100 to 103: up from 90 stops at 100, down from 120 at 103.
    t.com.vco = [](int d) {
        const int vcv = d < 100 ? 200 : d <= 103 ? 185 : 170;
        return std::pair{vcv, d == 100 ? 210 : d == 103 ? 215 : 230};
    };
    setPoint(t.limits, VCO_HIGH, {185, 90, 90, 120, 120});
    HVcoAlignAuto vco(t.context(), VCO_RX, 1);
    const auto result = vco.Search(VCO_HIGH);
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.value, 101);
    EXPECT_EQ(result.reading, 212);
}

TEST_F(HVcoAlignAutoTest, EqualUpwardBoundsSkipTheUpwardPass) {
    t.com.vco = linearVco;
    setPoint(t.limits, VCO_MIDDLE, {185, 100, 100, 100, 130});
    HVcoAlignAuto vco(t.context(), VCO_TX, 1);
    const auto result = vco.Search(VCO_MIDDLE);
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.value, 115);
    EXPECT_EQ(t.com.levels.front().second, 130); // the first D sent is the downward start
}

TEST_F(HVcoAlignAutoTest, WithoutLimitsTheSearchFindsNothingAndFailsWithAlignmentError) {
    t.com.vco = linearVco; // never reaches 185 at D = 0
    t.prompt.expectMessage(std::string(Strings::get(IDS_ALIGNMENT_ERROR)));
    HVcoAlignAuto vco(t.context(), VCO_RX, 1);
    EXPECT_EQ(vco.Title(), "RX VCO Adjustment");
    EXPECT_FALSE(vco.Start());
    EXPECT_EQ(vco.CurrentPoint(), VCO_HIGH);
    ASSERT_EQ(t.com.levels.size(), 1u); // one step, at D = 0
    EXPECT_EQ(t.com.levels[0], std::make_pair(0, 0));
    EXPECT_TRUE(vco.Buttons().startVisible);
}

TEST_F(HVcoAlignAutoTest, ALowPointOnTheUpperRailWithoutLockFails) {
    t.com.vco = [](int) { return std::pair{250, 100}; };
    setPoint(t.limits, VCO_LOW, {185, 50, 50, 60, 60});
    setPoint(t.limits, VCO_MIDDLE, {185, 50, 50, 60, 60});
    HVcoAlignAuto vco(t.context(), VCO_RX, 1);
    EXPECT_FALSE(vco.Search(VCO_LOW).found);
    EXPECT_EQ(t.com.vcoReads, 2); // the first reading and one re-read
    t.com.vcoReads = 0;
    // The Middle point has no such rule: it re-reads and goes on.
    vco.Search(VCO_MIDDLE);
    EXPECT_GT(t.com.vcoReads, 3);
}

TEST_F(HVcoAlignAutoTest, AStepOfZeroStopsEachPassAfter256Sends) {
    t.com.vco = [](int) { return std::pair{150, 230}; };    // never at or above the target
    setPoint(t.limits, VCO_HIGH, {185, 80, 0, 80, 100}, 0); // no upward pass
    HVcoAlignAuto vco(t.context(), VCO_RX, 1);
    EXPECT_FALSE(vco.Search(VCO_HIGH).found);
    EXPECT_EQ(t.com.levels.size(), static_cast<std::size_t>(HVcoAlignAuto::MAX_SENDS_PER_PASS));
}

TEST_F(HVcoAlignAutoTest, AFailedPreparationShowsInitialProcessingAndKeepsThePoint) {
    t.com.failing.insert(SVC_SET_ADJUST_LEVEL);
    t.prompt.expectMessage(std::string(Strings::get(IDS_INITIAL_PROCESSING_FAILED)));
    HVcoAlignAuto vco(t.context(), VCO_TX, 1);
    EXPECT_FALSE(vco.Start());
    EXPECT_EQ(vco.CurrentPoint(), VCO_HIGH);
    EXPECT_TRUE(t.com.levels.empty());
    EXPECT_FALSE(t.com.transmitting);
}

TEST_F(HVcoAlignAutoTest, ThreeStepsThenOkStoresLowMiddleHighAndReturnsToTheChannel) {
    t.com.vco = linearVco;
    for (int p : {VCO_HIGH, VCO_MIDDLE, VCO_LOW}) {
        setPoint(t.limits, p, {185 - 10 * p, 90, 90, 150, 150});
    }
    HVcoAlignAuto vco(t.context(), VCO_TX, 4);
    EXPECT_EQ(vco.Title(), "TX VCO Adjustment");
    EXPECT_EQ(vco.DisplayLines()[0], "Start Adjustment of the Band High TX VCO?");
    EXPECT_EQ(vco.DisplayLines()[2], "Wide");
    for (int step = 0; step < 3; ++step) {
        EXPECT_EQ(vco.Buttons().focus, ProcedureFocus::Start);
        ASSERT_TRUE(vco.Start()) << step;
        EXPECT_FALSE(t.com.transmitting); // a TX point ends back in receive
    }
    EXPECT_EQ(vco.Buttons(),
              (ProcedureButtons{false, false, true, true, true, ProcedureFocus::Ok}));
    EXPECT_TRUE(vco.Ok());
    EXPECT_EQ(t.set.get(91), 115); // High
    EXPECT_EQ(t.set.get(90), 125); // Middle
    EXPECT_EQ(t.set.get(89), 135); // Low
    EXPECT_EQ(t.com.channel, 4);
}

} // namespace
} // namespace kq70
