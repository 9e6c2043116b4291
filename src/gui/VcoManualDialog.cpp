#include "VcoManualDialog.h"

#include "QtText.h"
#include "service/HVcoAlignDialog.h"
#include "ui/Strings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

namespace kq70 {

namespace {

QLineEdit* readingField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setMaximumWidth(80);
    return field;
}

} // namespace

VcoManualDialog::VcoManualDialog(Factory factory, int point, QWidget* parent)
    : ProcedureDialog(QString(), parent), m_factory(std::move(factory)),
      m_procedure(m_factory(point)), m_pointIndex(point), m_point(new QComboBox),
      m_slider(makeDaSlider()), m_da(readingField("daField")), m_vcv(readingField("vcvField")),
      m_ul(readingField("ulField")) {
    setObjectName(QStringLiteral("VcoManualDialog"));
    setWindowTitle(QString::fromStdString(m_procedure->Title()));
    for (std::string_view name : text::VCO_POINT_NAMES) {
        m_point->addItem(qt(name));
    }
    m_point->setCurrentIndex(point);
    auto* form = new QFormLayout;
    form->addRow(qt(text::VCO_POINT), m_point);
    form->addRow(m_slider);
    form->addRow(qt(text::VCO_DA_SENT), m_da);
    form->addRow(qt(text::VCV_AD), m_vcv);
    form->addRow(qt(text::UL_AD), m_ul);
    content().addLayout(form);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        m_wanted = value;
        sendWanted();
    });
    connect(m_point, &QComboBox::activated, this, [this](int index) { openPoint(index); });
    m_slider->setEnabled(false);
    runCall([this] { return m_procedure->Open(); }, [this](bool) { focusSlider(); });
}

VcoManualDialog::~VcoManualDialog() = default;

QString VcoManualDialog::daText() const {
    return m_da->text();
}

QString VcoManualDialog::vcvText() const {
    return m_vcv->text();
}

QString VcoManualDialog::ulText() const {
    return m_ul->text();
}

// Another point: the current one is left as Cancel leaves it, the new one opened.
void VcoManualDialog::openPoint(int point) {
    if (busy()) {
        m_point->setCurrentIndex(m_pointIndex);
        return;
    }
    m_pointIndex = point;
    m_slider->setEnabled(false);
    m_wanted = -1;
    runCall(
        [this, point] {
            m_procedure->Cancel();
            m_procedure = m_factory(point);
            return m_procedure->Open();
        },
        [this](bool) { focusSlider(); });
}

void VcoManualDialog::focusSlider() {
    m_slider->setEnabled(true);
    m_slider->setFocus();
}

// Moves come faster than the radio answers: the latest one is sent once the last returns.
void VcoManualDialog::sendWanted() {
    if (busy() || closing() || m_wanted < 0 || m_wanted == m_procedure->Slider()) {
        return;
    }
    const int value = m_wanted;
    runCall(
        [this, value] {
            m_procedure->SetSlider(value);
            return true;
        },
        [this](bool) { sendWanted(); });
}

bool VcoManualDialog::okCall() {
    m_procedure->Ok();
    return true;
}

void VcoManualDialog::cancelCall() {
    m_procedure->Cancel();
}

void VcoManualDialog::refresh() {
    m_da->setText(QString::fromStdString(m_procedure->DaText()));
    m_vcv->setText(QString::fromStdString(m_procedure->VcvText()));
    m_ul->setText(QString::fromStdString(m_procedure->UlText()));
    m_slider->setEnabled(!closing());
    if (m_wanted < 0 || (m_wanted == m_procedure->Slider() && !m_slider->isSliderDown())) {
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(m_procedure->Slider());
    }
    ProcedureButtons buttons;
    buttons.startVisible = false;
    buttons.okVisible = true;
    buttons.focus = ProcedureFocus::None;
    showButtons(buttons);
}

} // namespace kq70
