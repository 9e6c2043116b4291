#include "CommunicationWindow.h"

#include "link/CancelFlag.h"
#include "ui/Strings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <thread>

namespace kq70 {

namespace {

constexpr int STATUS_MIN_WIDTH = 380;

} // namespace

CommunicationWindow::CommunicationWindow(const QString& title, CancelFlag& cancel,
                                         UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_cancel(cancel), m_prompt(prompt) {
    setObjectName(QStringLiteral("CommunicationWindow"));
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowCloseButtonHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setMinimumWidth(STATUS_MIN_WIDTH);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_cancelButton = buttons->button(QDialogButtonBox::Cancel);
    m_cancelButton->setObjectName(QStringLiteral("cancel"));
    m_cancelButton->setAutoDefault(false);
    // Without the keyboard focus a stray Space or Enter cannot press it.
    m_cancelButton->setFocusPolicy(Qt::NoFocus);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { askToStop(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CommunicationWindow::~CommunicationWindow() = default;

int CommunicationWindow::run(const std::function<int()>& job) {
    m_cancel.clear();
    m_finished = false;
    if (m_stopNow) {
        stopNow();
    }
    int result = 1;
    std::thread worker([this, &job, &result] {
        result = job();
        // Ends the window's loop on the window thread once everything the job reported has
        // been shown.
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_finished = true;
                QDialog::done(QDialog::Accepted);
            },
            Qt::QueuedConnection);
    });
    exec();
    // The loop also ends when the program quits: the job is then stopped and awaited, with
    // its questions still answered, so the worker is never left waiting on this thread.
    while (!m_finished) {
        m_cancel.request();
        stopping();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    worker.join();
    return result;
}

void CommunicationWindow::showStatus(const QString& text) {
    m_status->setText(text);
}

void CommunicationWindow::setRange(int high) {
    ++m_phases;
    m_progress->setRange(0, std::max(high, 1));
}

void CommunicationWindow::setPosition(int position) {
    m_progress->setValue(std::min(position, m_progress->maximum()));
}

QString CommunicationWindow::statusText() const {
    return m_status->text();
}

int CommunicationWindow::progressValue() const {
    return m_progress->value();
}

bool CommunicationWindow::cancelRequested() const {
    return m_cancel.requested();
}

// Escape and every other way of ending the dialog only ask the job to stop; the job ends
// the window itself.
void CommunicationWindow::done(int result) {
    if (m_finished) {
        QDialog::done(result);
        return;
    }
    askToStop();
}

void CommunicationWindow::closeEvent(QCloseEvent* event) {
    if (m_finished) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    askToStop();
}

// Keys typed during a transfer are dropped; Escape is the one that asks to stop.
void CommunicationWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        askToStop();
    }
    event->accept();
}

void CommunicationWindow::setStoppable(bool stoppable) {
    m_stoppable = stoppable;
    m_cancelButton->setVisible(stoppable);
}

void CommunicationWindow::stopNow() {
    m_stopNow = true;
    if (m_stoppable && !m_finished) {
        m_cancel.request();
        stopping();
    }
}

void CommunicationWindow::askToStop() {
    if (m_finished || !m_stoppable || m_cancel.requested()) {
        return;
    }
    if (m_cancel.requestStop(m_prompt)) {
        stopping();
    }
}

void CommunicationWindow::stopping() {
    m_cancelButton->setEnabled(false);
    m_status->setText(QString::fromUtf8(text::CANCELLING.data(),
                                        static_cast<qsizetype>(text::CANCELLING.size())));
}

} // namespace kq70
