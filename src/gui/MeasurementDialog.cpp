#include "MeasurementDialog.h"

#include "QtText.h"
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

QLineEdit* resultField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setMaximumWidth(80);
    return field;
}

} // namespace

MeasurementDialog::MeasurementDialog(std::unique_ptr<HSqlAlignment> procedure, QWidget* parent)
    : ProcedureDialog(QString::fromStdString(procedure->Title()), parent),
      m_procedure(std::move(procedure)), m_generator(new QLabel), m_progress(makeSamplesBar()),
      m_nsq(resultField("nsqField")), m_rssi(resultField("rssiField")) {
    setObjectName(QStringLiteral("MeasurementDialog"));
    m_generator->setObjectName(QStringLiteral("generatorSettings"));

    std::vector<QLabel*> generatorValues;
    content().addWidget(makeGeneratorBox(m_procedure->GeneratorLines(), generatorValues));
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
    startSampling(*m_procedure, *m_progress);
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
