#include "MainWindow.h"

#include "AlignmentWindowRunner.h"
#include "ChannelAllocationWindow.h"
#include "ChannelViewWidget.h"
#include "ComparisonWindow.h"
#include "ConfigureDialog.h"
#include "CsvImportErrorWindow.h"
#include "DialogButtons.h"
#include "FleetWindow.h"
#include "HelpWindow.h"
#include "ParameterPageDialog.h"
#include "PrintCommands.h"
#include "QtText.h"
#include "RadioSession.h"
#include "RawImageDialog.h"
#include "VisibleItemsDialog.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "frame/AdjustmentRecoverCommand.h"
#include "frame/AdjustmentUnlock.h"
#include "frame/ConfigureChoices.h"
#include "frame/CsvImportCommand.h"
#include "frame/FrameLifecycle.h"
#include "frame/RadioCommands.h"
#include "frame/SessionRecovery.h"
#include "image/RadioImage.h"
#include "log/HLogPrint.h"
#include "log/HVersionInfo.h"
#include "pages/HDialog.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace kq70 {

namespace {

// "&Save\tCtrl+S": the menu text and its accelerator.
std::pair<QString, QString> splitMenuText(std::string_view text) {
    const QString whole = qt(text);
    const auto tab = whole.indexOf(QLatin1Char('\t'));
    return tab < 0 ? std::pair{whole, QString()} : std::pair{whole.left(tab), whole.mid(tab + 1)};
}

struct ActionSpec {
    int id;
    std::string_view text;
    const char* icon;
};

// Room in the About window's title bar for its icon and buttons.
constexpr int ABOUT_TITLE_MARGIN = 140;

} // namespace

