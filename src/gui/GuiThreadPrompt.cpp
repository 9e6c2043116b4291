#include "GuiThreadPrompt.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace kq70 {

template <typename Ask> auto GuiThreadPrompt::onGuiThread(Ask ask) -> decltype(ask()) {
    if (QThread::currentThread() == m_gui.thread()) {
        return ask();
    }
    decltype(ask()) answer{};
    QMetaObject::invokeMethod(
        &m_gui, [&answer, &ask] { answer = ask(); }, Qt::BlockingQueuedConnection);
    return answer;
}

MessageAnswer GuiThreadPrompt::messageBox(std::string_view text, std::string_view caption,
                                          MessageButtons buttons, MessageIcon icon) {
    return onGuiThread([&] { return m_target.messageBox(text, caption, buttons, icon); });
}

std::optional<std::string> GuiThreadPrompt::openFileDialog(const FileDialogRequest& request) {
    return onGuiThread([&] { return m_target.openFileDialog(request); });
}

std::optional<std::string> GuiThreadPrompt::saveFileDialog(const FileDialogRequest& request) {
    return onGuiThread([&] { return m_target.saveFileDialog(request); });
}

std::optional<std::string> GuiThreadPrompt::passwordEntry() {
    return onGuiThread([&] { return m_target.passwordEntry(); });
}

} // namespace kq70
