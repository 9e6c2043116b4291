#pragma once

#include "platform/SerialDevice.h"

#include <string>

namespace kq70 {

class Clock;

// A serial device through POSIX termios: a UART, a USB serial adapter or a pseudo-terminal.
// The device is opened without becoming the controlling terminal, locked against a second
// user, set raw and non-blocking; the read and write time-outs are kept here with poll(), on
// the given clock, which must be a real one.
class PosixSerialDevice : public SerialDevice {
public:
    explicit PosixSerialDevice(Clock& clock, std::string sysClassTty = "/sys/class/tty");
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    bool open(const std::string& name) override;
    bool isOpen() const override { return m_fd >= 0; }
    int portKind() const override { return m_kind; }
    bool setTimeouts(const SerialTimeouts& timeouts) override;
    bool configure(const SerialLineSettings& settings) override;
    bool purgeReceive() override;
    bool purgeSend() override;
    bool clearErrors() override;
    bool write(std::span<const std::uint8_t> bytes, std::size_t& written) override;
    bool read(std::span<std::uint8_t> buffer, std::size_t& received) override;
    bool setDtr(bool raised) override;
    bool close() override;

private:
    bool setModemLines(int lines, bool raised);
    // Waits for `events` until `deadline`; 1 ready, 0 time is up, -1 the device failed.
    int waitFor(short events, long long deadlineUs);
    // Once an answer has begun, its other `count` bytes cannot come faster than the line
    // carries them: waits for most of them at once (never past `leftUs` nor half the
    // interval time-out) instead of waking for every byte.
    void awaitRest(std::size_t count, long long leftUs);

    Clock& m_clock;
    std::string m_sysClassTty;
    int m_fd = -1;
    int m_kind = PORT_KIND_OTHER;
    bool m_isTerminal = false;
    SerialTimeouts m_timeouts;
    long long m_byteTimeUs = 0; // one character's time on the configured line
};

} // namespace kq70
