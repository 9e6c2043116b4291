#include "SimulatorLink.h"

#include "platform/ManualClock.h"

#include <algorithm>
#include <chrono>

namespace kq70 {

SimulatorLink::SimulatorLink(RadioSimulator& radio, ManualClock& clock, std::string deviceName)
    : m_radio(radio), m_clock(clock), m_deviceName(std::move(deviceName)) {}

bool SimulatorLink::open(const std::string& name) {
    if (m_open || (!m_deviceName.empty() && name != m_deviceName)) {
        return false;
    }
    m_open = true;
    m_openedName = name;
    m_dtr = true;
    ++m_openCount;
    return true;
}

bool SimulatorLink::setTimeouts(const SerialTimeouts& timeouts) {
    m_timeouts = timeouts;
    return m_open;
}

bool SimulatorLink::configure(const SerialLineSettings& settings) {
    m_settings = settings;
    m_dtr = settings.fDtrControl == DTR_CONTROL_ENABLE;
    m_radio.setBaudRate(settings.BaudRate);
    return m_open;
}

void SimulatorLink::collect() {
    for (const TimedByte& byte : m_radio.takeOutput(m_clock.now())) {
        m_input.push_back(byte);
    }
}

bool SimulatorLink::purgeReceive() {
    collect();
    m_input.clear();
    return m_open;
}

bool SimulatorLink::write(std::span<const std::uint8_t> bytes, std::size_t& written) {
    written = 0;
    if (!m_open) {
        return false;
    }
    m_radio.receive(bytes, m_clock.now());
    written = bytes.size();
    m_bytesWritten += written;
    return true;
}

bool SimulatorLink::read(std::span<std::uint8_t> buffer, std::size_t& received) {
    received = 0;
    if (!m_open) {
        return false;
    }
    using std::chrono::milliseconds;
    const Clock::Duration start = m_clock.now();
    const Clock::Duration total =
        start + milliseconds(static_cast<long long>(m_timeouts.readTotalMs(buffer.size())));
    const Clock::Duration interval = milliseconds(m_timeouts.ReadIntervalTimeout);
    Clock::Duration lastByte = start;
    for (;;) {
        collect();
        while (received < buffer.size() && !m_input.empty()) {
            buffer[received++] = m_input.front().value;
            lastByte = std::max(m_input.front().time, start);
            m_input.pop_front();
        }
        if (received == buffer.size()) {
            return true;
        }
        // Only "more than" the interval ends a read, so a byte due exactly then still counts.
        const Clock::Duration deadline =
            received == 0 ? total : std::min(total, lastByte + interval);
        const auto next = m_radio.nextEventTime();
        if (!next || *next > deadline) {
            m_clock.advanceTo(deadline);
            return true;
        }
        m_clock.advanceTo(*next);
    }
}

bool SimulatorLink::setDtr(bool raised) {
    m_dtr = raised;
    return m_open;
}

bool SimulatorLink::close() {
    if (!m_open) {
        return false;
    }
    m_open = false;
    m_input.clear();
    return true;
}

} // namespace kq70
