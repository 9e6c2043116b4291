#pragma once

#include "link/CommProgress.h"

#include <iosfwd>
#include <string>

namespace kq70 {

// A running job's status line and progress bar on the error stream. On a terminal the line
// is redrawn in place; otherwise a line is written when the status changes and at every
// quarter of the bar, so a log stays short.
class TerminalProgress : public CommProgress {
public:
    static constexpr int BAR_WIDTH = 30;

    TerminalProgress(std::ostream& err, bool redraw);

    void setStatus(std::string_view text) override;
    void setRange(int high) override;
    void setPosition(int position) override;

    // Ends a line being redrawn, so whatever is written next starts on a line of its own.
    void endLine();

    // The line as drawn: status, bar and percentage.
    static std::string line(std::string_view status, int position, int high);

private:
    void show();

    std::ostream& m_err;
    bool m_redraw;
    std::string m_status;
    int m_high = 0;
    int m_position = 0;
    std::string m_shown;
    int m_shownQuarter = -1;
    bool m_lineOpen = false;
};

} // namespace kq70
