#include "BatteryDialog.h"

#include "service/HOtherAlign.h"

#include <QFont>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kq70 {

namespace {

QLineEdit* levelField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setMaximumWidth(80);
    return field;
}

} // namespace

BatteryDialog::BatteryDialog(std::unique_ptr<HOtherAlign> procedure, QWidget* parent)
    : ProcedureDialog(QString::fromStdString(procedure->Title()), parent),
      m_procedure(std::move(procedure)), m_prompt(new QLabel),
      m_progress(makeSamplesBar()), m_levels{levelField("lowBatteryField"),
                                             levelField("eepromProtectField")} {
    setObjectName(QStringLiteral("BatteryDialog"));
    m_prompt->setObjectName(QStringLiteral("prompt"));
    QFont bigger = m_prompt->font();
    bigger.setBold(true);
    m_prompt->setFont(bigger);
    auto* form = new QFormLayout;
    form->addRow(m_prompt);
    form->addRow(m_progress);
    const auto levels = m_procedure->Levels();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        form->addRow(QString::fromStdString(levels[i].caption), m_levels[i]);
    }
    content().addLayout(form);
    setMinimumWidth(320);
    refresh();
}

BatteryDialog::~BatteryDialog() = default;

QString BatteryDialog::promptText() const {
    return m_prompt->text();
}

void BatteryDialog::start() {
    startSampling(*m_procedure, *m_progress);
}

bool BatteryDialog::okCall() {
    return m_procedure->Ok();
}

void BatteryDialog::cancelCall() {
    m_procedure->Cancel();
}

void BatteryDialog::refresh() {
    m_prompt->setText(QString::fromStdString(m_procedure->PromptText()));
    const auto levels = m_procedure->Levels();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        m_levels[i]->setText(QString::fromStdString(levels[i].text));
    }
    showButtons(m_procedure->Buttons());
}

} // namespace kq70