MainWindow::MainWindow(CKQ70Doc& doc, AppSettings& settings, IniFile& settingsFile,
                       AccessMode& accessMode, UserPrompt& prompt, std::string programFolder,
                       QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_settings(settings), m_settingsFile(settingsFile),
      m_accessMode(accessMode), m_prompt(prompt), m_frame(doc, accessMode, *this),
      m_channelView(new ChannelViewWidget(doc, prompt, accessMode, settings, this)),
      m_gate(doc, m_channelView->binding()), m_hold(prompt),
      m_documents(doc, prompt, std::move(programFolder), settings, settingsFile, BuildDefaultImage,
                  m_channelView->binding()),
      m_common(doc, accessMode, prompt, m_channelView->binding()),
      m_compare(doc, accessMode, prompt, m_channelView->binding()) {
    setObjectName(QStringLiteral("MainWindow"));
    setAcceptDrops(true);
    m_gate.setHold(&m_hold);
    m_channelView->binding().setHold(&m_hold);
    m_radio = new RadioSession(*this, m_settings, m_prompt);
    m_print = std::make_unique<PrintCommands>(doc, accessMode, prompt, m_channelView->binding(),
                                              m_printing, this);
    createActions();

    m_information = new QLabel(this);
    m_information->setObjectName(QStringLiteral("information"));
    m_information->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_information->setTextFormat(Qt::PlainText);
    m_information->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_information->setFrameShape(QFrame::StyledPanel);
    m_information->setMargin(4);
    m_channelView->setChoosers(&m_choosers);
    m_channelView->setChangedHandler([this] { refreshCommands(); });
    m_channelView->setStatusHandler([this](const QString& text) {
        m_statusHint = text;
        statusBar()->showMessage(text);
    });
    m_channelView->setHelpHandler(
        [this](int topic) { showHelp(qt(CKQ70View::helpSection(topic))); });
    m_channelView->setFrameRequestHandler([this](CKQ70View::FrameRequest request) {
        if (request == CKQ70View::FrameRequest::RawImageEditor) {
            runCommand(ID_RAW_EDITOR);
        } else if (request == CKQ70View::FrameRequest::AdjustmentUnlock) {
            // The mode's listeners (the frame, the menus) follow; the commands read it.
            AdjustmentUnlock::Run(m_accessMode, m_prompt);
        }
    });
    auto* centre = new QWidget(this);
    auto* centreLayout = new QVBoxLayout(centre);
    centreLayout->addWidget(m_information);
    centreLayout->addWidget(m_channelView, 1);
    setCentralWidget(centre);

    m_portStatus = new QLabel(this);
    statusBar()->addPermanentWidget(m_portStatus);
    statusBar()->showMessage(qt(text::STATUS_READY));

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    const FrameLifecycle::Size size =
        FrameLifecycle::InitialSize(m_settings, {available.width(), available.height()});
    setMinimumSize(AppSettings::MIN_CX / 2, AppSettings::MIN_CY / 2);
    resize(size.width, size.height);
    if (screen != nullptr) {
        move(available.center() - rect().center());
    }
    rebuildMenus();
    rebuildToolbar();
    titleChanged();
}

MainWindow::~MainWindow() {
    writeFrameValues();
}

void MainWindow::createActions() {
    const ActionSpec specs[] = {
        {ID_FILE_NEW, text::MENU_FILE_NEW, "new"},
        {ID_FILE_OPEN, text::MENU_FILE_OPEN, "open"},
        {ID_FILE_SAVE, text::MENU_FILE_SAVE, "save"},
        {ID_EDIT_COPY, text::MENU_EDIT_COPY, "copy"},
        {ID_EDIT_PASTE, text::MENU_EDIT_PASTE, "paste"},
        {ID_FILE_PRINT, text::MENU_FILE_PRINT, "print"},
        {ID_TOOLBAR_UPLOAD, text::MENU_RADIO_UPLOAD, "upload"},
        {ID_TOOLBAR_DOWNLOAD, text::MENU_RADIO_DOWNLOAD, "download"},
        {ID_HELP, text::MENU_HELP_CONTENTS, "help"},
    };
    for (const ActionSpec& spec : specs) {
        const auto [label, shortcut] = splitMenuText(spec.text);
        auto* act = new QAction(
            QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(spec.icon))), label, this);
        act->setObjectName(QStringLiteral("toolbar%1").arg(spec.id));
        QString tip = label;
        tip.remove(QLatin1Char('&'));
        act->setToolTip(shortcut.isEmpty() ? tip : QStringLiteral("%1 (%2)").arg(tip, shortcut));
        if (spec.id == ID_HELP) {
            act->setShortcut(QKeySequence::HelpContents);
            act->setShortcutContext(Qt::WindowShortcut);
            addAction(act);
        }
        m_actions.insert(spec.id == ID_TOOLBAR_UPLOAD || spec.id == ID_TOOLBAR_DOWNLOAD ||
                                 spec.id == ID_HELP
                             ? spec.id
                             : -spec.id,
                         act);
        const int id = spec.id;
        connect(act, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
    // Shift+F9: the service dump of the image.
    auto* raw = new QAction(this);
    raw->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F9));
    raw->setShortcutContext(Qt::WindowShortcut);
    connect(raw, &QAction::triggered, this, [this] { runCommand(ID_RAW_EDITOR); });
    addAction(raw);
    m_actions.insert(ID_RAW_EDITOR, raw);
    // F10 opens the first menu, as the status bar says; the arrows go on from there.
    auto* menus = new QAction(this);
    menus->setObjectName(QStringLiteral("openMenus"));
    menus->setShortcut(QKeySequence(Qt::Key_F10));
    menus->setShortcutContext(Qt::WindowShortcut);
    connect(menus, &QAction::triggered, this, [this] {
        const QList<QAction*> menuActions = menuBar()->actions();
        if (!menuActions.isEmpty()) {
            menuBar()->setActiveAction(menuActions.first());
        }
    });
    addAction(menus);
}

