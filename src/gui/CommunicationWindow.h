#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kq70 {

class CancelFlag;
class UserPrompt;

// The window a radio job runs behind: its title ("Upload", "Download", ...), the job's status
// line and progress bar, and a Cancel button. run() starts the job on a worker thread and
// keeps the program's windows alive until it returns. Only a click on Cancel, Escape and
// closing the window ask the job to stop at its next safe point (once the radio is being
// written, after the user confirmed); other keys are dropped. The window goes when the job
// has ended.
class CommunicationWindow : public QDialog {
public:
    CommunicationWindow(const QString& title, CancelFlag& cancel, UserPrompt& prompt,
                        QWidget* parent = nullptr);
    ~CommunicationWindow() override;

    // A job that cannot be stopped: no Cancel, and Escape or closing the window do nothing.
    void setStoppable(bool stoppable);
    // Runs `job` on a worker thread behind this modal window and returns its result. The
    // cancel flag is cleared first.
    int run(const std::function<int()>& job);

    // The job's reports, on the window thread.
    void showStatus(const QString& text);
    void setRange(int high);
    void setPosition(int position);

    QString statusText() const;
    int progressValue() const;
    int progressMaximum() const;
    // How many times the job started a new phase of the bar (reading, writing, checking).
    int phaseCount() const { return m_phases; }
    bool cancelRequested() const;

protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The user asked to stop.
    void askToStop();
    void stopping();

    CancelFlag& m_cancel;
    UserPrompt& m_prompt;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancelButton = nullptr;
    bool m_finished = false;
    bool m_stoppable = true;
    int m_phases = 0;
};

} // namespace kq70
