#include "platform/PosixSerialDevice.h"

#include "log/HLogPrint.h"
#include "platform/Clock.h"
#include "platform/SerialPortEnumerator.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kq70 {

namespace {

bool speedFor(std::uint32_t baudRate, speed_t& speed) {
    switch (baudRate) {
    case 1200:
        speed = B1200;
        return true;
    case 2400:
        speed = B2400;
        return true;
    case 4800:
        speed = B4800;
        return true;
    case 9600:
        speed = B9600;
        return true;
    case 19200:
        speed = B19200;
        return true;
    case 38400:
        speed = B38400;
        return true;
    case 57600:
        speed = B57600;
        return true;
    case 115200:
        speed = B115200;
        return true;
    default:
        return false;
    }
}

bool sizeFlagFor(std::uint8_t byteSize, tcflag_t& flag) {
    switch (byteSize) {
    case 5:
        flag = CS5;
        return true;
    case 6:
        flag = CS6;
        return true;
    case 7:
        flag = CS7;
        return true;
    case 8:
        flag = CS8;
        return true;
    default:
        return false;
    }
}

bool parityFlagsFor(std::uint8_t parity, tcflag_t& flags) {
    switch (parity) {
    case NOPARITY:
        flags = 0;
        return true;
    case ODDPARITY:
        flags = PARENB | PARODD;
        return true;
    case EVENPARITY:
        flags = PARENB;
        return true;
    case MARKPARITY:
        flags = PARENB | PARODD | CMSPAR;
        return true;
    case SPACEPARITY:
        flags = PARENB | CMSPAR;
        return true;
    default:
        return false;
    }
}

// Short waits are rounded up so a poll never returns a hair before its deadline.
int pollTimeoutMs(long long remainingUs) {
    const long long ms = (remainingUs + 999) / 1000;
    return static_cast<int>(std::clamp<long long>(ms, 0, INT_MAX));
}

std::string ttyNameOf(const std::string& path) {
    std::error_code error;
    const auto real = std::filesystem::canonical(path, error);
    return (error ? std::filesystem::path(path) : real).filename().string();
}

} // namespace

PosixSerialDevice::PosixSerialDevice(Clock& clock, std::string sysClassTty)
    : m_clock(clock), m_sysClassTty(std::move(sysClassTty)) {}

PosixSerialDevice::~PosixSerialDevice() {
    close();
}

bool PosixSerialDevice::open(const std::string& name) {
    if (isOpen()) {
        close();
    }
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "open %s failed: %s", name.c_str(), std::strerror(errno));
        return false;
    }
    m_isTerminal = ::isatty(fd) == 1;
    if (m_isTerminal) {
        // Nobody else may use the lead while a job runs: a second program, or a second copy
        // of this one, gets "busy" instead of stealing bytes.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
            KQ70_LOG(LOG_WR, LOG_CHANNEL, "%s is in use", name.c_str());
            ::close(fd);
            return false;
        }
        m_kind = SerialPortEnumerator(m_sysClassTty).kindOf(ttyNameOf(name));
    } else {
        m_kind = PORT_KIND_OTHER;
    }
    m_fd = fd;
    return true;
}

bool PosixSerialDevice::setTimeouts(const SerialTimeouts& timeouts) {
    if (!isOpen()) {
        return false;
    }
    m_timeouts = timeouts;
    return true;
}

