#include "link/HJobRunner.h"

#include "link/HCommRequest.h"
#include "log/HLogPrint.h"
#include "ui/UserPrompt.h"

namespace kq70 {

namespace {}

void HJobRunner::SetJob(std::size_t slot, JobFunction function) {
    if (slot < m_jobs.size()) {
        m_jobs[slot] = std::move(function);
    }
}

int HJobRunner::RunJob(std::unique_ptr<HCommJob> job) {
    if (!job) {
        return 1;
    }
    const int result = CallJob(*job);
    ShowResult(*job, result);
    return result; // the job goes with `job`, whatever happened
}

int HJobRunner::CallJob(HCommJob& job) {
    KQ70_LOG(LOG_D2, LOG_CHANNEL, "JobHandler job %u status %d", job.m_jobNumber, m_status);
    const long long slot = static_cast<long long>(job.m_jobNumber) + m_status;
    if (slot < 0 || slot >= static_cast<long long>(m_jobs.size()) ||
        !m_jobs[static_cast<std::size_t>(slot)]) {
        // A job nobody provides fails instead of jumping into nothing.
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "no job in slot %lld", slot);
        return 1;
    }
    return m_jobs[static_cast<std::size_t>(slot)](job);
}

void HJobRunner::ShowResult(const HCommJob& job, int result) {
    const auto* request = dynamic_cast<const HCommRequest*>(&job);
    if (request == nullptr || request->m_message.empty()) {
        return;
    }
    m_prompt.message(request->m_message,
                     result == 0 ? MessageIcon::Information : MessageIcon::Stop);
}

} // namespace kq70
