#include "AlignmentWindow.h"

#include "BatteryDialog.h"
#include "HelpWindow.h"
#include "MeasurementDialog.h"
#include "QtText.h"
#include "RxTuneDialog.h"
#include "SliderAlignDialog.h"
#include "VcoAutoDialog.h"
#include "VcoManualDialog.h"
#include "align/AdjustmentUnits.h"
#include "align/HAdustmentBackUpParams.h"
#include "service/HOtherAlign.h"
#include "service/HRxTune.h"
#include "service/HSliderAlignDialog.h"
#include "service/HSqlAlignment.h"
#include "service/HVcoAlignAuto.h"
#include "service/HVcoAlignDialog.h"
#include "service/VcoLimits.h"
#include "ui/Strings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kq70 {

namespace {

// The value fields in three columns: the six VCO values, the reference and the tune values
// with the UNIT box under them, and the eight levels.
constexpr int VCO_FIELDS = 6;
constexpr int NUMBER_FIELDS = 10;
constexpr int FIELD_ROWS = 8;
constexpr int NUMBER_FIELD_WIDTH = 56;
// A line edit's frame and inner margins around its text.
constexpr int LEVEL_FIELD_MARGIN = 14;

} // namespace

AlignmentWindow::AlignmentWindow(HBasicAlignment& alignment, QWidget* parent)
    : QDialog(parent), m_alignment(alignment) {
    setObjectName(QStringLiteral("AlignmentWindow"));
    setWindowTitle(qt(text::ALIGNMENT_WINDOW_TITLE));
    // The values over the item groups on the left; on the right the VCO, receive and battery
    // procedures beside the long list of transmit procedures, with the window's buttons
    // under them, so the window fits a laptop screen of 768 lines.
    auto* values = new QVBoxLayout;
    values->addWidget(makeValues());
    values->addWidget(makeGroups(), 1);
    auto* procedures = new QVBoxLayout;
    auto* transmit = new QVBoxLayout;
    for (const ProcedureSection& section : HBasicAlignment::Sections()) {
        (section.kind == SectionKind::Transmit ? transmit : procedures)
            ->addWidget(makeSection(section));
    }
    procedures->addStretch();
    transmit->addStretch();
    auto* sections = new QHBoxLayout;
    sections->addLayout(procedures);
    sections->addLayout(transmit);

    auto* help = new QPushButton(qt(text::ALIGNMENT_HELP));
    m_ok = new QPushButton(qt(text::ALIGNMENT_OK));
    m_cancel = new QPushButton(qt(text::ALIGNMENT_CANCEL));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton* button : {help, m_ok, m_cancel}) {
        button->setAutoDefault(false);
    }
    connect(help, &QPushButton::clicked, this, [this] {
        auto* window = new HelpWindow(this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->showTopic(qt(HBasicAlignment::HELP_TOPIC));
    });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &AlignmentWindow::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* right = new QVBoxLayout;
    right->addLayout(sections, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(values, 1);
    layout->addLayout(right);
    refresh();
}

AlignmentWindow::~AlignmentWindow() = default;

QWidget* AlignmentWindow::makeValues() {
    auto* box = new QGroupBox(qt(text::ALIGNMENT_VALUES));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    const auto fields = m_alignment.Fields();
    // Room for the longest text a level can show, so no unit cuts a value short.
    const int levelWidth =
        box->fontMetrics().horizontalAdvance(QString::fromStdString(longestLevelText())) +
        LEVEL_FIELD_MARGIN;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int n = static_cast<int>(i);
        auto* value = new QLineEdit;
        value->setObjectName(QStringLiteral("field%1").arg(i));
        value->setReadOnly(true);
        value->setFocusPolicy(Qt::NoFocus);
        const bool level = n >= NUMBER_FIELDS;
        if (level) {
            value->setMinimumWidth(levelWidth);
        } else {
            value->setFixedWidth(NUMBER_FIELD_WIDTH);
        }
        m_fields.push_back(value);
        const int column = n < VCO_FIELDS ? 0 : level ? 4 : 2;
        const int row = n < VCO_FIELDS ? n : level ? n - NUMBER_FIELDS : n - VCO_FIELDS;
        grid->addWidget(new QLabel(QString::fromStdString(fields[i].caption)), row, column);
        grid->addWidget(value, row, column + 1);
    }
    m_unit = new QComboBox;
    m_unit->setObjectName(QStringLiteral("unitBox"));
    for (std::string_view unit : text::LEVEL_UNIT_NAMES) {
        m_unit->addItem(qt(unit));
    }
    m_unit->setCurrentIndex(m_alignment.Context().set.displayUnit());
    connect(m_unit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        m_alignment.SetDisplayUnit(unit);
        refresh();
    });
    auto* unitLabel = new QLabel(qt(text::ALIGNMENT_UNIT));
    unitLabel->setBuddy(m_unit);
    grid->addWidget(unitLabel, FIELD_ROWS - 1, 2);
    grid->addWidget(m_unit, FIELD_ROWS - 1, 3, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(5, 1);
    return box;
}

QWidget* AlignmentWindow::makeSection(const ProcedureSection& section) {
    auto* box = new QGroupBox(QString::fromStdString(section.caption));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    int row = 0;
    for (const ProcedureEntry& entry : section.entries) {
        auto* button = new QPushButton(qt(text::ALIGNMENT_START));
        button->setObjectName(QStringLiteral("start%1").arg(static_cast<int>(entry.procedure)));
        button->setAutoDefault(false);
        const AlignmentProcedure procedure = entry.procedure;
        connect(button, &QPushButton::clicked, this,
                [this, procedure] { startProcedure(procedure); });
        m_buttons[procedure] = button;
        grid->addWidget(button, row, 0);
        grid->addWidget(new QLabel(QString::fromLatin1(entry.caption)), row, 1);
        ++row;
    }
    return box;
}

