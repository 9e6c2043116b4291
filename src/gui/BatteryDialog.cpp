#include "BatteryDialog.h"

#include "platform/Clock.h"
#include "service/HOtherAlign.h"
#include "ui/Strings.h"

#include <QFont>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kq70 {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString captionOf(std::size_t item) {
    const auto found =
        std::find_if(text::ADJUSTMENT_CAPTIONS.begin(), text::ADJUSTMENT_CAPTIONS.end(),
                     [item](const auto& entry) { return entry.first == item; });
    return found == text::ADJUSTMENT_CAPTIONS.end() ? QString() : qt(found->second);
}

QLineEdit* levelField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setMaximumWidth(80);
    return field;
}

constexpr std::size_t LOW_BATTERY_ITEM = 95;
constexpr std::size_t EEPROM_PROTECT_ITEM = 96;

} // namespace

BatteryDialog::BatteryDialog(std::unique_ptr<HOtherAlign> procedure, Clock& clock, QWidget* parent)
    : ProcedureDialog(QString::fromStdString(procedure->Title()), parent),
      m_procedure(std::move(procedure)), m_clock(clock), m_prompt(new QLabel),
      m_progress(new QProgressBar), m_lowBattery(levelField("lowBatteryField")),
      m_eepromProtect(levelField("eepromProtectField")) {
    setObjectName(QStringLiteral("BatteryDialog"));
    m_prompt->setObjectName(QStringLiteral("prompt"));
    QFont bigger = m_prompt->font();
    bigger.setBold(true);
    m_prompt->setFont(bigger);
    m_progress->setRange(0, HOtherAlign::SAMPLES);
    m_progress->setFormat(qt(text::SAMPLES_TAKEN) + QStringLiteral(" %v/%m"));
    auto* form = new QFormLayout;
    form->addRow(m_prompt);
    form->addRow(m_progress);
    form->addRow(captionOf(LOW_BATTERY_ITEM), m_lowBattery);
    form->addRow(captionOf(EEPROM_PROTECT_ITEM), m_eepromProtect);
    content().addLayout(form);
    setMinimumWidth(320);
    refresh();
}

BatteryDialog::~BatteryDialog() = default;

QString BatteryDialog::promptText() const {
    return m_prompt->text();
}

void BatteryDialog::start() {
    runCall([this] { return m_procedure->Start(); },
            [this](bool started) {
                m_progress->setValue(0);
                if (started) {
                    sampleNext();
                }
            });
}

// One sample per call, each after the sample interval on the procedure's clock.
void BatteryDialog::sampleNext() {
    runCall(
        [this] {
            m_clock.sleep(HOtherAlign::SAMPLE_INTERVAL);
            return m_procedure->Sample();
        },
        [this](bool more) {
            m_progress->setValue(m_procedure->SamplesTaken());
            if (more) {
                sampleNext();
            }
        });
}

bool BatteryDialog::okCall() {
    return m_procedure->Ok();
}

void BatteryDialog::cancelCall() {
    m_procedure->Cancel();
}

void BatteryDialog::refresh() {
    m_prompt->setText(QString::fromStdString(m_procedure->PromptText()));
    const int step = m_procedure->Step();
    m_lowBattery->setText(step > 0 ? QString::number(m_procedure->LowBatteryLevel()) : QString());
    m_eepromProtect->setText(step > 1 ? QString::number(m_procedure->EepromProtectLevel())
                                      : QString());
    showButtons(m_procedure->Buttons());
}

} // namespace kq70
