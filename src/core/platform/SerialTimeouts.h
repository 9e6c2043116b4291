#pragma once

#include <cstddef>
#include <cstdint>

namespace kq70 {

// Read and write time-outs of a serial port, in milliseconds. A read of n bytes gives up
// after ReadTotalTimeoutConstant + n · ReadTotalTimeoutMultiplier in all, or once more than
// ReadIntervalTimeout passes between two bytes after the first has come; a write likewise.
// The defaults are the programming port's fixed values.
struct SerialTimeouts {
    std::uint32_t ReadIntervalTimeout = 100;
    std::uint32_t ReadTotalTimeoutMultiplier = 5;
    std::uint32_t ReadTotalTimeoutConstant = 1000;
    std::uint32_t WriteTotalTimeoutMultiplier = 100;
    std::uint32_t WriteTotalTimeoutConstant = 5000;

    std::uint64_t readTotalMs(std::size_t count) const {
        return ReadTotalTimeoutConstant + std::uint64_t{ReadTotalTimeoutMultiplier} * count;
    }
    std::uint64_t writeTotalMs(std::size_t count) const {
        return WriteTotalTimeoutConstant + std::uint64_t{WriteTotalTimeoutMultiplier} * count;
    }

    bool operator==(const SerialTimeouts&) const = default;
};

} // namespace kq70
