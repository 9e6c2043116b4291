#include "RadioPort.h"

#include "InProcessRadio.h"
#include "RealTimeLink.h"
#include "app/AppSettings.h"
#include "frame/ConfigureChoices.h"

#include <chrono>

namespace kq70 {

namespace {

// Switched off by the reset command, the simulated radio comes back on as a user would
// switch it on again.
constexpr auto RESTART_DELAY = std::chrono::milliseconds(1000);

} // namespace

RadioPort::RadioPort(const AppSettings& settings) : m_settings(settings), m_serial(m_systemClock) {}

RadioPort::~RadioPort() = default;

bool RadioPort::simulated() const {
    return m_settings.portName == SIMULATED_PORT_NAME;
}

InProcessRadio& RadioPort::simulatedRadio() {
    if (!m_radio) {
        m_radio = std::make_unique<InProcessRadio>();
        RadioSimulator& radio = m_radio->radio;
        radio.setPacing(true);
        radio.setRecordTranscript(false);
        radio.setRestartDelay(RESTART_DELAY);
        radio.switchOn(m_radio->clock.now());
    }
    return *m_radio;
}

SerialDevice& RadioPort::deviceForJob() {
    if (!simulated()) {
        return m_serial;
    }
    InProcessRadio& radio = simulatedRadio();
    if (!m_pacedWanted) {
        m_paced.reset();
        return radio.link;
    }
    if (!m_paced) {
        m_paced = std::make_unique<RealTimeLink>(radio.link, radio.clock, m_systemClock);
    }
    return *m_paced;
}

void RadioPort::startJob() {
    if (m_paced) {
        m_paced->restart();
    }
}

Clock& RadioPort::clock() {
    if (simulated()) {
        return simulatedRadio().clock; // the link moves it on; the job's pauses must too
    }
    return m_systemClock;
}

} // namespace kq70
