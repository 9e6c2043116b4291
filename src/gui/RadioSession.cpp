#include "RadioSession.h"

#include "CommunicationWindow.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace kq70 {

namespace {

// After a job the window lingers this long with input still dropped, so keys pressed at the
// very end reach nothing.
constexpr int AFTER_JOB_PAUSE_MS = 100;

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

RadioSession::RadioSession(QWidget& mainWindow, const AppSettings& settings, UserPrompt& guiPrompt)
    : QObject(&mainWindow), m_mainWindow(mainWindow), m_port(settings), m_prompt(guiPrompt) {}

RadioSession::~RadioSession() = default;

RadioLink RadioSession::link() {
    return RadioLink{m_port.deviceForJob(), m_port.clock(), m_port.lastPortKind(), m_progress};
}

RadioCommands::JobExecutor RadioSession::executor(const QString& title, bool stoppable) {
    return [this, title, stoppable](const std::function<int()>& job) {
        return runJob(title, stoppable, job);
    };
}

int RadioSession::runJob(const QString& title, bool stoppable, const std::function<int()>& job) {
    if (m_busy) {
        return 1; // one radio, one job
    }
    m_busy = true;
    const QList<QPointer<QWidget>> disabled = disableMainWindow();
    qApp->installEventFilter(this);
    m_port.startJob();
    int result = 1;
    {
        CommunicationWindow window(title, m_cancel, m_prompt, &m_mainWindow);
        window.setStoppable(stoppable);
        m_window = &window;
        m_progress.attach(&window);
        if (m_jobStarted) {
            m_jobStarted(window);
        }
        result = window.run(job);
        m_progress.attach(nullptr);
        m_window = nullptr;
    }
    QEventLoop pause;
    QTimer::singleShot(AFTER_JOB_PAUSE_MS, &pause, &QEventLoop::quit);
    pause.exec();
    qApp->removeEventFilter(this);
    for (const QPointer<QWidget>& widget : disabled) {
        if (widget) {
            widget->setEnabled(true);
        }
    }
    m_busy = false;
    return result;
}

// The window's own parts, not the dialogs it owns: those must still take the job's
// questions.
QList<QPointer<QWidget>> RadioSession::disableMainWindow() {
    QList<QPointer<QWidget>> disabled;
    for (QWidget* child : m_mainWindow.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && child->isEnabled()) {
            child->setEnabled(false);
            disabled.append(child);
        }
    }
    return disabled;
}

bool RadioSession::eventFilter(QObject* watched, QEvent* event) {
    if (m_busy && isUserInput(event->type()) && watched->isWidgetType()) {
        const auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() == &m_mainWindow) {
            return true; // typed or clicked at the main window during a job: dropped
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kq70