void MainWindow::rebuildMenus() {
    const QList<QMenu*> oldMenus =
        menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
    menuBar()->clear();
    for (QMenu* menu : oldMenus) {
        menu->deleteLater();
    }
    // Menu actions are made afresh: a command the model no longer offers keeps no shortcut.
    for (auto it = m_actions.begin(); it != m_actions.end();) {
        if (it.key() > 0 && it.key() != ID_RAW_EDITOR && it.key() != ID_TOOLBAR_UPLOAD &&
            it.key() != ID_TOOLBAR_DOWNLOAD && it.key() != ID_HELP) {
            // Its keys go at once: until the deferred delete, the old and the new entry would
            // share them, and a shared key runs neither (Ctrl+Z held down, undoing).
            it.value()->setShortcuts({});
            it.value()->deleteLater();
            it = m_actions.erase(it);
        } else {
            ++it;
        }
    }
    std::function<void(QMenu*, const std::vector<MenuEntry>&)> fill =
        [&](QMenu* menu, const std::vector<MenuEntry>& entries) {
            for (const MenuEntry& entry : entries) {
                if (!entry.popup.empty()) {
                    fill(menu->addMenu(splitMenuText(entry.text).first), entry.popup);
                } else if (entry.commandId == ID_SEPARATOR) {
                    menu->addSeparator();
                } else if (entry.commandId == ID_FILE_MRU_FILE1) {
                    addRecentFiles(menu);
                } else {
                    const auto [label, shortcut] = splitMenuText(entry.text);
                    QAction* act = menu->addAction(label);
                    act->setObjectName(QStringLiteral("command%1").arg(entry.commandId));
                    QList<QKeySequence> keys;
                    if (!shortcut.isEmpty()) {
                        keys.append(QKeySequence(shortcut));
                    }
                    for (std::string_view extra :
                         MainMenuModel::ExtraAccelerators(entry.commandId)) {
                        keys.append(QKeySequence(qt(extra)));
                    }
                    act->setShortcuts(keys);
                    const int id = entry.commandId;
                    const bool isItem = id >= ID_VIEW_ITEM_FIRST && id <= ID_VIEW_ITEM_LAST;
                    if (isItem || id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR) {
                        act->setCheckable(true);
                    }
                    connect(act, &QAction::triggered, this, [this, id] { runCommand(id); });
                    m_actions.insert(id, act);
                }
            }
        };
    for (const Menu& menu : m_frame.menus().GetMenus()) {
        fill(menuBar()->addMenu(qt(menu.title)), menu.entries);
    }
}

void MainWindow::addRecentFiles(QMenu* menu) {
    if (m_settings.recentFiles.empty()) {
        QAction* none = menu->addAction(qt(text::MENU_FILE_RECENT));
        none->setEnabled(false);
        return;
    }
    int n = 1;
    for (const std::string& path : m_settings.recentFiles) {
        QAction* act =
            menu->addAction(QStringLiteral("&%1 %2").arg(n).arg(QString::fromStdString(path)));
        act->setObjectName(QStringLiteral("recent%1").arg(n));
        connect(act, &QAction::triggered, this, [this, path] { openNamedFile(path); });
        ++n;
    }
}

void MainWindow::rebuildToolbar() {
    if (m_toolbar == nullptr) {
        m_toolbar = addToolBar(qt(text::TOOLBAR_TITLE));
        m_toolbar->setObjectName(QStringLiteral("toolbar"));
        m_toolbar->setMovable(true);
    }
    m_toolbar->clear();
    for (int id : MainMenuModel::ToolbarCommands()) {
        if (id == ID_SEPARATOR) {
            m_toolbar->addSeparator();
            continue;
        }
        const bool own = id == ID_TOOLBAR_UPLOAD || id == ID_TOOLBAR_DOWNLOAD || id == ID_HELP;
        if (QAction* act = m_actions.value(own ? id : -id)) {
            m_toolbar->addAction(act);
        }
    }
}

void MainWindow::menusChanged() {
    rebuildMenus();
    refreshCommands();
}

void MainWindow::titleChanged() {
    setWindowTitle(QStringLiteral("%1[*] - %2")
                       .arg(QString::fromStdString(m_frame.documentName()),
                            QString::fromStdString(m_frame.modeTitle())));
    setWindowModified(m_frame.modified());
    QStringList lines;
    for (const std::string& line : FrameLifecycle::InformationLines(m_doc, m_settings)) {
        lines.append(QString::fromStdString(line));
    }
    m_information->setText(lines.join(QLatin1Char('\n')));
    m_portStatus->setText(QString::fromStdString(FrameLifecycle::PortStatus(m_settings)));
    refreshCommands();
}

