#include "FleetWindow.h"

#include "QtText.h"
#include "SimulatedRadioLine.h"
#include "SimulatorSeed.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "frame/DocumentHold.h"
#include "frame/FleetDownload.h"
#include "frame/FleetRecord.h"
#include "platform/Sha256.h"
#include "ui/Strings.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <chrono>

namespace kq70 {

namespace {

constexpr int COLUMN_PORT = 0;
constexpr int COLUMN_PROGRESS = 1;
constexpr int COLUMN_STATUS = 2;
constexpr int COLUMN_SERIAL = 3;
constexpr int COLUMN_RESULT = 4;
constexpr int COLUMN_CANCEL = 5;
constexpr int RENDER_DELAY_MS = 30; // progress comes per block; the rows are drawn at most so often
constexpr auto LAST_JOB_ENDING = std::chrono::seconds(2);

QPushButton* button(std::string_view text, const char* name, QWidget* parent) {
    auto* made = new QPushButton(qt(text), parent);
    made->setObjectName(QString::fromLatin1(name));
    // Enter is the window's own key (Start), never whichever button has the focus by default.
    made->setAutoDefault(false);
    return made;
}

// A simulated radio kept for the window's life, so a retried radio still holds what the last
// run left in it, as a real radio would.
class SimulatedFleetLine : public FleetLine {
public:
    SimulatedFleetLine(std::shared_ptr<SimulatedRadioLine> line, bool paced)
        : m_line(std::move(line)), m_paced(paced) {}
    SerialDevice& device() override { return m_line->device(m_paced); }
    Clock& clock() override { return m_line->clock(); }

private:
    std::shared_ptr<SimulatedRadioLine> m_line;
    bool m_paced;
};

} // namespace

// Hands each radio's event from its worker thread to the window's thread.
class FleetWindow::Events : public FleetObserver {
public:
    explicit Events(FleetWindow& window) : m_window(window) {}

    void radioStatus(std::size_t radio, std::string_view status) override {
        post([radio, text = std::string(status)](FleetWindowModel& m) {
            m.radioStatus(radio, text);
        });
    }
    void radioProgress(std::size_t radio, int position, int high) override {
        post([=](FleetWindowModel& m) { m.radioProgress(radio, position, high); });
    }
    void radioIdentified(std::size_t radio, std::string_view serialNumber, int) override {
        post([radio, serial = std::string(serialNumber)](FleetWindowModel& m) {
            m.radioIdentified(radio, serial);
        });
    }
    void radioFinished(std::size_t radio, const FleetRadioResult& result) override {
        post([radio, result](FleetWindowModel& m) { m.radioFinished(radio, result); });
    }

private:
    void post(std::function<void(FleetWindowModel&)> change) {
        FleetWindow* window = &m_window;
        QMetaObject::invokeMethod(
            window,
            [window, change = std::move(change)] {
                window->onEvent([window, &change] { change(window->m_model); });
            },
            Qt::QueuedConnection);
    }

