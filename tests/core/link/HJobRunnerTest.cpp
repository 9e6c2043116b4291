#include "link/HJobRunner.h"

#include "link/HCommRequest.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kq70 {
namespace {

class WatchedRequest : public HCommRequest {
public:
    WatchedRequest(std::uint32_t jobNumber, bool& destroyed)
        : HCommRequest(jobNumber), m_destroyed(destroyed) {}
    ~WatchedRequest() override { m_destroyed = true; }

private:
    bool& m_destroyed;
};

TEST(HJobRunnerTest, ShowsTheResultTextWithTheIconOfTheResult) {
    struct Case {
        int result;
        std::string text;
        bool shown;
        MessageIcon icon;
    };
    const std::vector<Case> cases = {
        {0, "Upload Complete!", true, MessageIcon::Information},
        {1, "Communication Error!", true, MessageIcon::Stop},
        {2, "TimeOut!", true, MessageIcon::Stop},
        {0, "", false, MessageIcon::None},
        {1, "", false, MessageIcon::None},
    };
    for (const Case& c : cases) {
        test::ScriptedPrompt prompt;
        if (c.shown) {
            prompt.expectMessage(c.text, MessageAnswer::Ok, c.icon);
        }
        HJobRunner runner(prompt);
        runner.SetJob(1, [&c](HCommJob& job) {
            static_cast<HCommRequest&>(job).m_message = c.text;
            return c.result;
        });
        bool destroyed = false;
        EXPECT_EQ(runner.RunJob(std::make_unique<WatchedRequest>(1, destroyed)), c.result);
        EXPECT_TRUE(destroyed) << "the request goes whatever the result";
        if (c.shown) {
            EXPECT_EQ(prompt.asked()[0].caption, "");
        }
    }
}

TEST(HJobRunnerTest, PicksTheSlotByJobNumberAndStatus) {
    test::ScriptedPrompt prompt;
    HJobRunner runner(prompt);
    std::vector<std::size_t> called;
    for (std::size_t slot : {0u, 3u, 5u}) {
        runner.SetJob(slot, [&called, slot](HCommJob&) {
            called.push_back(slot);
            return 0;
        });
    }
    EXPECT_EQ(runner.RunJob(std::make_unique<HCommRequest>(3)), 0);
    runner.SetStatus(2);
    EXPECT_EQ(runner.RunJob(std::make_unique<HCommRequest>(3)), 0);
    EXPECT_EQ(called, (std::vector<std::size_t>{3, 5}));
}

TEST(HJobRunnerTest, AMissingJobFailsWithoutRunning) {
    test::ScriptedPrompt prompt;
    HJobRunner runner(prompt);
    bool destroyed = false;
    EXPECT_EQ(runner.RunJob(std::make_unique<WatchedRequest>(7, destroyed)), 1);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(runner.RunJob(std::make_unique<HCommRequest>(HJobRunner::JOB_TABLE_SIZE)), 1);
    EXPECT_EQ(runner.RunJob(nullptr), 1);
}

TEST(HJobRunnerTest, APlainJobShowsNothing) {
    test::ScriptedPrompt prompt;
    HJobRunner runner(prompt);
    runner.SetJob(0, [](HCommJob& job) { return job.m_kind == JOB_KIND_PLAIN ? 1 : 0; });
    // The prompt fails the test on any message.
    EXPECT_EQ(runner.RunJob(std::make_unique<HCommJob>(0)), 1);
}

} // namespace
} // namespace kq70