void MainWindow::refreshCommands() {
    const MainMenuModel& menus = m_frame.menus();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int id = it.key() < 0 ? -it.key() : it.key();
        it.value()->setEnabled(menus.IsEnabled(id));
        if (id == ID_EDIT_UNDO || id == ID_EDIT_REDO) {
            it.value()->setText(splitMenuText(menus.CommandText(id)).first);
        }
        if (id >= ID_VIEW_ITEM_FIRST && id <= ID_VIEW_ITEM_LAST) {
            const int item = id - ID_VIEW_ITEM_FIRST;
            it.value()->setChecked(m_channelView->view().ItemChecked(item));
            it.value()->setEnabled(menus.IsEnabled(id) &&
                                   m_channelView->view().ItemCommandEnabled(item));
        }
    }
    if (QAction* act = m_actions.value(ID_VIEW_TOOLBAR)) {
        act->setChecked(m_toolbar == nullptr || !m_toolbar->isHidden());
    }
    if (QAction* act = m_actions.value(ID_VIEW_STATUS_BAR)) {
        act->setChecked(!statusBar()->isHidden());
    }
}

QString MainWindow::informationText() const {
    return m_information->text();
}

void MainWindow::startWith(const std::string& fileToOpen) {
    runGated([this, &fileToOpen] { m_documents.StartWith(fileToOpen, m_settings.endLcdType); });
    const SessionRecovery recovery(m_documents.GetProgramFolder());
    if (recovery.offer(m_prompt)) {
        runGated([this, &recovery] {
            if (m_documents.SaveModifiedData()) {
                recovery.restore(m_doc, m_prompt);
            }
        });
    }
}

void MainWindow::stopForSignal(int signal) {
    if (m_stopSignal != 0) {
        return;
    }
    m_stopSignal = signal;
    KQ70_LOG(LOG_D1, 0, "stop signal %d", signal);
    m_radio->endSession();
    // A running job may still change the document: it is kept once the job has ended.
    if (!m_radio->busy()) {
        keepUnsavedChanges();
    }
    QApplication::exit(128 + signal);
}

void MainWindow::keepUnsavedChanges() {
    if (m_stopSignal != 0) {
        SessionRecovery(m_documents.GetProgramFolder()).keep(m_doc, m_channelView->binding());
    }
}

bool MainWindow::runGated(const std::function<void()>& command, int commandId) {
    const std::vector<std::string> recentFiles = m_settings.recentFiles;
    const bool ran = m_gate.run(command, commandId);
    // The recent-file list is the settings', not the document's: the menu shows it again.
    if (m_settings.recentFiles != recentFiles) {
        rebuildMenus();
    }
    refreshCommands();
    return ran;
}

void MainWindow::runCommand(int commandId) {
    if (!m_frame.menus().IsEnabled(commandId)) {
        return;
    }
    const int id = MainMenuModel::CanonicalCommand(commandId);
    if (DocumentGate::gated(id)) {
        runGated([this, id] { dispatch(id); }, id);
    } else {
        dispatch(id);
        refreshCommands();
    }
}

