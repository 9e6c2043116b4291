#pragma once

#include "platform/Clock.h"
#include "platform/SerialDevice.h"

namespace kq70 {

class ManualClock;

// Makes a link on virtual time keep the pace of the wall clock: after every call it waits
// until as much real time has passed as the virtual clock has moved on, so a simulated
// radio's bytes arrive at the speed of the wire, as they would from a real radio.
class RealTimeLink : public SerialDevice {
public:
    RealTimeLink(SerialDevice& link, ManualClock& virtualClock, Clock& realClock);

    // Keeps pace from now on: time the line lay idle is not made up for later.
    void restart();

    bool open(const std::string& name) override { return paced(m_link.open(name)); }
    bool isOpen() const override { return m_link.isOpen(); }
    int portKind() const override { return m_link.portKind(); }
    bool setTimeouts(const SerialTimeouts& timeouts) override {
        return paced(m_link.setTimeouts(timeouts));
    }
    bool configure(const SerialLineSettings& settings) override {
        return paced(m_link.configure(settings));
    }
    bool purgeReceive() override { return paced(m_link.purgeReceive()); }
    bool purgeSend() override { return paced(m_link.purgeSend()); }
    bool clearErrors() override { return paced(m_link.clearErrors()); }
    bool write(std::span<const std::uint8_t> bytes, std::size_t& written) override {
        return paced(m_link.write(bytes, written));
    }
    bool read(std::span<std::uint8_t> buffer, std::size_t& received) override {
        return paced(m_link.read(buffer, received));
    }
    bool setDtr(bool raised) override { return paced(m_link.setDtr(raised)); }
    bool close() override { return paced(m_link.close()); }

private:
    bool paced(bool result);

    SerialDevice& m_link;
    ManualClock& m_virtualClock;
    Clock& m_realClock;
    Clock::Duration m_virtualStart;
    Clock::Duration m_realStart;
};

} // namespace kq70
