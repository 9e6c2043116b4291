#include "link/HSerialPort.h"

#include "link/LastPortKind.h"
#include "log/HLogPrint.h"
#include "platform/SerialDevice.h"
#include "ui/StrPrintf.h"

#include <algorithm>
#include <vector>

namespace kq70 {

namespace {}

HSerialPort::HSerialPort(SerialDevice& device, LastPortKind& lastPortKind)
    : m_device(device), m_lastPortKind(lastPortKind), m_portKind(lastPortKind.get()) {}

HSerialPort::~HSerialPort() {
    if (IsOpen()) {
        Close();
    }
}

bool HSerialPort::IsUsableKind(int kind) {
    return kind == PORT_KIND_RS232 || kind == PORT_KIND_USB_CABLE;
}

std::string HSerialPort::DeviceNameFor(unsigned portNumber) {
    return strprintf("/dev/ttyS%lld", static_cast<long long>(portNumber) - 1);
}

std::string HSerialPort::DeviceName() const {
    return m_portName.empty() ? DeviceNameFor(m_portNumber) : m_portName;
}

bool HSerialPort::IsOpen() const {
    return m_device.isOpen();
}

void HSerialPort::SetIdentityByte(std::size_t index, std::uint8_t value) {
    if (index < m_identity.size()) {
        m_identity[index] = value;
    }
}

int HSerialPort::Open() {
    m_portNumber = std::clamp(m_portNumber, MIN_PORT_NUMBER, MAX_PORT_NUMBER);
    const std::string name = DeviceName();
    KQ70_LOG(LOG_D2, LOG_CHANNEL, "HSerialPort::Open(%s)", name.c_str());
    if (IsOpen()) {
        Close(); // never lose track of a device that is still open
    }
    if (!m_device.open(name)) {
        Close();
        return 1;
    }
    m_portKind = m_device.portKind();
    m_lastPortKind.set(m_portKind);
    if (!IsUsableKind(m_portKind)) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "%s is no serial port (kind %d)", name.c_str(), m_portKind);
    }
    if (!IsUsableKind(m_portKind) || !m_device.setTimeouts(m_timeouts) ||
        !m_device.configure(m_dcb)) {
        // A half-opened device would keep its lock and block the next attempt.
        Close();
        return 1;
    }
    return 0;
}

bool HSerialPort::Close() {
    if (!IsOpen()) {
        return false;
    }
    m_device.setDtr(false);
    m_device.purgeSend();
    m_device.purgeReceive();
    return m_device.close();
}

int HSerialPort::ProbePort(unsigned portNumber) {
    return ProbePort(DeviceNameFor(portNumber));
}

int HSerialPort::ProbePort(const std::string& deviceName) {
    if (IsOpen()) {
        Close();
    }
    if (!m_device.open(deviceName)) {
        return PORT_KIND_OTHER;
    }
    const int kind = m_device.portKind();
    Close();
    return kind;
}

PortResult HSerialPort::SendMltData(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > MAX_TRANSFER_SIZE || !IsUsableKind(m_portKind)) {
        return PORT_COMM_ERROR;
    }
    std::size_t written = 0;
    if (!m_device.write(bytes, written) || written != bytes.size()) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "SendMltData: %zu of %zu bytes written", written,
                 bytes.size());
        return PORT_COMM_ERROR;
    }
    if (m_echoSuppression != 0) {
        return PORT_SUCCESS;
    }
    // The lead hands every byte back; it must be read off the line before the answer.
    std::vector<std::uint8_t> echo(bytes.size());
    return ReceiveMltData(echo) == PORT_SUCCESS ? PORT_SUCCESS : PORT_COMM_ERROR;
}

PortResult HSerialPort::SendSglData(std::uint8_t byte) {
    return SendMltData(std::span<const std::uint8_t>(&byte, 1));
}

PortResult HSerialPort::ReceiveMltData(std::span<std::uint8_t> buffer) {
    if (!m_device.clearErrors()) {
        return PORT_COMM_ERROR;
    }
    std::size_t received = 0;
    if (!m_device.read(buffer, received) || received < buffer.size()) {
        return PORT_TIMEOUT;
    }
    return PORT_SUCCESS;
}

PortResult HSerialPort::ReceiveSglData(std::uint8_t& byte) {
    return ReceiveMltData(std::span<std::uint8_t>(&byte, 1));
}

void HSerialPort::PurgeReceive() {
    m_device.purgeReceive();
}

void HSerialPort::PurgeSend() {
    m_device.purgeSend();
}

} // namespace kq70