void MainWindow::dispatch(int id) {
    switch (id) {
    case ID_FILE_NEW:
        m_documents.OnFileNew();
        break;
    case ID_FILE_OPEN:
        m_documents.OnFileOpen();
        break;
    case ID_FILE_SAVE:
        m_documents.OnFileSave();
        break;
    case ID_FILE_SAVE_AS:
        m_documents.OnFileSaveAs();
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_FILE_CONFIGURE:
        showConfigure();
        break;
    case ID_VIEW_TOOLBAR:
        m_toolbar->setVisible(m_toolbar->isHidden());
        break;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        break;
    case ID_HELP_TOPICS:
    case ID_HELP:
        showHelp(QStringLiteral("index"));
        break;
    case ID_HELP_GET_STARTED:
        showHelp(QStringLiteral("getting-started"));
        break;
    case ID_HELP_COMMON_PROBLEMS:
        showHelp(QStringLiteral("problems"));
        break;
    case ID_APP_ABOUT:
        showAbout();
        break;
    case ID_RAW_EDITOR:
        showRawEditor();
        break;
    case ID_VIEW_ITEM_VISIBLE: {
        VisibleItemsDialog visible(m_channelView->view(), this);
        visible.exec();
        break;
    }
    case ID_CHANNEL_ALLOCATIONS:
        runChannelAllocation();
        break;
    case ID_EDIT_COPY:
        if (m_channelView->gridHasFocus()) {
            m_channelView->copyToClipboard();
        }
        break;
    case ID_EDIT_PASTE:
        if (m_channelView->gridHasFocus()) {
            m_channelView->pasteFromClipboard();
        }
        break;
    case ID_RADIO_UPLOAD:
        runTransfer(TRANSFER_UPLOAD);
        break;
    case ID_RADIO_DOWNLOAD:
        runTransfer(TRANSFER_DOWNLOAD);
        break;
    case ID_RADIO_ADJ_RECOVER:
        runAdjustmentRecover();
        break;
    case ID_EDIT_UNDO:
        m_channelView->binding().editSteps().OnEditUndo();
        break;
    case ID_EDIT_REDO:
        m_channelView->binding().editSteps().OnEditRedo();
        break;
    case ID_FILE_COMPARE:
        showComparison(m_compare.OnFileCompare());
        break;
    case ID_RADIO_COMPARE:
        runRadioCompare();
        break;
    case ID_RADIO_ALIGNMENT:
        runAlignment();
        break;
    case ID_RADIO_FLEET:
        showFleet();
        break;
    case ID_FILE_PRINT:
        m_print->OnFilePrint();
        break;
    case ID_FILE_PRINT_PREVIEW:
        m_print->OnFilePrintPreview();
        break;
    case ID_FILE_PRINT_SETUP:
        m_print->OnFilePrintSetup();
        showPrinterName();
        break;
    case ID_FILE_EXPORT_PDF:
        m_print->OnFileExportPdf();
        break;
    case ID_FILE_EXPORT_CSV:
        m_print->OnFileExportCsv();
        break;
    case ID_FILE_IMPORT_CSV:
        runCsvImport();
        break;
    default:
        if (id >= ID_VIEW_ITEM_FIRST && id <= ID_VIEW_ITEM_LAST) {
            m_channelView->view().ToggleItem(id - ID_VIEW_ITEM_FIRST);
        } else if (!CommonCommands::PageTitle(id).empty()) {
            m_common.OnMenuCommon(
                id, [this](HDialog& page, std::string_view title) { return runPage(page, title); });
        } else {
            notAvailable();
        }
        break;
    }
}

// A recent file or a dropped one: File > Open's checks and question, through the gate.
void MainWindow::openNamedFile(const std::string& path) {
    runGated([this, &path] { m_documents.OnOpenNamedFile(path); });
}

bool MainWindow::runPage(HDialog& page, std::string_view title) {
    ParameterPageDialog dialog(page, qt(title), this,
                               [this](const QString& topic) { showHelp(topic); });
    return dialog.exec() == QDialog::Accepted;
}

// Radio > Upload and Download: the job runs behind its communication window on a worker
// thread while the main window takes no input.
void MainWindow::runTransfer(TransferDirection direction) {
    RadioCommands commands(m_doc, m_settings, m_accessMode, m_documents.GetProgramFolder(),
                           m_radio->prompt(), m_channelView->binding(), m_radio->link(),
                           [this] { return m_documents.SaveModifiedData(); });
    commands.SetJobExecutor(m_radio->executor(
        qt(direction == TRANSFER_UPLOAD ? text::UPLOAD_TITLE : text::DOWNLOAD_TITLE)));
    commands.SetCancelFlag(&m_radio->cancelFlag());
    if (direction == TRANSFER_UPLOAD) {
        commands.OnRadioUpload();
    } else {
        commands.OnRadioDownload();
    }
}

