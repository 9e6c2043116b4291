#include "link/HCommRequest.h"

#include "link/LastPortKind.h"

namespace kq70 {

HCommRequest::HCommRequest(std::uint32_t jobNumber) : HCommJob(jobNumber, JOB_KIND_COMM_REQUEST) {}

HCommRequest::HCommRequest(std::uint32_t jobNumber, const LastPortKind& lastPortKind)
    : HCommRequest(jobNumber) {
    m_portKind = lastPortKind.get();
}

void HCommRequest::SetBaudRate(std::uint32_t baudRate) {
    m_previousBaudRate = m_baudRate;
    m_baudRate = baudRate;
}

} // namespace kq70
