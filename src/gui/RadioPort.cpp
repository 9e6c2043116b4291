#include "RadioPort.h"

#include "SimulatedRadioLine.h"
#include "app/AppSettings.h"

namespace kq70 {

RadioPort::RadioPort(const AppSettings& settings) : m_settings(settings), m_serial(m_systemClock) {}

RadioPort::~RadioPort() = default;

bool RadioPort::simulated() const {
    return m_settings.usesSimulatedRadio();
}

SimulatedRadioLine& RadioPort::simulatedLine() {
    if (!m_simulated) {
        m_simulated = std::make_unique<SimulatedRadioLine>(makeSimulatorSeedImage(), m_systemClock);
    }
    return *m_simulated;
}

InProcessRadio& RadioPort::simulatedRadio() {
    return simulatedLine().radio();
}

SerialDevice& RadioPort::deviceForJob() {
    return simulated() ? simulatedLine().device(m_pacedWanted) : m_serial;
}

void RadioPort::startJob() {
    if (m_simulated) {
        m_simulated->restartPace();
    }
}

Clock& RadioPort::clock() {
    return simulated() ? simulatedLine().clock() : static_cast<Clock&>(m_systemClock);
}

} // namespace kq70
