#pragma once

#include <functional>

class QObject;
class QThread;

namespace kq70 {

// Runs calls into the alignment procedures off the window thread, one at a time, and hands
// each result back on the window thread, so a search or a sampling run never freezes the
// window. The procedures' questions reach the window through a WorkerUserPrompt.
class AlignmentTask {
public:
    explicit AlignmentTask(QObject& owner) : m_owner(owner) {}
    // Waits for a running call; the window thread keeps answering its questions meanwhile.
    ~AlignmentTask();
    AlignmentTask(const AlignmentTask&) = delete;
    AlignmentTask& operator=(const AlignmentTask&) = delete;

    bool busy() const { return m_thread != nullptr; }
    // Runs `work` on a worker thread, then `done` with its result on the owner's thread.
    // Nothing runs (false) while another call is busy.
    bool run(std::function<bool()> work, std::function<void(bool)> done = {});

private:
    QObject& m_owner;
    QThread* m_thread = nullptr;
};

} // namespace kq70
