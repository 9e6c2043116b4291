#include "RealTimeLink.h"

#include "platform/ManualClock.h"

namespace kq70 {

RealTimeLink::RealTimeLink(SerialDevice& link, ManualClock& virtualClock, Clock& realClock)
    : m_link(link), m_virtualClock(virtualClock), m_realClock(realClock),
      m_virtualStart(virtualClock.now()), m_realStart(realClock.now()) {}

void RealTimeLink::restart() {
    m_virtualStart = m_virtualClock.now();
    m_realStart = m_realClock.now();
}

bool RealTimeLink::paced(bool result) {
    const Clock::Duration ahead =
        (m_virtualClock.now() - m_virtualStart) - (m_realClock.now() - m_realStart);
    if (ahead > Clock::Duration::zero()) {
        m_realClock.sleep(ahead);
    }
    return result;
}

} // namespace kq70
