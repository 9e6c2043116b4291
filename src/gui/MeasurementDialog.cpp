#include "MeasurementDialog.h"

#include "platform/Clock.h"
#include "service/HSqlAlignment.h"
#include "ui/Strings.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kq70 {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* resultField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setMaximumWidth(80);
    return field;
}

} // namespace

MeasurementDialog::MeasurementDialog(std::unique_ptr<HSqlAlignment> procedure, Clock& clock,
                                     QWidget* parent)
    : ProcedureDialog(QString::fromStdString(procedure->Title()), parent),
      m_procedure(std::move(procedure)), m_clock(clock), m_generator(new QLabel),
      m_progress(new QProgressBar), m_nsq(resultField("nsqField")),
      m_rssi(resultField("rssiField")) {
    setObjectName(QStringLiteral("MeasurementDialog"));
    m_generator->setObjectName(QStringLiteral("generatorSettings"));
    m_progress->setObjectName(QStringLiteral("samples"));
    m_progress->setRange(0, HSqlAlignment::SAMPLES);
    m_progress->setFormat(qt(text::SAMPLES_TAKEN) + QStringLiteral(" %v/%m"));

    auto* generator = new QGroupBox(qt(text::GENERATOR_SETTINGS));
    auto* settings = new QFormLayout(generator);
    const auto lines = m_procedure->GeneratorLines();
    for (std::size_t i = 0; i < lines.size() && i < text::GENERATOR_CAPTIONS.size(); ++i) {
        auto* value = new QLabel(QString::fromStdString(lines[i]));
        value->setObjectName(QStringLiteral("generator%1").arg(i));
        settings->addRow(qt(text::GENERATOR_CAPTIONS[i]), value);
    }
    content().addWidget(generator);
    auto* results = new QFormLayout;
    results->addRow(m_progress);
    results->addRow(qt(text::NSQ_AD), m_nsq);
    results->addRow(qt(text::RSSI_AD), m_rssi);
    content().addLayout(results);
    refresh();
}

MeasurementDialog::~MeasurementDialog() = default;

QString MeasurementDialog::nsqText() const {
    return m_nsq->text();
}

QString MeasurementDialog::rssiText() const {
    return m_rssi->text();
}

int MeasurementDialog::samplesShown() const {
    return m_progress->value();
}

void MeasurementDialog::start() {
    runCall([this] { return m_procedure->Start(); },
            [this](bool started) {
                if (started) {
                    sampleNext();
                }
            });
}

// One sample per call, each after the sample interval on the procedure's clock, so closing
// the window stops the run at the next sample.
void MeasurementDialog::sampleNext() {
    runCall(
        [this] {
            m_clock.sleep(HSqlAlignment::SAMPLE_INTERVAL);
            return m_procedure->Sample();
        },
        [this](bool more) {
            m_progress->setValue(m_procedure->SamplesTaken());
            if (more) {
                sampleNext();
            }
        });
}

bool MeasurementDialog::okCall() {
    return m_procedure->Ok();
}

void MeasurementDialog::cancelCall() {
    m_procedure->Cancel();
}

void MeasurementDialog::refresh() {
    m_progress->setValue(m_procedure->SamplesTaken());
    const bool finished = m_procedure->Finished();
    m_nsq->setText(finished ? QString::fromStdString(m_procedure->NsqText()) : QString());
    m_rssi->setText(finished ? QString::fromStdString(m_procedure->RssiText()) : QString());
    showButtons(m_procedure->Buttons());
}

} // namespace kq70
