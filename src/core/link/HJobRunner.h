#pragma once

#include "link/HCommJob.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>

namespace kq70 {

class UserPrompt;

// Runs radio jobs the way every communication dialog does: at once, on the calling thread,
// through a table of job functions indexed by job number plus status. The runner takes the
// job, destroys it whatever happened, shows a request's result text (information icon on
// success, stop icon on failure, nothing for an empty text) and returns the result.
class HJobRunner {
public:
    static constexpr std::size_t JOB_TABLE_SIZE = 28;
    // 0 success, anything else failure.
    using JobFunction = std::function<int(HCommJob&)>;

    explicit HJobRunner(UserPrompt& prompt) : m_prompt(prompt) {}

    void SetJob(std::size_t slot, JobFunction function);
    void SetStatus(int status) { m_status = status; }

    // 1 without running anything when there is no job or the slot is empty.
    int RunJob(std::unique_ptr<HCommJob> job);

private:
    int CallJob(HCommJob& job);
    void ShowResult(const HCommJob& job, int result);

    UserPrompt& m_prompt;
    std::array<JobFunction, JOB_TABLE_SIZE> m_jobs;
    int m_status = 0;
};

} // namespace kq70