    FleetWindow& m_window;
};

FleetWindow::FleetWindow(CKQ70Doc& doc, DocumentHold& hold, const AppSettings& settings,
                         const AccessMode& accessMode, std::string programFolder,
                         UserPrompt& guiPrompt, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_hold(hold), m_settings(settings), m_accessMode(accessMode),
      m_programFolder(std::move(programFolder)), m_prompt(guiPrompt),
      m_model(ConfigureChoices::PortList(SerialPortEnumerator().ports())),
      m_events(std::make_unique<Events>(*this)), m_openFolder([](const QString& folder) {
          QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
      }) {
    setObjectName(QStringLiteral("FleetWindow"));
    setWindowTitle(qt(text::FLEET_WINDOW_TITLE));
    setModal(false);
    buildWidgets();
    render();
}

FleetWindow::~FleetWindow() {
    // Whatever still runs is stopped safely before the window's parts go.
    m_fleet.reset();
    hold(false);
}

void FleetWindow::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    auto* portsLabel = new QLabel(qt(text::FLEET_PORTS_LABEL), this);
    m_ports = new QListWidget(this);
    m_ports->setObjectName(QStringLiteral("ports"));
    m_ports->setMaximumHeight(110);
    portsLabel->setBuddy(m_ports);
    for (const FleetPortEntry& port : m_model.ports()) {
        auto* item = new QListWidgetItem(qt(port.text), m_ports);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(m_ports, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_model.setChecked(static_cast<std::size_t>(m_ports->row(item)),
                           item->checkState() == Qt::Checked);
        render();
    });
    layout->addWidget(portsLabel);
    layout->addWidget(m_ports);

    auto* simulatedRow = new QHBoxLayout();
    auto* simulatedLabel = new QLabel(qt(text::FLEET_SIMULATED_LABEL), this);
    m_simulatedCount = new QSpinBox(this);
    m_simulatedCount->setObjectName(QStringLiteral("simulated"));
    m_simulatedCount->setRange(0, FleetWindowModel::MAX_SIMULATED_RADIOS);
    simulatedLabel->setBuddy(m_simulatedCount);
    connect(m_simulatedCount, &QSpinBox::valueChanged, this, [this](int count) {
        m_model.setSimulatedRadios(count);
        render();
    });
    simulatedRow->addWidget(simulatedLabel);
    simulatedRow->addWidget(m_simulatedCount);
    simulatedRow->addStretch(1);
    layout->addLayout(simulatedRow);

    m_table = new QTableWidget(0, COLUMN_CANCEL + 1, this);
    m_table->setObjectName(QStringLiteral("radios"));
    QStringList headers;
    for (std::string_view column : text::FLEET_COLUMNS) {
        headers << qt(column);
    }
    headers << QString();
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setSectionResizeMode(COLUMN_STATUS, QHeaderView::Stretch);
    m_table->setColumnWidth(COLUMN_PORT, 150);
    m_table->setColumnWidth(COLUMN_PROGRESS, 140);
    m_table->setColumnWidth(COLUMN_SERIAL, 110);
    m_table->setColumnWidth(COLUMN_RESULT, 200);
    layout->addWidget(m_table, 1);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);
    layout->addWidget(m_summary);

    auto* recordRow = new QHBoxLayout();
    m_record = new QLabel(this);
    m_record->setObjectName(QStringLiteral("record"));
    m_record->setTextFormat(Qt::PlainText);
    m_record->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_openFolderButton = button(text::FLEET_OPEN_FOLDER, "openFolder", this);
    connect(m_openFolderButton, &QPushButton::clicked, this, [this] {
        m_openFolder(QFileInfo(QString::fromStdString(m_model.recordPath())).absolutePath());
    });
    recordRow->addWidget(m_record, 1);
    recordRow->addWidget(m_openFolderButton);
    layout->addLayout(recordRow);

    auto* buttons = new QHBoxLayout();
    m_start = button(text::FLEET_START, "start", this);
    m_cancelAll = button(text::FLEET_CANCEL_ALL, "cancelAll", this);
    m_retry = button(text::FLEET_RETRY_FAILED, "retryFailed", this);
    m_close = button(text::FLEET_CLOSE, "close", this);
    connect(m_start, &QPushButton::clicked, this, [this] { start(); });
    connect(m_cancelAll, &QPushButton::clicked, this, [this] { cancelAll(); });
    connect(m_retry, &QPushButton::clicked, this, [this] { retryFailed(); });
    connect(m_close, &QPushButton::clicked, this, [this] { act(m_model.closeAction()); });
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancelAll);
    buttons->addWidget(m_retry);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    resize(900, 460);
}

