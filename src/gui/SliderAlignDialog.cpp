#include "SliderAlignDialog.h"

#include "QtText.h"
#include "service/HBasicAlignment.h"
#include "service/HSliderAlignDialog.h"
#include "ui/Strings.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace kq70 {

SliderAlignDialog::SliderAlignDialog(std::unique_ptr<HSliderAlignDialog> procedure, QWidget* parent)
    : ProcedureDialog(QString::fromStdString(procedure->Title()), parent),
      m_procedure(std::move(procedure)), m_channel(new QLabel), m_slider(makeDaSlider()),
      m_value(new QLineEdit) {
    setObjectName(QStringLiteral("SliderAlignDialog"));
    m_channel->setObjectName(QStringLiteral("channelLine"));
    m_value->setObjectName(QStringLiteral("valueBox"));
    m_value->setValidator(new QIntValidator(DaSlider::MIN, DaSlider::MAX, this));
    m_value->setMaximumWidth(60);

    auto* form = new QFormLayout;
    if (const std::string level = m_procedure->LevelText(); !level.empty()) {
        auto* levelLine = new QLabel(QString::fromStdString(level));
        levelLine->setObjectName(QStringLiteral("levelLine"));
        form->addRow(qt(text::TX_POWER_LEVEL), levelLine);
    }
    form->addRow(qt(text::CHANNEL_LINE), m_channel);
    if (m_procedure->AdjustsGroup()) {
        m_point = new QComboBox;
        m_point->setObjectName(QStringLiteral("pointBox"));
        for (const std::string& point : HBasicAlignment::PointCaptions()) {
            m_point->addItem(QString::fromStdString(point));
        }
        m_point->setCurrentIndex(m_procedure->Point());
        connect(m_point, &QComboBox::activated, this, [this](int index) {
            if (busy() || !m_procedure->SetPoint(index)) {
                m_point->setCurrentIndex(m_procedure->Point());
                return;
            }
            refresh();
        });
        form->addRow(qt(text::SLIDER_POINT), m_point);
    }
    if (m_procedure->UsesCtcssPair()) {
        addCtcssPair(*form);
    }
    content().addLayout(form);
    auto* sliderRow = new QHBoxLayout;
    sliderRow->addWidget(new QLabel(QString::number(DaSlider::MIN)));
    sliderRow->addWidget(m_slider, 1);
    sliderRow->addWidget(new QLabel(QString::number(DaSlider::MAX)));
    sliderRow->addWidget(m_value);
    content().addLayout(sliderRow);

    connect(m_slider, &QSlider::valueChanged, this, [this](int value) { want(value); });
    // The arrows and the edit box's Enter and double click are the procedure's, not the
    // widgets' own.
    for (QObject* watched : std::initializer_list<QObject*>{m_slider, m_value, &startButton(),
                                                            &okButton(), &cancelButton(), this}) {
        watched->installEventFilter(this);
    }
    refresh();
}

SliderAlignDialog::~SliderAlignDialog() = default;

void SliderAlignDialog::addCtcssPair(QFormLayout& form) {
    form.addRow(new QLabel(qt(text::ENTER_CTCSS_FREQUENCIES)));
    for (int which = 0; which < 2; ++which) {
        auto* frequency = new QDoubleSpinBox;
        frequency->setObjectName(QStringLiteral("ctcss%1").arg(which + 1));
        frequency->setDecimals(HSliderAlignDialog::CTCSS_DECIMALS);
        frequency->setRange(HSliderAlignDialog::CTCSS_LOWEST_HZ,
                            HSliderAlignDialog::CTCSS_HIGHEST_HZ);
        frequency->setSuffix(QStringLiteral(" Hz"));
        frequency->setValue(m_procedure->CtcssHz(which));
        connect(frequency, &QDoubleSpinBox::valueChanged, this, [this] {
            // Taken before Start only; the boxes show what the procedure keeps.
            if (busy() || !m_procedure->SetCtcssHz(m_ctcss[0]->value(), m_ctcss[1]->value())) {
                for (int box = 0; box < 2; ++box) {
                    const QSignalBlocker quiet(m_ctcss[box]);
                    m_ctcss[box]->setValue(m_procedure->CtcssHz(box));
                }
            }
        });
        auto* sending = new QRadioButton(QString::number(which + 1));
        sending->setObjectName(QStringLiteral("sending%1").arg(which + 1));
        sending->setChecked(m_procedure->SelectedCtcss() == which);
        connect(sending, &QRadioButton::clicked, this, [this, which] { selectCtcss(which); });
        m_ctcss[which] = frequency;
        m_sending[which] = sending;
        form.addRow(sending, frequency);
    }
}

