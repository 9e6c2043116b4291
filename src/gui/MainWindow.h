#pragma once

#include "QtChannelChoosers.h"
#include "frame/CMainFrame.h"
#include "frame/CommonCommands.h"
#include "frame/CompareCommands.h"
#include "frame/DocumentCommands.h"
#include "frame/DocumentGate.h"
#include "frame/DocumentHold.h"
#include "frame/MainMenuModel.h"
#include "link/HKQ70CommunicationDialog.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QToolBar;

namespace kq70 {

class AccessMode;
class CKQ70Doc;
class ChannelViewWidget;
class ComparisonWindow;
class FleetWindow;
class HDialog;
class HelpWindow;
class IniFile;
class PrintCommands;
class RadioSession;
class UserPrompt;
struct AppSettings;

// The program's main window: it shows the frame's menu model, the toolbar, the status bar and
// an information strip, and hands every command to the core command it names. Document
// commands pass the frame's gate; what they change reaches the window through the document's
// announcements, never by hand.
class MainWindow : public QMainWindow, public FrameWindow {
public:
    MainWindow(CKQ70Doc& doc, AppSettings& settings, IniFile& settingsFile, AccessMode& accessMode,
               UserPrompt& prompt, std::string programFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The first document: the file named on the command line, else the start-up document;
    // then the changes a stop signal kept last time, when the user wants them.
    void startWith(const std::string& fileToOpen);

    // SIGINT, SIGTERM or SIGHUP (a session logout): a running radio job stops as after
    // Cancel, unsaved changes go to the recovery file, and the program's event loops end with
    // 128 + the signal. The first signal decides; later ones change nothing.
    void stopForSignal(int signal);
    // Once the stopped job has ended: what it left of the document is kept too.
    void keepUnsavedChanges();
    int stopSignal() const { return m_stopSignal; }

    void runCommand(int commandId);
    QAction* action(int commandId) const { return m_actions.value(commandId, nullptr); }
    DocumentCommands& documents() { return m_documents; }
    QString informationText() const;
    // The last comparison's result window while it is open.
    ComparisonWindow* comparisonWindow() const;
    // Brings the window to the front, as a second start of the program asks, and opens the
    // file that start was given, as a dropped file, once no dialog or radio job is open.
    void raiseFromOtherInstance(const std::string& file = {});
    // The radio jobs' port, prompt, progress and communication window.
    RadioSession& radio() { return *m_radio; }
    // The system's default printer, taken at start-up.
    void setPrinterName(const std::string& name);
    PrintCommands& printCommands() { return *m_print; }
    // Radio > Program Several Radios' window while it is open.
    FleetWindow* fleetWindow() const;
    // Held while the fleet window's radios run.
    const DocumentHold& documentHold() const { return m_hold; }

    ChannelViewWidget& channelView() { return *m_channelView; }

    // FrameWindow
    void menusChanged() override;
    void titleChanged() override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void rebuildMenus();
    void rebuildToolbar();
    void addRecentFiles(QMenu* menu);
    // The commands' enabled state, check marks and Undo/Redo texts.
    void refreshCommands();
    void dispatch(int id);
    // A document command through the gate; false when an open cell or the held document
    // refused it.
    bool runGated(const std::function<void()>& command, int commandId = DocumentGate::MAY_CHANGE);
    bool runPage(HDialog& page, std::string_view title);
    void showHelp(const QString& topic);
    void showAbout();
    void showRawEditor();
    void showConfigure();
    void notAvailable();
    void showPrinterName();
    void openNamedFile(const std::string& path);
    // A file a second start handed over: opened once no dialog or radio job has the window.
    void openHandedFile(const std::string& path);
    void runChannelAllocation();
    void writeFrameValues();
    void runTransfer(TransferDirection direction);
    void runAdjustmentRecover();
    void runRadioCompare();
    void showComparison(const std::optional<ComparisonResult>& result);
    void runAlignment();
    void runCsvImport();
    void showFleet();

    CKQ70Doc& m_doc;
    AppSettings& m_settings;
    IniFile& m_settingsFile;
    AccessMode& m_accessMode;
    UserPrompt& m_prompt;
    CMainFrame m_frame;
    QHash<int, QAction*> m_actions;
    QToolBar* m_toolbar = nullptr;
    QLabel* m_information = nullptr;
    ChannelViewWidget* m_channelView = nullptr; // made before the commands that commit it
    DocumentGate m_gate;
    DocumentHold m_hold;
    DocumentCommands m_documents;
    CommonCommands m_common;
    QtChannelChoosers m_choosers{this};
    QLabel* m_portStatus = nullptr;
    // The grid's key hint, which the status bar shows whenever no menu entry has a tip.
    QString m_statusHint;
    QPointer<HelpWindow> m_help;
    CompareCommands m_compare;
    QPointer<ComparisonWindow> m_comparison;
    QPointer<FleetWindow> m_fleet;
    bool m_printing = false;
    bool m_frameValuesWritten = false;
    int m_stopSignal = 0;
    RadioSession* m_radio = nullptr; // a child object
    std::unique_ptr<PrintCommands> m_print;
};

} // namespace kq70