// Radio > Compare With Radio: the radio is read behind its communication window into a
// scratch image; the document stays as it is.
void MainWindow::runRadioCompare() {
    RadioCommands commands(m_doc, m_settings, m_accessMode, m_documents.GetProgramFolder(),
                           m_radio->prompt(), m_channelView->binding(), m_radio->link(), nullptr);
    commands.SetJobExecutor(m_radio->executor(qt(text::UPLOAD_TITLE)));
    commands.SetCancelFlag(&m_radio->cancelFlag());
    showComparison(m_compare.OnRadioCompare(commands));
}

// Radio > Adjustment Recover: its read and write jobs each run in a communication window;
// the document is not touched.
void MainWindow::runAdjustmentRecover() {
    AdjustmentRecoverCommand command(m_settings, m_accessMode, m_documents.GetProgramFolder(),
                                     m_radio->prompt(), m_channelView->binding(), m_radio->link());
    command.SetJobExecutor(m_radio->executor(qt(text::UPLOAD_TITLE)));
    command.SetCancelFlag(&m_radio->cancelFlag());
    command.OnRadioAdjustmentRecover();
}

// Radio > Alignment: job 2 in a communication window, the alignment window, then the
// write-back in another communication window; the document is not touched. Cancel during job
// 2 or the radio's restart stops the pass, which then writes the radio's former data back.
void MainWindow::runAlignment() {
    RadioCommands commands(m_doc, m_settings, m_accessMode, m_documents.GetProgramFolder(),
                           m_radio->prompt(), m_channelView->binding(), m_radio->link(),
                           [this] { return m_documents.SaveModifiedData(); });
    // The communication windows of the pass have their own title, not the alignment window's.
    const QString title = qt(text::ALIGNMENT_TRANSFER_TITLE);
    commands.SetJobExecutor(m_radio->executor(title));
    // The write-back always runs to its end: its window offers no Cancel.
    commands.SetWriteBackExecutor(m_radio->executor(title, false));
    commands.SetCancelFlag(&m_radio->cancelFlag());
    commands.OnRadioAlignment(alignmentWindowRunner(this));
}

// File > Import from CSV: the grid's undo step, or the window listing why nothing changed.
void MainWindow::runCsvImport() {
    CsvImportCommand command(m_doc, m_accessMode, m_prompt, m_channelView->binding());
    command.OnFileImportCsv([this](const CsvImportErrorList& errors) {
        CsvImportErrorWindow window(errors, this);
        window.exec();
    });
}