void FleetWindow::setChecked(std::size_t port, bool checked) {
    if (QListWidgetItem* item = m_ports->item(static_cast<int>(port))) {
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void FleetWindow::setSimulatedRadios(int count) {
    m_simulatedCount->setValue(count);
}

std::unique_ptr<FleetDownload> FleetWindow::makeFleet() {
    FleetSettings fleetSettings;
    fleetSettings.job =
        CommJobContext{m_accessMode.value(), m_programFolder, m_doc.GetWord1Edited(),
                       m_doc.GetHardwareEdited(), m_settings.verifyDownload};
    fleetSettings.baudRate = static_cast<std::uint32_t>(m_settings.baudRate);
    fleetSettings.portType = m_settings.portType;
    FleetLineFactory serial = SerialFleetLines();
    FleetLineFactory lines = [this, serial](const std::string& port) -> std::unique_ptr<FleetLine> {
        const int number = FleetWindowModel::simulatedRadioNumber(port);
        if (number == 0) {
            return serial(port);
        }
        std::shared_ptr<SimulatedRadioLine>& line = m_simulated[number];
        if (!line) {
            RadioImage memory = makeSimulatorSeedImage();
            numberSimulatedRadio(memory, static_cast<unsigned>(number));
            line = std::make_shared<SimulatedRadioLine>(memory, m_wallClock);
            if (m_simulatedHook) {
                m_simulatedHook(number, line->radio());
            }
        }
        line->restartPace();
        return std::make_unique<SimulatedFleetLine>(line, m_paced);
    };
    return std::make_unique<FleetDownload>(m_doc.GetMainMemory(), std::move(fleetSettings),
                                           std::move(lines), m_prompt, *m_events);
}

void FleetWindow::start() {
    if (!m_model.startEnabled()) {
        return;
    }
    if (const std::optional<std::string> problem = FleetWindowModel::documentProblem(m_doc)) {
        m_prompt.message(*problem, MessageIcon::Exclamation);
        return;
    }
    // The record names the data file by its bytes as they are now.
    RadioImage scratch;
    std::vector<std::uint8_t> bytes;
    if (!ReadDataFile(m_doc.GetCurrentFilePath(), scratch, m_prompt, &bytes)) {
        return;
    }
    m_dataFile = m_doc.GetCurrentFilePath();
    m_sha256 = Sha256::hex(bytes);
    const std::vector<std::string> ports = m_model.chosenPorts();
    m_fleet = makeFleet();
    m_model.setVerifies(m_fleet->Verifies());
    if (!m_fleet->Start(ports)) {
        m_fleet.reset();
        return;
    }
    m_model.started(ports);
    hold(true);
    render();
    // The question belonged to the main window: the keys come back here, where Escape means
    // something while the radios run.
    activateWindow();
    raise();
}

void FleetWindow::cancelRadio(std::size_t radio) {
    if (m_fleet && m_model.cancelEnabled(radio)) {
        m_fleet->Cancel(radio);
        m_model.cancelRequested(radio);
        render();
    }
}

void FleetWindow::cancelAll() {
    if (m_fleet && m_model.cancelAllEnabled()) {
        m_fleet->CancelAll();
        m_model.cancelAllRequested();
        render();
    }
}

void FleetWindow::retryFailed() {
    if (!m_fleet || !m_model.retryFailedEnabled()) {
        return;
    }
    // The last job has reported its end; it may still be letting its thread go.
    m_fleet->WaitFor(LAST_JOB_ENDING);
    const std::vector<std::size_t> radios = m_model.retrySet();
    if (m_fleet->Restart(radios)) {
        m_model.restarted(radios);
        hold(true);
        render();
    }
}

bool FleetWindow::running() const {
    return m_model.phase() == FleetPhase::Running;
}

void FleetWindow::onEvent(const std::function<void()>& change) {
    const bool wasRunning = running();
    change();
    if (wasRunning && m_model.phase() == FleetPhase::Finished) {
        finishRun();
        render();
        return;
    }
    scheduleRender();
}

// Every radio of the run has ended: the record gets one line for each, and the document is
// free again.
void FleetWindow::finishRun() {
    const std::string recordPath = FleetRecord::PathFor(m_dataFile);
    m_model.recorded(recordPath,
                     FleetRecord::Append(recordPath, m_dataFile, m_sha256, m_model.runResults()));
    hold(false);
}

void FleetWindow::hold(bool held) {
    m_hold.set(held);
}

void FleetWindow::act(FleetWindowAction action) {
    switch (action) {
    case FleetWindowAction::Start:
        start();
        break;
    case FleetWindowAction::CancelAll:
        cancelAll();
        break;
    case FleetWindowAction::Close:
        QDialog::reject();
        break;
    case FleetWindowAction::None:
        break;
    }
}

void FleetWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        act(m_model.enterAction());
        return;
    }
    QDialog::keyPressEvent(event); // Escape comes back through reject()
}

