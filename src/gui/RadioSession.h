#pragma once

#include "QueuedCommProgress.h"
#include "RadioPort.h"
#include "WorkerUserPrompt.h"
#include "frame/RadioCommands.h"
#include "link/CancelFlag.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace kq70 {

class CommunicationWindow;
struct AppSettings;

// What the main window's radio commands run with: the port (serial or simulated), the
// prompt and progress a job may use from its worker thread, the cancel flag, and the
// executor that runs each job behind a CommunicationWindow.
//
// A radio command is built with link() and prompt() and given executor(title):
//     RadioCommands commands(doc, settings, mode, folder, session.prompt(), listener,
//                            session.link(), saveModified);
//     commands.setJobExecutor(session.executor(title));
//     commands.setCancelFlag(&session.cancelFlag());
// While a job runs the main window is disabled, every key and mouse input aimed at it is
// dropped, and busy() is true.
class RadioSession : public QObject {
public:
    RadioSession(QWidget& mainWindow, const AppSettings& settings, UserPrompt& guiPrompt);
    ~RadioSession() override;

    RadioPort& port() { return m_port; }
    // Thread-safe: questions from the worker are answered on the window thread.
    UserPrompt& prompt() { return m_prompt; }
    // The line of the next job; its progress goes to the job's window.
    RadioLink link();
    CancelFlag& cancelFlag() { return m_cancel; }
    // `stoppable`: the command's jobs watch cancelFlag(); without it the window offers no
    // Cancel, rather than one that would do nothing.
    RadioCommands::JobExecutor executor(const QString& title, bool stoppable = true);

    bool busy() const { return m_busy; }
    // The window of the running job, or nothing.
    CommunicationWindow* currentWindow() const { return m_window; }
    // Called with each job's window just before its job starts (for tests and service
    // windows that follow the jobs).
    void setJobStartedHandler(std::function<void(CommunicationWindow&)> handler) {
        m_jobStarted = std::move(handler);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int runJob(const QString& title, bool stoppable, const std::function<int()>& job);
    QList<QPointer<QWidget>> disableMainWindow();

    QWidget& m_mainWindow;
    RadioPort m_port;
    WorkerUserPrompt m_prompt;
    QueuedCommProgress m_progress;
    CancelFlag m_cancel;
    CommunicationWindow* m_window = nullptr;
    bool m_busy = false;
    std::function<void(CommunicationWindow&)> m_jobStarted;
};

} // namespace kq70
