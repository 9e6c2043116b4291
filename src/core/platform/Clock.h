#pragma once

#include <chrono>

namespace kq70 {

// Time as the radio link sees it. Every sleep and every time-out of the link asks a Clock, so
// the tests can run a whole transfer on virtual time without waiting.
class Clock {
public:
    using Duration = std::chrono::microseconds;

    virtual ~Clock() = default;

    // Time since an arbitrary start; only differences mean anything.
    virtual Duration now() = 0;
    virtual void sleep(Duration duration) = 0;
};

} // namespace kq70
