#include "service/HSliderAlignDialog.h"

#include "core/service/ServiceTestContext.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kq70 {
namespace {

using HSliderAlignDialogTest = test::ServiceTest;

TEST_F(HSliderAlignDialogTest, EveryProcedureHasItsItemChannelAndTitle) {
    struct Case {
        SliderProcedure procedure;
        int variant;
        std::size_t item;
        int channel;
        const char* title;
        const char* level = "";
    };
    const Case cases[] = {
        {SliderProcedure::FreqDa, 0, 93, 1, "Freq DA"},
        {SliderProcedure::TxPower, 0, 18, 6, "TX Power", "High"},
        {SliderProcedure::TxPower, 1, 23, 1, "TX Power", "Low"},
        {SliderProcedure::MaxDeviation, 1, 33, 4, "Max Deviation"},
        {SliderProcedure::CtcssDeviation, 0, 38, 3, "CTCSS Deviation"},
        {SliderProcedure::DcsDeviation, 1, 53, 8, "DCS Deviation"},
        {SliderProcedure::ModulationBalance, 1, 63, 4, "Modulation Balance"},
        {SliderProcedure::SubAudioBalance, 0, 68, 1, "Sub-Audio Bal"},
        {SliderProcedure::MicGain, 0, 94, 1, "Mic Gain"},
        {SliderProcedure::DtmfLevel, 0, 92, 1, "DTMF/BEEP"},
        {SliderProcedure::SeqTone, 0, 97, 1, "Seq Tone"},
    };
    for (const Case& c : cases) {
        t.set.set(c.item, static_cast<std::int32_t>(c.item) + 7);
        HSliderAlignDialog dialog(t.context(), c.procedure, c.variant);
        EXPECT_EQ(dialog.Item(), c.item) << c.title;
        EXPECT_EQ(dialog.Channel(), c.channel) << c.title;
        EXPECT_EQ(dialog.Title(), c.title);
        EXPECT_EQ(dialog.LevelText(), c.level) << c.title;
        // Before Start the window shows the value Start will send.
        EXPECT_EQ(dialog.Value(), static_cast<int>(c.item) + 7) << c.title;
        // Every procedure keys the radio and ends in receive, OK or not; Cancel keeps the item.
        t.com.commands.clear();
        ASSERT_TRUE(dialog.Start()) << c.title;
        EXPECT_TRUE(t.com.transmitting) << c.title;
        EXPECT_EQ(t.com.channel, c.channel) << c.title;
        dialog.SetValue(static_cast<int>(c.item) + 20);
        dialog.Cancel();
        EXPECT_FALSE(t.com.transmitting) << c.title;
        EXPECT_EQ(t.com.commands.back(), SVC_REQUEST_RX) << c.title;
        EXPECT_EQ(t.set.get(c.item), static_cast<int>(c.item) + 7) << c.title;
    }
}

TEST_F(HSliderAlignDialogTest, TxPowerSendsTheValueWithTheChannelsTxVcoValue) {
    t.set.set(18, 100);
    HSliderAlignDialog power(t.context(), SliderProcedure::TxPower, 0);
    ASSERT_TRUE(power.Start());
    const int txVco = t.com.levels.back().second;
    EXPECT_EQ(t.com.levels.back().first, 100);
    EXPECT_TRUE(power.Right());
    EXPECT_TRUE(power.Enter(140));
    EXPECT_EQ(t.com.levels.back(), std::make_pair(140, txVco));
    power.Ok();
    EXPECT_EQ(t.set.get(18), 140);
    EXPECT_FALSE(t.com.transmitting);
}

TEST_F(HSliderAlignDialogTest, TheEdgesAndAnUnchangedValueSendNothing) {
    for (const int edge : {0, 255}) {
        t.set.set(18, edge);
        HSliderAlignDialog power(t.context(), SliderProcedure::TxPower, 0);
        ASSERT_TRUE(power.Start());
        const std::size_t sent = t.com.levels.size();
        EXPECT_TRUE(edge == 0 ? power.Left() : power.Right());
        EXPECT_TRUE(power.SetValue(edge));
        EXPECT_TRUE(power.Enter(256));
        EXPECT_TRUE(power.Enter(-1));
        EXPECT_EQ(t.com.levels.size(), sent) << edge;
        EXPECT_EQ(power.Value(), edge);
        power.Cancel();
    }
}

TEST_F(HSliderAlignDialogTest, GroupProceduresSetThePointChosenSingleItemsIgnoreIt) {
    HSliderAlignDialog balance(t.context(), SliderProcedure::ModulationBalance, 0);
    for (int point = 0; point < 5; ++point) {
        balance.SetPoint(point);
        EXPECT_EQ(balance.Item(), 56u + static_cast<std::size_t>(point));
    }
    balance.SetPoint(9);
    EXPECT_EQ(balance.Item(), 60u);
    EXPECT_TRUE(balance.AdjustsGroup());
    ASSERT_TRUE(balance.Start());
    EXPECT_FALSE(balance.SetPoint(1)); // chosen before Start only
    EXPECT_EQ(balance.Item(), 60u);
    balance.Cancel();
    HSliderAlignDialog mic(t.context(), SliderProcedure::MicGain, 0);
    mic.SetPoint(0);
    EXPECT_EQ(mic.Item(), 94u);
    EXPECT_FALSE(mic.AdjustsGroup());
}

TEST_F(HSliderAlignDialogTest, SubAudioBalanceChangesOverBetweenTheTwoFrequencies) {
    HSliderAlignDialog balance(t.context(), SliderProcedure::SubAudioBalance, 1);
    ASSERT_TRUE(balance.SetCtcssHz(88.5, 131.8));
    EXPECT_TRUE(balance.SelectCtcssFrequency(1)); // not started: nothing sent
    EXPECT_EQ(t.com.count(SVC_SET_SUB_AUDIO_MODULATION), 0);
    ASSERT_TRUE(balance.Start());
    EXPECT_EQ(t.com.count(SVC_SET_SUB_AUDIO_MODULATION), 1);
    EXPECT_TRUE(balance.SelectCtcssFrequency(0));
    EXPECT_EQ(t.com.count(SVC_SET_SUB_AUDIO_MODULATION), 2);
    balance.Cancel();
}

// The window's boxes take Hz; the radio gets 0.1 Hz, and nothing outside the range.
TEST_F(HSliderAlignDialogTest, CtcssFrequenciesAreTakenInTenthsWithinTheirRangeBeforeStart) {
    struct Case {
        double first;
        double second;
        bool taken;
        int sent; // the first frequency, as the radio gets it
    };
    const Case cases[] = {
        {88.5, 131.8, true, 885},   {60.0, 260.0, true, 600},          {67.04, 254.06, true, 670},
        {59.9, 100.0, false, 670}, // the procedure's own first frequency stays
        {100.0, 260.1, false, 670}, {std::nan(""), 100.0, false, 670},
    };
    for (const Case& c : cases) {
        HSliderAlignDialog balance(t.context(), SliderProcedure::SubAudioBalance, 0);
        EXPECT_EQ(balance.SetCtcssHz(c.first, c.second), c.taken) << c.first << " " << c.second;
        ASSERT_TRUE(balance.Start());
        EXPECT_EQ(t.com.subAudioTone, c.sent) << c.first;
        EXPECT_DOUBLE_EQ(balance.CtcssHz(0), c.sent / 10.0);
        EXPECT_FALSE(balance.SetCtcssHz(100.0, 100.0)); // the radio transmits one of them
        EXPECT_DOUBLE_EQ(balance.CtcssHz(0), c.sent / 10.0);
        balance.Cancel();
    }
}

TEST_F(HSliderAlignDialogTest, FailuresShowTheirMessages) {
    t.com.failing.insert(SVC_REQUEST_TX);
    t.prompt.expectMessage(std::string(Strings::get(IDS_INITIAL_PROCESSING_FAILED)));
    HSliderAlignDialog power(t.context(), SliderProcedure::TxPower, 0);
    EXPECT_FALSE(power.Start());
    EXPECT_EQ(t.com.commands.back(), SVC_REQUEST_RX);
    t.com.failing.clear();

    // Only the modulation balance and sequential tone procedures show a failed change.
    HSliderAlignDialog balance(t.context(), SliderProcedure::ModulationBalance, 0);
    ASSERT_TRUE(balance.Start());
    t.com.failing.insert(SVC_SET_ADJUST_LEVEL);
    t.prompt.expectMessage(std::string(Strings::get(IDS_CHANGE_PROCESSING_FAILED)));
    EXPECT_FALSE(balance.Right());
    HSliderAlignDialog deviation(t.context(), SliderProcedure::MaxDeviation, 0);
    t.com.failing.clear();
    ASSERT_TRUE(deviation.Start());
    t.com.failing.insert(SVC_SET_ADJUST_LEVEL);
    EXPECT_FALSE(deviation.Right()); // logged only
}

} // namespace
} // namespace kq70
