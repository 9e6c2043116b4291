#pragma once

#include "RadioSimulator.h"
#include "platform/SerialDevice.h"

#include <deque>
#include <string>

namespace kq70 {

class ManualClock;

// A serial device wired straight to a RadioSimulator on virtual time. Reads keep the
// port's time-outs exactly, but instead of waiting they move the clock on to the radio's
// next byte or to the time-out, so a whole transfer runs in an instant.
class SimulatorLink : public SerialDevice {
public:
    // Opens only under `deviceName`; an empty name opens under any name.
    SimulatorLink(RadioSimulator& radio, ManualClock& clock, std::string deviceName = {});

    // What the device reports when opened: a serial port unless told otherwise.
    void setPortKind(int kind) { m_kind = kind; }
    // A line whose error check fails, like an adapter pulled out.
    void setLineBroken(bool broken) { m_lineBroken = broken; }

    bool open(const std::string& name) override;
    bool isOpen() const override { return m_open; }
    int portKind() const override { return m_open ? m_kind : PORT_KIND_OTHER; }
    bool setTimeouts(const SerialTimeouts& timeouts) override;
    bool configure(const SerialLineSettings& settings) override;
    bool purgeReceive() override;
    bool purgeSend() override { return m_open; }
    bool clearErrors() override { return m_open && !m_lineBroken; }
    bool write(std::span<const std::uint8_t> bytes, std::size_t& written) override;
    bool read(std::span<std::uint8_t> buffer, std::size_t& received) override;
    bool setDtr(bool raised) override;
    bool close() override;

    // For the tests.
    const SerialLineSettings& settings() const { return m_settings; }
    const SerialTimeouts& timeouts() const { return m_timeouts; }
    const std::string& openedName() const { return m_openedName; }
    bool dtr() const { return m_dtr; }
    std::size_t bytesWritten() const { return m_bytesWritten; }
    int openCount() const { return m_openCount; }

private:
    void collect();

    RadioSimulator& m_radio;
    ManualClock& m_clock;
    std::string m_deviceName;
    std::string m_openedName;
    int m_kind = PORT_KIND_RS232;
    bool m_open = false;
    bool m_lineBroken = false;
    bool m_dtr = false;
    int m_openCount = 0;
    std::size_t m_bytesWritten = 0;
    SerialLineSettings m_settings;
    SerialTimeouts m_timeouts;
    std::deque<TimedByte> m_input;
};

} // namespace kq70
