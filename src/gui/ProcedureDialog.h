#pragma once

#include "AlignmentTask.h"
#include "service/ProcedureButtons.h"

#include <QDialog>

#include <functional>

class QPushButton;
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
    Closing m_closing = Closing::None;
};

} // namespace kq70
