#include "ProcedureDialog.h"

#include "HelpWindow.h"
#include "QtText.h"
#include "service/DaSlider.h"
#include "ui/Strings.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace kq70 {

namespace {

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
        window->showTopic(m_helpTopic);
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

QSlider* ProcedureDialog::makeDaSlider() {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QStringLiteral("slider"));
    slider->setRange(DaSlider::MIN, DaSlider::MAX);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(DaSlider::TICK);
    slider->setPageStep(DaSlider::PAGE_STEP);
    slider->setSingleStep(DaSlider::LINE_STEP);
    slider->setMinimumWidth(320);
    return slider;
}

QProgressBar* ProcedureDialog::makeSamplesBar() {
    auto* bar = new QProgressBar;
    bar->setObjectName(QStringLiteral("samples"));
    bar->setRange(0, SAMPLE_COUNT);
    bar->setFormat(qt(text::SAMPLES_TAKEN) + QStringLiteral(" %v/%m"));
    bar->setValue(0);
    return bar;
}

QGroupBox* ProcedureDialog::makeGeneratorBox(const std::vector<std::string>& lines,
                                             std::vector<QLabel*>& values) {
    auto* generator = new QGroupBox(qt(text::GENERATOR_SETTINGS));
    auto* settings = new QFormLayout(generator);
    for (std::size_t i = 0; i < lines.size() && i < text::GENERATOR_CAPTIONS.size(); ++i) {
        auto* value = new QLabel(QString::fromStdString(lines[i]));
        value->setObjectName(QStringLiteral("generator%1").arg(i));
        settings->addRow(qt(text::GENERATOR_CAPTIONS[i]), value);
        values.push_back(value);
    }
    return generator;
}

void ProcedureDialog::showGeneratorLines(const std::vector<std::string>& lines,
                                         const std::vector<QLabel*>& values) {
    for (std::size_t i = 0; i < lines.size() && i < values.size(); ++i) {
        values[i]->setText(QString::fromStdString(lines[i]));
    }
}

void ProcedureDialog::runSampling(std::function<bool(const SamplingWatch&)> run,
                                  QProgressBar& progress) {
    progress.setValue(0);
    QProgressBar* bar = &progress; // a child: it lives as long as the window the counts go to
    runCall([this, run = std::move(run), bar] {
        SamplingWatch watch;
        watch.stop = &m_closeRequest;
        watch.sampled = [this, bar](int taken) {
            QMetaObject::invokeMethod(
                this, [bar, taken] { bar->setValue(taken); }, Qt::QueuedConnection);
        };
        return run(watch);
    });
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
    m_closeRequest.request();
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
