#pragma once

#include "log/HLogPrint.h"

namespace kq70 {

// The document's view as the commands see it: the channel view keeps its own copy of the
// channel data and may still have a cell open, so a command that reads or replaces the image
// has the view commit first. (What the commands change reaches the view, the menus and the
// title through the document's own announcements.)
class DocumentListener {
public:
    static constexpr int WM_VIEW_UPDATEDATA = 2024;
    static constexpr int WM_VIEW_SAVEDATA = 2025;
    // The message a radio job sends the window when it ends.
    static constexpr int WM_JOB_MESSAGE = 0x401;

    virtual ~DocumentListener() = default;
    // Writes the view's channel data into the image.
    virtual void viewSaveData() {}
    // Commits an edit still open in a cell, as Enter would. False when its text is no value:
    // the view has said why, the cell stays open, and the command must not run.
    virtual bool commitPendingEdit() { return true; }
    // The same, asking nothing, when the program must end: text that is no value is left out.
    virtual void commitValidPendingEdit() {}
};

// Logs a message the radio commands send the view, as they always have.
inline void logViewMessage(int message) {
    KQ70_LOG(LOG_D2, LOG_CHANNEL, "[%s]%03d", "SendMessage", message);
}

} // namespace kq70
