#pragma once

#include "link/CommProgress.h"

#include <string>
#include <vector>

namespace kq70::test {

// Keeps everything a job shows of its progress, in order.
class RecordingProgress : public CommProgress {
public:
    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    void setRange(int high) override { ranges.push_back(high); }
    void setPosition(int position) override { positions.push_back(position); }

    std::vector<std::string> statuses;
    std::vector<int> ranges;
    std::vector<int> positions;
};

} // namespace kq70::test