bool MainWindow::event(QEvent* event) {
    // Leaving a menu sends an empty tip, which would clear the key hint until the next refresh.
    if (event->type() == QEvent::StatusTip && !m_statusHint.isEmpty() &&
        static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        statusBar()->showMessage(m_statusHint);
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::notAvailable() {
    m_prompt.message(text::NOT_AVAILABLE_YET, MessageIcon::Information);
}

void MainWindow::showHelp(const QString& topic) {
    if (m_help.isNull()) {
        m_help = new HelpWindow(this);
    }
    // Asked for from a page or a dialog: shown over it, usable while it is open.
    m_help->showTopicOver(topic, QApplication::activeModalWidget());
}

void MainWindow::showAbout() {
    QDialog about(this);
    about.setWindowTitle(qt(text::ABOUT_DIALOG_TITLE));
    auto* layout = new QVBoxLayout(&about);
    auto* version =
        new QLabel(QString::fromStdString(substitute1(Strings::get(IDS_VERSION_FORMAT),
                                                      Strings::get(IDS_VERSION_NUMBER))),
                   &about);
    version->setObjectName(QStringLiteral("aboutVersion"));
    QFont big(QStringLiteral("Courier New"));
    big.setStyleHint(QFont::TypeWriter);
    big.setPointSize(24);
    version->setFont(big);
    layout->addWidget(version);
    auto* build =
        new QLabel(qt(text::ABOUT_BUILD)
                       .arg(QString::fromStdString(HVersionInfo::FromBuild().GetFileVersion())),
                   &about);
    build->setObjectName(QStringLiteral("aboutBuild"));
    // Courier New where the system has it, else its own fixed font.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({QStringLiteral("Courier New"), fixed.family()});
    fixed.setPointSize(10);
    build->setFont(fixed);
    layout->addWidget(build);
    // Wide enough for the whole title beside the window manager's buttons.
    QFont titleFont = about.font();
    titleFont.setBold(true);
    about.setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(about.windowTitle()) +
                          ABOUT_TITLE_MARGIN);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    nameDialogButtons(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addWidget(buttons);
    about.exec();
}

void MainWindow::showRawEditor() {
    m_channelView->binding().runImageStep(std::string(text::STEP_RAW_EDITOR), [this] {
        RawImageDialog dialog(m_doc, m_accessMode.value(), this);
        return dialog.exec() == QDialog::Accepted;
    });
}

ComparisonWindow* MainWindow::comparisonWindow() const {
    return m_comparison.data();
}

void MainWindow::showComparison(const std::optional<ComparisonResult>& result) {
    if (!result) {
        return;
    }
    if (!m_comparison.isNull()) {
        m_comparison->close();
    }
    m_comparison = new ComparisonWindow(*result, this);
    m_comparison->setAttribute(Qt::WA_DeleteOnClose);
    m_comparison->show();
}

void MainWindow::showConfigure() {
    ConfigureDialog dialog(m_settings, this);
    if (dialog.exec() == QDialog::Accepted) {
        // A failed write is logged; this run follows the choice all the same.
        ConfigureChoices::StoreVerify(m_settings, m_settingsFile, dialog.verifyChecked());
        // The port is no part of the document: the strips name it again.
        m_channelView->refreshStrip();
        titleChanged();
    }
}

void MainWindow::runChannelAllocation() {
    m_channelView->runChannelAllocation([this](HChannelAllocationDialog& page) {
        return runChannelAllocationWindow(page, this,
                                          [this](const QString& topic) { showHelp(topic); });
    });
}

void MainWindow::raiseFromOtherInstance(const std::string& file) {
    if (isMinimized()) {
        showNormal();
    }
    show();
    raise();
    activateWindow();
    if (!file.empty()) {
        openHandedFile(file);
    }
}

void MainWindow::openHandedFile(const std::string& path) {
    // A question, a page or a radio job has the window: the file waits until it is done.
    if (m_radio->busy() || m_printing || QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(250, this, [this, path] { openHandedFile(path); });
        return;
    }
    openNamedFile(path);
}

void MainWindow::setPrinterName(const std::string& name) {
    m_print->SetPrinterName(name);
    showPrinterName();
}

void MainWindow::showPrinterName() {
    m_channelView->view().SetPrinterName(m_print->GetPrinterName());
    m_channelView->refreshStrip();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A radio job still works on the document and the port.
    if (m_radio->busy()) {
        event->ignore();
        return;
    }
    bool canClose = false;
    runGated([this, &canClose] {
        canClose = FrameLifecycle::CanClose(m_printing, m_prompt,
                                            [this] { return m_documents.SaveModifiedData(); });
    });
    if (!canClose) {
        event->ignore();
        return;
    }
    writeFrameValues();
    event->accept();
}

void MainWindow::writeFrameValues() {
    if (m_frameValuesWritten) {
        return;
    }
    m_frameValuesWritten = true;
    FrameLifecycle::OnDestroy(m_settings, m_settingsFile, m_doc, {width(), height()});
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().size() == 1 &&
        event->mimeData()->urls().first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = event->mimeData()->urls().first().toLocalFile();
    event->acceptProposedAction();
    openNamedFile(path.toStdString());
}

FleetWindow* MainWindow::fleetWindow() const {
    return m_fleet.data();
}

// Radio > Program Several Radios: one window, beside the main window, which stays open for
// reading; the document is held while the window's radios run.
void MainWindow::showFleet() {
    if (const std::optional<std::string> problem = FleetWindowModel::documentProblem(m_doc)) {
        m_prompt.message(*problem, MessageIcon::Exclamation);
        return;
    }
    if (!m_fleet) {
        m_fleet = new FleetWindow(m_doc, m_hold, m_settings, m_accessMode,
                                  m_documents.GetProgramFolder(), m_prompt, this);
        m_fleet->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_fleet->show();
    m_fleet->raise();
    m_fleet->activateWindow();
}

} // namespace kq70
