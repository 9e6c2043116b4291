#pragma once

#include <string_view>

namespace kq70 {

// Where a running job shows how it is doing: the communication window's status line and
// progress bar, the command line's progress on stderr, a recorder in the tests. Called on
// the thread that runs the job; implementations must not throw.
class CommProgress {
public:
    virtual ~CommProgress() = default;

    virtual void setStatus(std::string_view text) = 0;
    // The bar runs from 0 to `high`.
    virtual void setRange(int high) = 0;
    virtual void setPosition(int position) = 0;
};

} // namespace kq70
