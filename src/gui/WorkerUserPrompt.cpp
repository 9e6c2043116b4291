#include "WorkerUserPrompt.h"

#include <QMetaObject>
#include <QThread>

namespace kq70 {

template <typename Ask> auto WorkerUserPrompt::onWindowThread(Ask ask) -> decltype(ask()) {
    if (QThread::currentThread() == m_windowThread.thread()) {
        return ask();
    }
    decltype(ask()) answer{};
    QMetaObject::invokeMethod(
        &m_windowThread, [&answer, &ask] { answer = ask(); }, Qt::BlockingQueuedConnection);
    return answer;
}

MessageAnswer WorkerUserPrompt::messageBox(std::string_view text, std::string_view caption,
                                           MessageButtons buttons, MessageIcon icon) {
    // The worker waits for the answer, so its texts stay valid meanwhile.
    return onWindowThread([&] { return m_guiPrompt.messageBox(text, caption, buttons, icon); });
}

std::optional<std::string> WorkerUserPrompt::openFileDialog(const FileDialogRequest& request) {
    return onWindowThread([&] { return m_guiPrompt.openFileDialog(request); });
}

std::optional<std::string> WorkerUserPrompt::saveFileDialog(const FileDialogRequest& request) {
    return onWindowThread([&] { return m_guiPrompt.saveFileDialog(request); });
}

std::optional<std::string> WorkerUserPrompt::passwordEntry() {
    return onWindowThread([&] { return m_guiPrompt.passwordEntry(); });
}

} // namespace kq70
