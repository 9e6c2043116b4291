#include "PtyRadioRunner.h"

#include "platform/Clock.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace kq70 {

namespace {

constexpr std::size_t READ_CHUNK = 512;

int pollTimeoutMs(std::optional<Clock::Duration> until, Clock::Duration now) {
    if (!until) {
        return -1;
    }
    const long long us = (*until - now).count();
    return us <= 0 ? 0 : static_cast<int>(std::min<long long>((us + 999) / 1000, INT_MAX));
}

} // namespace

PtyRadioRunner::PtyRadioRunner(RadioSimulator& radio, Clock& clock)
    : m_radio(radio), m_clock(clock) {}

PtyRadioRunner::~PtyRadioRunner() {
    stop();
    closeAll();
}

bool PtyRadioRunner::open() {
    if (m_master >= 0) {
        return true;
    }
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    const char* name = nullptr;
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        (name = ::ptsname(m_master)) == nullptr) {
        m_errorText = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        closeAll();
        return false;
    }
    m_devicePath = name;
    // Holding the terminal side open keeps the pair alive between programs, and a raw line
    // from the start keeps the terminal from echoing or editing the radio's bytes.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    int wake[2] = {-1, -1};
    if (m_slave < 0 || ::tcgetattr(m_slave, &tio) != 0) {
        m_errorText = std::string("cannot open ") + name + ": " + std::strerror(errno);
        closeAll();
        return false;
    }
    ::cfmakeraw(&tio);
    if (::tcsetattr(m_slave, TCSANOW, &tio) != 0 || ::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0 ||
        ::fcntl(m_master, F_SETFL, O_NONBLOCK) != 0) {
        m_errorText = std::string("cannot set up ") + name + ": " + std::strerror(errno);
        closeAll();
        return false;
    }
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    return true;
}

bool PtyRadioRunner::start() {
    if (m_thread.joinable()) {
        return true;
    }
    if (m_master < 0) {
        return false;
    }
    m_thread = std::thread([this] { serve(); });
    return true;
}

void PtyRadioRunner::stop() {
    if (!m_thread.joinable()) {
        return;
    }
    const char byte = 0;
    while (::write(m_wakeWrite, &byte, 1) < 0 && errno == EINTR) {
    }
    m_thread.join();
}

void PtyRadioRunner::serve() {
    std::array<std::uint8_t, READ_CHUNK> chunk{};
    for (;;) {
        std::vector<TimedByte> due;
        std::optional<Clock::Duration> next;
        {
            std::lock_guard lock(m_mutex);
            due = m_radio.takeOutput(m_clock.now());
            next = m_radio.nextEventTime();
        }
        writeToProgram(due);
        std::array<pollfd, 2> fds{{{m_master, POLLIN, 0}, {m_wakeRead, POLLIN, 0}}};
        const int ready = ::poll(fds.data(), fds.size(), pollTimeoutMs(next, m_clock.now()));
        if (ready < 0 && errno != EINTR) {
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            if ((fds[0].revents & (POLLHUP | POLLERR)) != 0) {
                m_clock.sleep(std::chrono::milliseconds(10)); // no reader: do not spin
            }
            continue;
        }
        const ssize_t n = ::read(m_master, chunk.data(), chunk.size());
        if (n > 0) {
            std::lock_guard lock(m_mutex);
            m_radio.receive(std::span(chunk.data(), static_cast<std::size_t>(n)), m_clock.now());
        }
    }
}

void PtyRadioRunner::writeToProgram(const std::vector<TimedByte>& bytes) {
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size());
    for (const TimedByte& byte : bytes) {
        out.push_back(byte.value);
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::write(m_master, out.data() + done, out.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return; // nobody reads and the terminal is full: the bytes are lost, as on a line
        }
    }
}

void PtyRadioRunner::closeAll() {
    for (int* fd : {&m_master, &m_slave, &m_wakeRead, &m_wakeWrite}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

} // namespace kq70
