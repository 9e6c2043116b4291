#include "RxTuneDialog.h"

#include "service/HRxTune.h"
#include "ui/Strings.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

namespace kq70 {

RxTuneDialog::RxTuneDialog(std::unique_ptr<HRxTune> procedure, QWidget* parent)
    : ProcedureDialog(QString::fromStdString(procedure->Title()), parent),
      m_procedure(std::move(procedure)), m_display(new QLabel) {
    setObjectName(QStringLiteral("RxTuneDialog"));
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setMinimumWidth(320);
    m_display->setTextInteractionFlags(Qt::TextSelectableByMouse);
    content().addWidget(m_display);
    refresh();
}

RxTuneDialog::~RxTuneDialog() = default;

QString RxTuneDialog::displayText() const {
    return m_display->text();
}

void RxTuneDialog::start() {
    runCall([this] { return m_procedure->Start(); });
}

bool RxTuneDialog::okCall() {
    return m_procedure->Ok();
}

void RxTuneDialog::cancelCall() {
    m_procedure->Cancel();
}

void RxTuneDialog::refresh() {
    QStringList lines;
    for (const std::string& line : m_procedure->DisplayLines()) {
        lines << QString::fromStdString(line);
    }
    m_display->setText(lines.join(QLatin1Char('\n')));
    showButtons(m_procedure->Buttons());
}

} // namespace kq70
