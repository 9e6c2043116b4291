#pragma once

#include "link/CancelFlag.h"
#include "link/CommProgress.h"

namespace kq70::test {

// Asks the job to stop when it reaches a given position of a given phase of its progress bar
// (phase 0 is the first range it sets), or at once when `phase` is negative.
class CancellingProgress : public CommProgress {
public:
    CancellingProgress(CancelFlag& flag, int phase, int position)
        : m_flag(flag), m_phase(phase), m_position(position) {
        if (phase < 0) {
            m_flag.request();
        }
    }
    void setStatus(std::string_view /*text*/) override {}
    void setRange(int /*high*/) override { ++m_rangesSeen; }
    void setPosition(int position) override {
        if (m_rangesSeen - 1 == m_phase && position == m_position) {
            m_flag.request();
        }
    }

private:
    CancelFlag& m_flag;
    int m_phase;
    int m_position;
    int m_rangesSeen = 0;
};

} // namespace kq70::test
