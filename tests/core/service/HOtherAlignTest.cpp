#include "service/HOtherAlign.h"

#include "core/service/ServiceTestContext.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using AdData = test::FakeComAlignment::AdData;

TEST(HOtherAlignTest, ThreeVoltageStepsKeepTheFirstTwoLevels) {
    test::ServiceTestContext t;
    int supply = 162;
    t.com.ad = [&supply](int) { return AdData{static_cast<std::uint8_t>(supply), 0, 0, 0, 0, 0}; };
    HOtherAlign battery(t.context());
    const char* prompts[] = {"Set the Voltage to 6.5V.", "Set the Voltage to 5.5V.",
                             "Set the Voltage to 7.5V.", "Update of Adjustment Data"};
    const int supplies[] = {162, 137, 188};
    for (int step = 0; step < 3; ++step) {
        EXPECT_EQ(battery.PromptText(), prompts[step]);
        EXPECT_FALSE(battery.Ok());
        supply = supplies[step];
        ASSERT_TRUE(battery.Start());
        EXPECT_TRUE(battery.RunSampling());
    }
    EXPECT_EQ(battery.PromptText(), prompts[3]);
    EXPECT_FALSE(battery.Buttons().startVisible);
    EXPECT_TRUE(battery.Ok());
    EXPECT_EQ(t.set.get(95), 162);
    EXPECT_EQ(t.set.get(96), 137);
}

TEST(HOtherAlignTest, AFailedReadRepeatsTheStepAndKeepsNothing) {
    test::ServiceTestContext t;
    t.com.ad = [](int) -> std::optional<AdData> { return std::nullopt; };
    t.prompt.expectMessage(std::string(Strings::get(IDS_INITIAL_PROCESSING_FAILED)));
    HOtherAlign battery(t.context());
    ASSERT_TRUE(battery.Start());
    EXPECT_FALSE(battery.RunSampling());
    EXPECT_EQ(battery.Step(), 0);
    EXPECT_EQ(battery.LowBatteryLevel(), 0);
}

} // namespace
} // namespace kq70