void SliderAlignDialog::selectCtcss(int which) {
    if (busy() || closing()) {
        m_sending[m_selectedSeen]->setChecked(true); // the radio keeps the tone it sends
        return;
    }
    runCall([this, which] { return m_procedure->SelectCtcssFrequency(which); });
}

QString SliderAlignDialog::channelLine() const {
    return m_channel->text();
}

bool SliderAlignDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == m_value && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            takeTyped();
            return true;
        }
        if (watched != m_value && (key == Qt::Key_Right || key == Qt::Key_Left)) {
            const int current = m_wanted >= 0 ? m_wanted : m_procedure->Value();
            want(DaSlider::Clamp(current + (key == Qt::Key_Right ? 1 : -1)));
            return true;
        }
    }
    if (watched == m_value && event->type() == QEvent::MouseButtonDblClick) {
        takeTyped();
    }
    return ProcedureDialog::eventFilter(watched, event);
}

void SliderAlignDialog::takeTyped() {
    bool number = false;
    const int typed = m_value->text().toInt(&number);
    if (number) {
        want(typed);
    }
}

void SliderAlignDialog::want(int value) {
    if (closing() || !m_live) {
        return;
    }
    m_wanted = value;
    sendWanted();
}

// Moves come faster than the radio answers: the latest one is sent once the last returns.
void SliderAlignDialog::sendWanted() {
    if (busy() || closing() || m_wanted < 0 || m_wanted == m_procedure->Value()) {
        return;
    }
    const int value = m_wanted;
    runCall([this, value] { return m_procedure->SetValue(value); }, [this](bool) { sendWanted(); });
}

void SliderAlignDialog::start() {
    runCall([this] { return m_procedure->Start(); });
}

bool SliderAlignDialog::okCall() {
    m_procedure->Ok();
    return true;
}

void SliderAlignDialog::cancelCall() {
    m_procedure->Cancel();
}

void SliderAlignDialog::refresh() {
    m_channel->setText(QString::fromStdString(m_procedure->ChannelLine()));
    const bool started = m_procedure->Started();
    if (started != m_live) {
        m_wanted = -1; // the radio's value from now on, or none
    }
    m_live = started;
    const int value = m_procedure->Value();
    if (m_wanted < 0 || m_wanted == value) {
        m_wanted = value;
        if (!m_slider->isSliderDown()) {
            const QSignalBlocker quiet(m_slider);
            m_slider->setValue(value);
        }
        m_value->setText(QString::number(value));
    }
    m_slider->setEnabled(started && !closing());
    m_value->setEnabled(started && !closing());
    if (m_point != nullptr) {
        m_point->setEnabled(!started && !closing());
    }
    for (int which = 0; which < 2; ++which) {
        if (m_ctcss[which] != nullptr) {
            m_ctcss[which]->setEnabled(!started && !closing());
            m_selectedSeen = m_procedure->SelectedCtcss();
            m_sending[which]->setChecked(m_selectedSeen == which);
        }
    }
    showButtons(m_procedure->Buttons());
    if (started && m_slider->isEnabled() && !m_slider->hasFocus() && !m_value->hasFocus() &&
        !okButton().hasFocus()) {
        m_slider->setFocus();
    }
}

} // namespace kq70