bool PosixSerialDevice::configure(const SerialLineSettings& settings) {
    termios tio{};
    speed_t speed = B9600;
    tcflag_t size = CS8;
    tcflag_t parity = 0;
    if (!isOpen() || !speedFor(settings.BaudRate, speed) || !sizeFlagFor(settings.ByteSize, size) ||
        !parityFlagsFor(settings.Parity, parity) || ::tcgetattr(m_fd, &tio) != 0) {
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    // The lead has no carrier line, and the lines drop when the last user closes.
    tio.c_cflag |= CREAD | CLOCAL | HUPCL | size | parity;
    if (settings.StopBits != ONESTOPBIT) {
        tio.c_cflag |= CSTOPB;
    }
    if (settings.fOutxCtsFlow != 0) {
        tio.c_cflag |= CRTSCTS;
    }
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_iflag |= (settings.fOutX != 0 ? IXON : 0) | (settings.fInX != 0 ? IXOFF : 0);
    tio.c_cc[VSTART] = static_cast<cc_t>(settings.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(settings.XoffChar);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 ||
        ::tcsetattr(m_fd, TCSANOW, &tio) != 0) {
        return false;
    }
    // Start bit, data bits, parity bit, stop bits.
    const int bits = 1 + settings.ByteSize + (settings.Parity != NOPARITY ? 1 : 0) +
                     (settings.StopBits == ONESTOPBIT ? 1 : 2);
    m_byteTimeUs = static_cast<long long>(bits) * 1000000 / settings.BaudRate;
    // A pseudo-terminal has no modem lines; that is no reason to refuse it.
    setModemLines(TIOCM_DTR, settings.fDtrControl == DTR_CONTROL_ENABLE);
    setModemLines(TIOCM_RTS, settings.fRtsControl == RTS_CONTROL_ENABLE);
    return true;
}

bool PosixSerialDevice::purgeReceive() {
    return isOpen() && ::tcflush(m_fd, TCIFLUSH) == 0;
}

bool PosixSerialDevice::purgeSend() {
    return isOpen() && ::tcflush(m_fd, TCOFLUSH) == 0;
}

bool PosixSerialDevice::clearErrors() {
    if (!isOpen()) {
        return false;
    }
    if (!m_isTerminal) {
        return true;
    }
    // A USB adapter pulled out, or a pseudo-terminal whose other side has gone, fails here.
    int waiting = 0;
    pollfd pfd{m_fd, 0, 0};
    return ::ioctl(m_fd, FIONREAD, &waiting) == 0 && ::poll(&pfd, 1, 0) >= 0 &&
           (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

int PosixSerialDevice::waitFor(short events, long long deadlineUs) {
    for (;;) {
        const long long remaining = deadlineUs - m_clock.now().count();
        if (remaining <= 0) {
            // Time is up by this thread's clock; but bytes that came while the thread was not
            // running (a busy machine, several radios at once) are no silence on the line.
            pollfd pfd{m_fd, events, 0};
            return ::poll(&pfd, 1, 0) == 1 && (pfd.revents & events) != 0 ? 1 : 0;
        }
        pollfd pfd{m_fd, events, 0};
        const int ready = ::poll(&pfd, 1, pollTimeoutMs(remaining));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0 || (pfd.revents & (POLLERR | POLLNVAL)) != 0) {
            return -1;
        }
        if ((pfd.revents & events) != 0) {
            return 1;
        }
        if ((pfd.revents & POLLHUP) != 0) {
            return -1;
        }
    }
}

bool PosixSerialDevice::write(std::span<const std::uint8_t> bytes, std::size_t& written) {
    written = 0;
    if (!isOpen()) {
        return false;
    }
    const long long deadline = m_clock.now().count() +
                               static_cast<long long>(m_timeouts.writeTotalMs(bytes.size())) * 1000;
    while (written < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        if (waitFor(POLLOUT, deadline) != 1) {
            return false;
        }
    }
    if (m_isTerminal) {
        ::tcdrain(m_fd);
    }
    return true;
}

bool PosixSerialDevice::read(std::span<std::uint8_t> buffer, std::size_t& received) {
    received = 0;
    if (!isOpen()) {
        return false;
    }
    const long long start = m_clock.now().count();
    const long long total =
        start + static_cast<long long>(m_timeouts.readTotalMs(buffer.size())) * 1000;
    const long long interval = static_cast<long long>(m_timeouts.ReadIntervalTimeout) * 1000;
    long long lastByte = 0;
    while (received < buffer.size()) {
        const long long deadline = received == 0 ? total : std::min(total, lastByte + interval);
        const ssize_t n = ::read(m_fd, buffer.data() + received, buffer.size() - received);
        if (n > 0) {
            received += static_cast<std::size_t>(n);
            lastByte = m_clock.now().count();
            awaitRest(buffer.size() - received, std::min(total, lastByte + interval) - lastByte);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        if (n == 0 && !m_isTerminal) {
            break; // the end of a plain file: nothing more will come
        }
        const int ready = waitFor(POLLIN, deadline);
        if (ready < 0) {
            return false;
        }
        if (ready == 0) {
            break;
        }
    }
    return true;
}

void PosixSerialDevice::awaitRest(std::size_t count, long long leftUs) {
    if (count == 0 || m_byteTimeUs <= 0 || !m_isTerminal) {
        return;
    }
    const long long halfInterval = static_cast<long long>(m_timeouts.ReadIntervalTimeout) * 500;
    const long long wait =
        std::min({static_cast<long long>(count) * m_byteTimeUs, halfInterval, leftUs});
    if (wait > 0) {
        m_clock.sleep(std::chrono::microseconds(wait));
    }
}

bool PosixSerialDevice::setModemLines(int lines, bool raised) {
    return ::ioctl(m_fd, raised ? TIOCMBIS : TIOCMBIC, &lines) == 0;
}

bool PosixSerialDevice::setDtr(bool raised) {
    return isOpen() && m_isTerminal && setModemLines(TIOCM_DTR, raised);
}

bool PosixSerialDevice::close() {
    if (!isOpen()) {
        return false;
    }
    if (m_isTerminal) {
        ::ioctl(m_fd, TIOCNXCL);
    }
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    m_kind = PORT_KIND_OTHER;
    m_isTerminal = false;
    return closed;
}

} // namespace kq70
