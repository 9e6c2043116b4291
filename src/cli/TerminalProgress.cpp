#include "TerminalProgress.h"

#include "ui/StrPrintf.h"

#include <algorithm>
#include <ostream>

namespace kq70 {

namespace {

// Wide enough for the longest status line, "Switch radio ON, then start uploading".
constexpr int STATUS_WIDTH = 38;

int percentOf(int position, int high) {
    if (high <= 0) {
        return 0;
    }
    return std::clamp(position * 100 / high, 0, 100);
}

} // namespace

TerminalProgress::TerminalProgress(std::ostream& err, bool redraw) : m_err(err), m_redraw(redraw) {}

std::string TerminalProgress::line(std::string_view status, int position, int high) {
    const int percent = percentOf(position, high);
    const int filled = high > 0 ? std::clamp(position * BAR_WIDTH / high, 0, BAR_WIDTH) : 0;
    const std::string bar(static_cast<std::size_t>(filled), '#');
    const std::string statusText(status);
    return strprintf("%-*s [%-*s] %3d%%", STATUS_WIDTH, statusText.c_str(), BAR_WIDTH, bar.c_str(),
                     percent);
}

void TerminalProgress::setStatus(std::string_view text) {
    m_status = text;
    m_shownQuarter = -1; // a new status is always shown
    show();
}

void TerminalProgress::setRange(int high) {
    m_high = high;
    m_position = 0;
    show();
}

void TerminalProgress::setPosition(int position) {
    m_position = position;
    show();
}

void TerminalProgress::show() {
    const std::string text = line(m_status, m_position, m_high);
    if (text == m_shown) {
        return;
    }
    if (m_redraw) {
        m_err << '\r' << text << std::flush;
        m_lineOpen = true;
    } else {
        const int quarter = percentOf(m_position, m_high) / 25;
        if (quarter == m_shownQuarter) {
            return;
        }
        m_shownQuarter = quarter;
        m_err << text << '\n';
    }
    m_shown = text;
}

void TerminalProgress::endLine() {
    if (m_lineOpen) {
        m_err << '\n';
        m_lineOpen = false;
    }
}

} // namespace kq70
