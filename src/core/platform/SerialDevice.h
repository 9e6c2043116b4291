#pragma once

#include "platform/SerialLineSettings.h"
#include "platform/SerialTimeouts.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kq70 {

// Port kinds as the rest of the program labels them.
constexpr int PORT_KIND_OTHER = -1; // opens, but is no serial line we can drive
constexpr int PORT_KIND_RS232 = 0;
constexpr int PORT_KIND_USB_CABLE = 1;

// One serial line the radio lead hangs on. The real one is a POSIX terminal device; the tests
// use an in-process link to the simulated radio. Every call is blocking, and failures are
// reported by result only.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the named device for exclusive use; false when it cannot be opened.
    virtual bool open(const std::string& name) = 0;
    virtual bool isOpen() const = 0;
    // PORT_KIND_RS232, PORT_KIND_USB_CABLE or PORT_KIND_OTHER; PORT_KIND_OTHER while closed.
    virtual int portKind() const = 0;

    virtual bool setTimeouts(const SerialTimeouts& timeouts) = 0;
    virtual bool configure(const SerialLineSettings& settings) = 0;

    // Drop whatever waits in the input or the output queue.
    virtual bool purgeReceive() = 0;
    virtual bool purgeSend() = 0;
    // Clears the line's error state; false when the line can no longer be used.
    virtual bool clearErrors() = 0;

    // Writes every byte and waits until it has left; `written` counts what went out.
    virtual bool write(std::span<const std::uint8_t> bytes, std::size_t& written) = 0;
    // Reads up to buffer.size() bytes within the time-outs; a short count means time-out.
    // False only for a failure of the device itself.
    virtual bool read(std::span<std::uint8_t> buffer, std::size_t& received) = 0;

    virtual bool setDtr(bool raised) = 0;
    // False when nothing was open.
    virtual bool close() = 0;
};

} // namespace kq70
