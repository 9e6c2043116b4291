#include "VcoAutoDialog.h"

#include "service/HVcoAlignAuto.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

namespace kq70 {

VcoAutoDialog::VcoAutoDialog(std::unique_ptr<HVcoAlignAuto> procedure, QWidget* parent)
    : ProcedureDialog(QString::fromStdString(procedure->Title()), parent),
      m_procedure(std::move(procedure)), m_display(new QLabel) {
    setObjectName(QStringLiteral("VcoAutoDialog"));
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setMinimumWidth(320);
    m_display->setTextInteractionFlags(Qt::TextSelectableByMouse);
    content().addWidget(m_display);
    refresh();
}

VcoAutoDialog::~VcoAutoDialog() = default;

QString VcoAutoDialog::displayText() const {
    return m_display->text();
}

void VcoAutoDialog::start() {
    runCall([this] { return m_procedure->Start(); });
}

bool VcoAutoDialog::okCall() {
    return m_procedure->Ok();
}

void VcoAutoDialog::cancelCall() {
    m_procedure->Cancel();
}

void VcoAutoDialog::refresh() {
    QStringList lines;
    for (const std::string& line : m_procedure->DisplayLines()) {
        lines << QString::fromStdString(line);
    }
    m_display->setText(lines.join(QLatin1Char('\n')));
    showButtons(m_procedure->Buttons());
}

} // namespace kq70
