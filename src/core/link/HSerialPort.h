#pragma once

#include "link/PortResult.h"
#include "platform/SerialLineSettings.h"
#include "platform/SerialTimeouts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kq70 {

class LastPortKind;
class SerialDevice;

// The port to the programming lead. It opens a serial device by port number or by device
// path, gives it the fixed line settings and time-outs, and moves raw bytes with blocking
// calls that report every failure as a PortResult. The lead is one wire: with the echo
// suppression flag at 0 every byte sent comes back, and SendMltData reads it back and
// drops it so the caller sees only the radio's answer.
//
// Order of use: construct; set port number (or name), echo suppression flag and port kind;
// GetDcb, change BaudRate, ByteSize, StopBits and Parity, SetDcb; Open; purge, send and
// receive; Close. Destruction closes an open port. One thread at a time.
class HSerialPort {
public:
    static constexpr std::size_t MAX_TRANSFER_SIZE = 4096;
    static constexpr unsigned MIN_PORT_NUMBER = 1;
    static constexpr unsigned MAX_PORT_NUMBER = 256;
    static constexpr std::size_t IDENTITY_SIZE = 6;

    HSerialPort(SerialDevice& device, LastPortKind& lastPortKind);
    ~HSerialPort();
    HSerialPort(const HSerialPort&) = delete;
    HSerialPort& operator=(const HSerialPort&) = delete;

    // 0 success, 1 failure. Forces the port number into 1..256 first. A port that opens but
    // is neither a serial port nor the USB cable, or cannot take the time-outs or the line
    // settings, is refused with 1 and closed (its lock released) at once. Opening an open
    // port closes it first.
    [[nodiscard]] int Open();
    // True when an open device was closed; a second Close does nothing and says false.
    bool Close();
    // The kind of port `portNumber` (or of the device `deviceName`), -1 when it cannot be
    // opened. Uses this object's device: a port open here is closed first.
    int ProbePort(unsigned portNumber);
    int ProbePort(const std::string& deviceName);

    // 0 success, 1 failure: more than MAX_TRANSFER_SIZE bytes, a refused port, a short
    // write, or (echo suppression 0) an echo that did not come back.
    [[nodiscard]] PortResult SendMltData(std::span<const std::uint8_t> bytes);
    [[nodiscard]] PortResult SendSglData(std::uint8_t byte);
    // 0 all bytes read, 1 communication error, 2 time-out (what came is left in the buffer).
    [[nodiscard]] PortResult ReceiveMltData(std::span<std::uint8_t> buffer);
    [[nodiscard]] PortResult ReceiveSglData(std::uint8_t& byte);
    void PurgeReceive();
    void PurgeSend();

    bool IsOpen() const;
    // The device Open uses: the port name when one is set, else /dev/ttyS<n-1>.
    std::string DeviceName() const;
    static std::string DeviceNameFor(unsigned portNumber);

    unsigned GetPortNumber() const { return m_portNumber; }
    void SetPortNumber(unsigned portNumber) { m_portNumber = portNumber; }
    void SetPortName(std::string portName) { m_portName = std::move(portName); }
    std::uint32_t GetEchoSuppression() const { return m_echoSuppression; }
    void SetEchoSuppression(std::uint32_t flag) { m_echoSuppression = flag; }
    int GetPortKind() const { return m_portKind; }
    void SetPortKind(int kind) { m_portKind = kind; }
    SerialLineSettings GetDcb() const { return m_dcb; }
    void SetDcb(const SerialLineSettings& dcb) { m_dcb = dcb; }
    const std::array<std::uint8_t, IDENTITY_SIZE>& GetIdentity() const { return m_identity; }
    void SetIdentityByte(std::size_t index, std::uint8_t value);

private:
    static bool IsUsableKind(int kind);

    SerialDevice& m_device;
    LastPortKind& m_lastPortKind;
    unsigned m_portNumber = 1;
    std::string m_portName;
    std::uint32_t m_echoSuppression = 1;
    SerialLineSettings m_dcb;
    const SerialTimeouts m_timeouts;
    std::array<std::uint8_t, IDENTITY_SIZE> m_identity{};
    int m_portKind;
};

} // namespace kq70