void FleetWindow::reject() {
    act(m_model.closeAction());
}

void FleetWindow::closeEvent(QCloseEvent* event) {
    const FleetWindowAction action = m_model.closeAction();
    if (action != FleetWindowAction::Close) {
        event->ignore();
        act(action);
        return;
    }
    QDialog::closeEvent(event);
}

void FleetWindow::scheduleRender() {
    if (m_renderPending) {
        return;
    }
    m_renderPending = true;
    QTimer::singleShot(RENDER_DELAY_MS, this, [this] { render(); });
}

void FleetWindow::render() {
    m_renderPending = false;
    const bool choosing = m_model.portsEditable();
    m_ports->setEnabled(choosing);
    m_simulatedCount->setEnabled(choosing);
    renderRows();
    m_summary->setText(qt(m_model.summary()));
    m_record->setText(qt(m_model.recordText()));
    m_openFolderButton->setEnabled(!m_model.recordPath().empty());
    m_start->setEnabled(m_model.startEnabled());
    m_cancelAll->setEnabled(m_model.cancelAllEnabled());
    m_retry->setEnabled(m_model.retryFailedEnabled());
}

void FleetWindow::renderRows() {
    const std::vector<FleetRow>& rows = m_model.rows();
    if (m_table->rowCount() != static_cast<int>(rows.size())) {
        m_table->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < m_table->rowCount(); ++r) {
            for (int column : {COLUMN_PORT, COLUMN_STATUS, COLUMN_SERIAL, COLUMN_RESULT}) {
                m_table->setItem(r, column, new QTableWidgetItem());
            }
            auto* bar = new QProgressBar(m_table);
            bar->setTextVisible(true);
            m_table->setCellWidget(r, COLUMN_PROGRESS, bar);
            QPushButton* cancel = button(text::FLEET_CANCEL, "cancelRadio", m_table);
            const auto radio = static_cast<std::size_t>(r);
            connect(cancel, &QPushButton::clicked, this, [this, radio] { cancelRadio(radio); });
            m_table->setCellWidget(r, COLUMN_CANCEL, cancel);
        }
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const FleetRow& row = rows[i];
        const int r = static_cast<int>(i);
        m_table->item(r, COLUMN_PORT)->setText(qt(row.port));
        m_table->item(r, COLUMN_STATUS)->setText(qt(row.status));
        m_table->item(r, COLUMN_STATUS)->setToolTip(qt(row.status));
        m_table->item(r, COLUMN_SERIAL)->setText(qt(row.serialNumber));
        m_table->item(r, COLUMN_RESULT)->setText(qt(row.result));
        m_table->item(r, COLUMN_RESULT)->setToolTip(qt(row.result));
        auto* bar = static_cast<QProgressBar*>(m_table->cellWidget(r, COLUMN_PROGRESS));
        bar->setRange(0, std::max(row.high, 1));
        bar->setValue(row.position);
        m_table->cellWidget(r, COLUMN_CANCEL)->setEnabled(m_model.cancelEnabled(i));
    }
}

} // namespace kq70
