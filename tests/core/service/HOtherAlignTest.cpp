#include "service/HOtherAlign.h"

#include "core/service/ServiceTestContext.h"
#include "link/CancelFlag.h"
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
    EXPECT_EQ(battery.Title(), "Battery");
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
    const auto levels = battery.Levels();
    EXPECT_EQ(levels[0].caption, "Low Battery");
    EXPECT_EQ(levels[0].text, "162");
    EXPECT_EQ(levels[1].caption, "EEPROM Protect");
    EXPECT_EQ(levels[1].text, "137");
    EXPECT_TRUE(battery.Ok());
    EXPECT_EQ(t.set.get(95), 162);
    EXPECT_EQ(t.set.get(96), 137);
}

// A failed read and a run stopped by closing the window both leave the step to be done again.
TEST(HOtherAlignTest, AFailedReadOrAStoppedRunRepeatsTheStepAndKeepsNothing) {
    for (const bool fails : {true, false}) {
        test::ServiceTestContext t;
        if (fails) {
            t.com.ad = [](int) -> std::optional<AdData> { return std::nullopt; };
            t.prompt.expectMessage(std::string(Strings::get(IDS_INITIAL_PROCESSING_FAILED)));
        }
        CancelFlag stop;
        const SamplingWatch watch{[&stop](int taken) {
                                      if (taken == 3) {
                                          stop.request();
                                      }
                                  },
                                  &stop};
        HOtherAlign battery(t.context());
        ASSERT_TRUE(battery.Start());
        EXPECT_FALSE(battery.RunSampling(watch)) << fails;
        EXPECT_EQ(t.com.adReads, fails ? 1 : 3) << fails;
        EXPECT_EQ(battery.Step(), 0) << fails;
        EXPECT_EQ(battery.Levels()[0].text, "") << fails;
        EXPECT_TRUE(battery.Buttons().startEnabled) << fails;
    }
}

} // namespace
} // namespace kq70
