#include "QueuedCommProgress.h"

#include "CommunicationWindow.h"

#include <QMetaObject>

namespace kq70 {

// A queued call to a window that is gone is dropped with it.
void QueuedCommProgress::setStatus(std::string_view text) {
    if (CommunicationWindow* window = m_window.load()) {
        const QString status =
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
        QMetaObject::invokeMethod(
            window, [window, status] { window->showStatus(status); }, Qt::QueuedConnection);
    }
}

void QueuedCommProgress::setRange(int high) {
    if (CommunicationWindow* window = m_window.load()) {
        QMetaObject::invokeMethod(
            window, [window, high] { window->setRange(high); }, Qt::QueuedConnection);
    }
}

void QueuedCommProgress::setPosition(int position) {
    if (CommunicationWindow* window = m_window.load()) {
        QMetaObject::invokeMethod(
            window, [window, position] { window->setPosition(position); }, Qt::QueuedConnection);
    }
}

} // namespace kq70
