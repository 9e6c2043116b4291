#include "service/HSqlAlignment.h"

#include "core/service/ServiceTestContext.h"
#include "link/CancelFlag.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kq70 {
namespace {

using AdData = test::FakeComAlignment::AdData;

TEST(HSqlAlignmentSeriesTest, TheMeanLeavesOutTheLargestAndTheSmallestSample) {
    struct Case {
        std::vector<int> samples;
        int mean;
    };
    std::vector<int> rising(20);
    std::generate(rising.begin(), rising.end(), [v = 0]() mutable { return v += 10; });
    const std::vector<Case> cases = {
        {std::vector<int>(20, 77), 77},
        {rising, 105},
        {{0,   255, 100, 100, 100, 100, 100, 100, 100, 100,
          100, 100, 100, 100, 100, 100, 100, 100, 100, 100},
         100},
    };
    for (const Case& c : cases) {
        HSqlAlignment::Series series;
        for (int v : c.samples) {
            series.Add(v);
        }
        EXPECT_EQ(series.Mean(), c.mean);
    }
}

class HSqlAlignmentTest : public test::ServiceTest {
protected:
    // Sample n reads RSSI 10·(n+1) and NSQ 200 - n.
    void scriptReadings() {
        t.com.ad = [this](int) {
            const int n = reads++ / 2;
            AdData data{};
            data[AD_NSQ] = static_cast<std::uint8_t>(200 - n);
            data[AD_RSSI] = static_cast<std::uint8_t>(10 * (n + 1));
            return data;
        };
    }

    int reads = 0;
};

TEST_F(HSqlAlignmentTest, ThresholdSqlSamplesTwentyTimesAndStoresTheNoiseSquelch) {
    scriptReadings();
    HSqlAlignment sql(t.context(), SqlProcedure::ThresholdSql, 1);
    ASSERT_TRUE(sql.Start());
    EXPECT_EQ(t.com.channel, 4); // narrow alignment channel
    const auto start = t.clock.now();
    std::vector<int> heard;
    EXPECT_TRUE(sql.RunSampling({[&heard](int taken) { heard.push_back(taken); }, nullptr}));
    EXPECT_EQ(t.clock.now() - start, 20 * SAMPLE_INTERVAL);
    EXPECT_EQ(t.com.adReads, 40);
    ASSERT_EQ(heard.size(), 20u);
    EXPECT_EQ(heard.back(), 20);
    EXPECT_EQ(sql.RssiResult(), 105);
    EXPECT_EQ(sql.NsqText(), "190");
    EXPECT_EQ(sql.Buttons().focus, ProcedureFocus::Ok);
    EXPECT_TRUE(sql.Ok());
    EXPECT_EQ(t.set.get(6), 190);
}

TEST_F(HSqlAlignmentTest, RssiProceduresStoreTheRssiReading) {
    for (const auto& [procedure, item] :
         {std::pair{SqlProcedure::TightRssi, 0u}, std::pair{SqlProcedure::TxSave, 1u}}) {
        reads = 0;
        scriptReadings();
        HSqlAlignment sql(t.context(), procedure, 0);
        ASSERT_TRUE(sql.Start());
        const int before = t.com.adReads;
        ASSERT_TRUE(sql.RunSampling());
        EXPECT_EQ(t.com.adReads - before, 20); // one read a sample
        ASSERT_TRUE(sql.Ok());
        EXPECT_EQ(t.set.get(item), sql.RssiResult());
    }
}

TEST_F(HSqlAlignmentTest, AFailedReadEndsTheMeasurementWithNothingToStore) {
    t.com.ad = [this](int) -> std::optional<AdData> {
        return ++reads == 7 ? std::nullopt : std::optional<AdData>(AdData{});
    };
    t.set.set(3, 42);
    t.prompt.expectMessage(std::string(Strings::get(IDS_INITIAL_PROCESSING_FAILED)));
    HSqlAlignment sql(t.context(), SqlProcedure::TightSql, 0);
    ASSERT_TRUE(sql.Start());
    EXPECT_FALSE(sql.RunSampling());
    EXPECT_FALSE(sql.Ok());
    EXPECT_EQ(t.set.get(3), 42);
    EXPECT_TRUE(sql.Buttons().startEnabled);
}

// Closing the window asks the run to stop: it ends before the next read, keeps nothing and can
// be started again.
TEST_F(HSqlAlignmentTest, AStoppedRunEndsBeforeTheNextReadAndStoresNothing) {
    scriptReadings();
    t.set.set(2, 42);
    HSqlAlignment sql(t.context(), SqlProcedure::ThresholdSql, 0);
    ASSERT_TRUE(sql.Start());
    CancelFlag stop;
    const SamplingWatch watch{[&stop](int taken) {
                                  if (taken == 5) {
                                      stop.request();
                                  }
                              },
                              &stop};
    EXPECT_FALSE(sql.RunSampling(watch));
    EXPECT_EQ(sql.SamplesTaken(), 5);
    EXPECT_EQ(t.com.adReads, 10);
    EXPECT_FALSE(sql.Sampling());
    EXPECT_FALSE(sql.Ok());
    EXPECT_EQ(t.set.get(2), 42);
    EXPECT_TRUE(sql.Buttons().startEnabled);
    ASSERT_TRUE(sql.Start());
    EXPECT_TRUE(sql.RunSampling());
}

TEST_F(HSqlAlignmentTest, AFailedStartShowsInitialProcessing) {
    t.com.failing.insert(SVC_CHANGE_CHANNEL);
    t.prompt.expectMessage(std::string(Strings::get(IDS_INITIAL_PROCESSING_FAILED)));
    HSqlAlignment sql(t.context(), SqlProcedure::ThresholdSql, 0);
    EXPECT_FALSE(sql.Start());
    EXPECT_FALSE(sql.Sample());
}

TEST_F(HSqlAlignmentTest, TheGeneratorSettingsComeFromTheProceduresItems) {
    HSqlAlignment sql(t.context(), SqlProcedure::ThresholdSql, 0);
    EXPECT_EQ(sql.GeneratorLines(),
              (std::vector<std::string>{"446.09375 MHz", "-8 dBuV (EMF)", " 3.0 kHz", " 1.0 kHz"}));
    t.set.setDisplayUnit(4);
    EXPECT_EQ(sql.GeneratorLines()[1], "-121 dBm");
}

} // namespace
} // namespace kq70
