#pragma once

#include "AlignmentTask.h"
#include "link/CancelFlag.h"
#include "service/ProcedureButtons.h"
#include "service/Sampling.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QVBoxLayout;

namespace kq70 {

// What every alignment procedure window shares: its content above Start, OK and Cancel as
// the procedure leaves them, the procedure's radio calls run off the window thread (every
// button disabled meanwhile), and closing by any means (Cancel, Escape, the window's close
// button) running the procedure's own closing step once a running call has returned.
class ProcedureDialog : public QDialog {
public:
    ProcedureDialog(const QString& title, QWidget* parent);

    bool busy() const { return m_task.busy(); }
    // The help section the window's Help button opens.
    void setHelpTopic(const QString& topic) { m_helpTopic = topic; }
    QPushButton& startButton() { return *m_start; }
    QPushButton& okButton() { return *m_ok; }
    QPushButton& cancelButton() { return *m_cancel; }

    // OK: the procedure stores its result; the window closes when there was one.
    void accept() override;
    // Cancel, Escape and the close button.
    void reject() override;

protected:
    QVBoxLayout& content() { return *m_content; }
    // Runs a procedure call; afterwards `done` (unless the window is closing) and refresh().
    void runCall(std::function<bool()> work, std::function<void(bool)> done = {});
    bool closing() const { return m_closing != Closing::None; }
    void showButtons(const ProcedureButtons& buttons);
    // Start, then the procedure's sampling run off the window thread: `progress` follows each
    // sample, and closing the window ends the run at its next sample.
    template <class Procedure> void startSampling(Procedure& procedure, QProgressBar& progress) {
        runCall([&procedure] { return procedure.Start(); },
                [this, &procedure, &progress](bool started) {
                    if (started) {
                        runSampling(
                            [&procedure](const SamplingWatch& watch) {
                                return procedure.RunSampling(watch);
                            },
                            progress);
                    }
                });
    }
    void runSampling(std::function<bool(const SamplingWatch&)> run, QProgressBar& progress);
    // A slider over the D/A range the procedures send.
    static QSlider* makeDaSlider();
    // A bar for the samples of a sampling run, at 0 of them until the run starts.
    static QProgressBar* makeSamplesBar();
    // What to set on the signal generator, each line under its caption; `values` receives
    // the line's label, to show later lines in.
    static QGroupBox* makeGeneratorBox(const std::vector<std::string>& lines,
                                       std::vector<QLabel*>& values);
    static void showGeneratorLines(const std::vector<std::string>& lines,
                                   const std::vector<QLabel*>& values);

    virtual void start() = 0;
    // On the worker: the procedure's OK; true when it stored something.
    virtual bool okCall() = 0;
    // On the worker: the procedure's Cancel (a transmitting radio goes back to receive).
    virtual void cancelCall() = 0;
    // Shows the procedure's state; called on the window thread while no call runs.
    virtual void refresh() = 0;

private:
    void closeNow();

    enum class Closing { None, Requested, Running };

    AlignmentTask m_task{*this};
    QVBoxLayout* m_content;
    QPushButton* m_start;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QString m_helpTopic;
    CancelFlag m_closeRequest;
    Closing m_closing = Closing::None;
};

} // namespace kq70
