#pragma once

#include "platform/Clock.h"

namespace kq70 {

// The real, monotonic clock; sleeping blocks the calling thread.
class SystemClock : public Clock {
public:
    Duration now() override;
    void sleep(Duration duration) override;
};

} // namespace kq70
