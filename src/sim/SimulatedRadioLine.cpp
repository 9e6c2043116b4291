#include "SimulatedRadioLine.h"

#include <chrono>

namespace kq70 {

namespace {

constexpr auto RESTART_DELAY = std::chrono::milliseconds(1000);

} // namespace

SimulatedRadioLine::SimulatedRadioLine(const RadioImage& memory, Clock& realClock)
    : m_radio(memory), m_realClock(realClock) {
    RadioSimulator& radio = m_radio.radio;
    radio.setPacing(true);
    radio.setRecordTranscript(false);
    radio.setRestartDelay(RESTART_DELAY);
    radio.switchOn(m_radio.clock.now());
}

SerialDevice& SimulatedRadioLine::device(bool paced) {
    if (!paced) {
        m_paced.reset();
        return m_radio.link;
    }
    if (!m_paced) {
        m_paced = std::make_unique<RealTimeLink>(m_radio.link, m_radio.clock, m_realClock);
    }
    return *m_paced;
}

void SimulatedRadioLine::restartPace() {
    if (m_paced) {
        m_paced->restart();
    }
}

} // namespace kq70