QWidget* AlignmentWindow::makeGroups() {
    const auto groups = m_alignment.Groups();
    const auto points = HBasicAlignment::PointCaptions();
    m_groups = new QTableWidget(static_cast<int>(groups.size()), static_cast<int>(points.size()));
    m_groups->setObjectName(QStringLiteral("groups"));
    m_groups->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_groups->setSelectionMode(QAbstractItemView::NoSelection);
    m_groups->setFocusPolicy(Qt::NoFocus);
    QStringList pointCaptions;
    for (const std::string& point : points) {
        pointCaptions << QString::fromStdString(point);
    }
    m_groups->setHorizontalHeaderLabels(pointCaptions);
    QStringList captions;
    for (const auto& group : groups) {
        captions << QString::fromStdString(group.caption);
    }
    m_groups->setVerticalHeaderLabels(captions);
    m_groups->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_groups->verticalHeader()->setDefaultSectionSize(m_groups->fontMetrics().height() + 4);
    auto* box = new QGroupBox(qt(text::ALIGNMENT_GROUPS));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_groups);
    // Every group in sight, no scrolling.
    m_groups->setMinimumHeight(
        m_groups->verticalHeader()->defaultSectionSize() * m_groups->rowCount() +
        m_groups->horizontalHeader()->sizeHint().height() + 2 * m_groups->frameWidth());
    return box;
}

QPushButton* AlignmentWindow::startButton(AlignmentProcedure procedure) const {
    const auto found = m_buttons.find(procedure);
    return found == m_buttons.end() ? nullptr : found->second;
}

QString AlignmentWindow::fieldText(std::size_t index) const {
    return index < m_fields.size() ? m_fields[index]->text() : QString();
}

void AlignmentWindow::selectChannel(int channel) {
    if (m_task.run([this, channel] { return m_alignment.ChangeChannel(channel); },
                   [this](bool) { refresh(); })) {
        refresh();
    }
}

ProcedureDialog* AlignmentWindow::makeProcedureWindow(const ProcedureEntry& entry) {
    HBasicAlignment& a = m_alignment;
    switch (entry.kind) {
    case ProcedureKind::VcoAuto:
        return new VcoAutoDialog(a.MakeVcoAuto(entry.variant), this);
    case ProcedureKind::VcoManual: {
        const int direction = entry.variant;
        return new VcoManualDialog(
            [&a, direction](int point) { return a.MakeVcoManual(direction, point); }, VCO_MIDDLE,
            this);
    }
    case ProcedureKind::Slider:
        return new SliderAlignDialog(a.MakeSlider(entry.procedure), this);
    case ProcedureKind::Measurement:
        return new MeasurementDialog(a.MakeMeasurement(entry.procedure), this);
    case ProcedureKind::Battery:
        return new BatteryDialog(a.MakeBattery(), this);
    case ProcedureKind::RxTune:
        return new RxTuneDialog(a.MakeRxTune(), this);
    }
    return nullptr;
}

void AlignmentWindow::startProcedure(AlignmentProcedure procedure) {
    if (busy() || m_procedure != nullptr || !m_alignment.ControlsEnabled()) {
        return;
    }
    const ProcedureEntry& entry = HBasicAlignment::EntryOf(procedure);
    m_procedure = makeProcedureWindow(entry);
    m_procedure->setHelpTopic(qt(HBasicAlignment::HelpTopicOf(entry.kind)));
    connect(m_procedure.data(), &QDialog::finished, this, &AlignmentWindow::procedureEnded);
    m_procedure->open();
    refresh();
}

void AlignmentWindow::procedureEnded(int result) {
    if (m_procedure != nullptr) {
        m_procedure->deleteLater();
        m_procedure = nullptr;
    }
    if (result == QDialog::Accepted) {
        m_alignment.AfterOk();
    }
    refresh();
}

void AlignmentWindow::reject() {
    // A procedure window or a call to the radio ends first.
    if (busy() || m_procedure != nullptr) {
        return;
    }
    // Leaving puts the radio's former data back: new values go only when the user says so.
    if (m_alignment.ConfirmDiscard()) {
        QDialog::reject();
    }
}

void AlignmentWindow::refresh() {
    const bool idle = !busy() && m_procedure == nullptr;
    if (idle) {
        const auto fields = m_alignment.Fields();
        for (std::size_t i = 0; i < fields.size() && i < m_fields.size(); ++i) {
            m_fields[i]->setText(QString::fromStdString(fields[i].text));
            m_fields[i]->setCursorPosition(0);
        }
        const auto groups = m_alignment.Groups();
        for (std::size_t row = 0; row < groups.size(); ++row) {
            for (std::size_t point = 0; point < groups[row].values.size(); ++point) {
                auto* item = new QTableWidgetItem(QString::number(groups[row].values[point]));
                item->setTextAlignment(Qt::AlignCenter);
                m_groups->setItem(static_cast<int>(row), static_cast<int>(point), item);
            }
        }
    }
    const bool enabled = idle && m_alignment.ControlsEnabled();
    for (auto& [procedure, button] : m_buttons) {
        button->setEnabled(enabled);
    }
    m_unit->setEnabled(idle);
    m_ok->setEnabled(idle);
    // A running procedure ends first: Cancel would do nothing meanwhile.
    m_cancel->setEnabled(idle);
}

} // namespace kq70
