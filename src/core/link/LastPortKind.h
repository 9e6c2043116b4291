#pragma once

#include <atomic>

namespace kq70 {

// The kind of the port opened last (0 serial port, 1 USB interface cable, -1 other). Every
// port copies it when it is made and updates it when it opens; the port settings label the
// port with it and new job requests start from it. The application owns one and hands it to
// whoever makes ports; a job may open a port on another thread, hence the atomic.
class LastPortKind {
public:
    int get() const { return m_kind.load(); }
    void set(int kind) { m_kind.store(kind); }

private:
    std::atomic<int> m_kind{0};
};

} // namespace kq70
