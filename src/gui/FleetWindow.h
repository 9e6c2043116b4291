#pragma once

#include "WorkerUserPrompt.h"
#include "frame/FleetWindowModel.h"
#include "platform/SystemClock.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kq70 {

class AccessMode;
class CKQ70Doc;
class DocumentHold;
class FleetDownload;
class SimulatedRadioLine;
struct AppSettings;
struct InProcessRadio;

// Radio > Program Several Radios: choose the ports (and simulated radios for training), Start,
// and watch one row per radio. It renders a FleetWindowModel and forwards the buttons and keys
// to it and to the FleetDownload; the radios' events come from their threads and reach the
// model on this window's thread. While radios run the document is held, so nothing in the
// main window can change it, and closing the window cancels them safely instead.
class FleetWindow : public QDialog {
public:
    // `hold` is the main window's: set while radios run.
    FleetWindow(CKQ70Doc& doc, DocumentHold& hold, const AppSettings& settings,
                const AccessMode& accessMode, std::string programFolder, UserPrompt& guiPrompt,
                QWidget* parent);
    ~FleetWindow() override;

    const FleetWindowModel& model() const { return m_model; }
    void setChecked(std::size_t port, bool checked);
    void setSimulatedRadios(int count);
    // Each simulated radio as it is made (its number from 1), e.g. to give it a fault.
    void setSimulatedRadioHook(std::function<void(int, InProcessRadio&)> hook) {
        m_simulatedHook = std::move(hook);
    }
    // Simulated radios take their time on the wire (the default) or none.
    void setPaced(bool paced) { m_paced = paced; }
    // What Open Folder does with the record's folder (the desktop's file manager by default).
    void setFolderOpener(std::function<void(const QString&)> opener) {
        m_openFolder = std::move(opener);
    }

    void start();
    void cancelRadio(std::size_t radio);
    void cancelAll();
    void retryFailed();
    bool running() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    class Events;

    void buildWidgets();
    void render();
    void renderRows();
    void scheduleRender();
    void onEvent(const std::function<void()>& change);
    void finishRun();
    void act(FleetWindowAction action);
    void hold(bool held);
    std::unique_ptr<FleetDownload> makeFleet();

    CKQ70Doc& m_doc;
    DocumentHold& m_hold;
    const AppSettings& m_settings;
    const AccessMode& m_accessMode;
    std::string m_programFolder;
    WorkerUserPrompt m_prompt;
    FleetWindowModel m_model;
    std::unique_ptr<Events> m_events;
    std::unique_ptr<FleetDownload> m_fleet;
    std::string m_dataFile;
    std::string m_sha256;
    SystemClock m_wallClock; // the simulated radios' pace; outlives them
    std::map<int, std::shared_ptr<SimulatedRadioLine>> m_simulated;
    std::function<void(int, InProcessRadio&)> m_simulatedHook;
    std::function<void(const QString&)> m_openFolder;
    bool m_paced = true;
    bool m_renderPending = false;

    QListWidget* m_ports = nullptr;
    QSpinBox* m_simulatedCount = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_record = nullptr;
    QPushButton* m_openFolderButton = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_cancelAll = nullptr;
    QPushButton* m_retry = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace kq70
