#pragma once

#include <cstdint>

namespace kq70 {

// Kinds of job object.
constexpr std::uint32_t JOB_KIND_PLAIN = 0;
constexpr std::uint32_t JOB_KIND_COMM_REQUEST = 1;

// A job handed to a job runner: the job number picks the job-table entry, the kind tells a
// plain job from a communication request. The runner owns and destroys it.
class HCommJob {
public:
    explicit HCommJob(std::uint32_t jobNumber = 0) : m_jobNumber(jobNumber) {}
    virtual ~HCommJob() = default;
    HCommJob(const HCommJob&) = delete;
    HCommJob& operator=(const HCommJob&) = delete;

    std::uint32_t m_jobNumber;
    const std::uint32_t m_kind = JOB_KIND_PLAIN;

protected:
    HCommJob(std::uint32_t jobNumber, std::uint32_t kind) : m_jobNumber(jobNumber), m_kind(kind) {}
};

} // namespace kq70
