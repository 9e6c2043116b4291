#pragma once

#include "link/CommProgress.h"

#include <atomic>

namespace kq70 {

class CommunicationWindow;

// Where a job on a worker thread reports its progress: each report is queued to the
// communication window shown for the job, which shows it on the window thread. Reports made
// while no window is attached go nowhere.
class QueuedCommProgress : public CommProgress {
public:
    // On the window thread, before the job starts and (with nullptr) after it has ended.
    void attach(CommunicationWindow* window) { m_window.store(window); }

    void setStatus(std::string_view text) override;
    void setRange(int high) override;
    void setPosition(int position) override;

private:
    std::atomic<CommunicationWindow*> m_window{nullptr};
};

} // namespace kq70
