#include "ProcedureDialog.h"

#include "HelpWindow.h"
#include "ui/Strings.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kq70 {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int MINIMUM_WIDTH = 460;

} // namespace

ProcedureDialog::ProcedureDialog(const QString& title, QWidget* parent)
    : QDialog(parent), m_content(new QVBoxLayout),
      m_start(new QPushButton(qt(text::PROCEDURE_START))),
      m_ok(new QPushButton(qt(text::ALIGNMENT_OK))),
      m_cancel(new QPushButton(qt(text::ALIGNMENT_CANCEL))) {
    setWindowTitle(title);
    m_start->setObjectName(QStringLiteral("startButton"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    // Enter belongs to the value boxes; a button is pressed on purpose only.
    for (QPushButton* button : {m_start, m_ok, m_cancel}) {
        button->setAutoDefault(false);
    }
    connect(m_start, &QPushButton::clicked, this, [this] { start(); });
    connect(m_ok, &QPushButton::clicked, this, &ProcedureDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &ProcedureDialog::reject);
    auto* help = new QPushButton(qt(text::ALIGNMENT_HELP));
    help->setAutoDefault(false);
    help->setFocusPolicy(Qt::NoFocus);
    connect(help, &QPushButton::clicked, this, [this] {
        auto* window = new HelpWindow(this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->showTopic(objectName());
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    // Room for every button: OK appears only when a procedure has its result.
    setMinimumWidth(MINIMUM_WIDTH);
    layout->addLayout(m_content);
    layout->addStretch();
    layout->addLayout(buttons);
}

void ProcedureDialog::showButtons(const ProcedureButtons& buttons) {
    const bool idle = !busy() && !closing();
    m_start->setVisible(buttons.startVisible);
    m_start->setEnabled(idle && buttons.startEnabled);
    m_ok->setVisible(buttons.okVisible);
    m_ok->setEnabled(idle && buttons.okEnabled);
    m_cancel->setEnabled(idle && buttons.cancelEnabled);
    if (!idle) {
        return;
    }
    switch (buttons.focus) {
    case ProcedureFocus::Start:
        m_start->setFocus();
        break;
    case ProcedureFocus::Ok:
        m_ok->setFocus();
        break;
    case ProcedureFocus::Cancel:
        m_cancel->setFocus();
        break;
    case ProcedureFocus::None:
        break;
    }
}

void ProcedureDialog::runCall(std::function<bool()> work, std::function<void(bool)> done) {
    const bool started = m_task.run(std::move(work), [this, done = std::move(done)](bool result) {
        if (done && !closing()) {
            done(result);
        }
        if (m_closing == Closing::Requested && !busy()) {
            closeNow();
            return;
        }
        if (!busy()) {
            refresh();
        }
    });
    if (started) {
        // The procedure is the worker's now: only the buttons change until it returns.
        for (QPushButton* button : {m_start, m_ok, m_cancel}) {
            button->setEnabled(false);
        }
    }
}

void ProcedureDialog::accept() {
    if (busy() || closing()) {
        return;
    }
    runCall([this] { return okCall(); },
            [this](bool stored) {
                if (stored) {
                    m_closing = Closing::Running;
                    QDialog::accept();
                }
            });
}

void ProcedureDialog::reject() {
    if (closing()) {
        return;
    }
    m_closing = Closing::Requested;
    if (!busy()) {
        closeNow();
    }
    // Otherwise the running call ends first (a sampling run stops at its next sample).
}

void ProcedureDialog::closeNow() {
    m_closing = Closing::Running;
    for (QPushButton* button : {m_start, m_ok, m_cancel}) {
        button->setEnabled(false);
    }
    m_task.run(
        [this] {
            cancelCall();
            return true;
        },
        [this](bool) { QDialog::reject(); });
}

} // namespace kq70
