#include "CommunicationWindow.h"
#include "ChannelViewWidget.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "InProcessRadio.h"
#include "RadioSession.h"
#include "SimulatorSeed.h"
#include "app/AppSettings.h"
#include "channel/ChannelCellTexts.h"
#include "frame/MainMenuModel.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"
#include "params/HProgrammingPasswordParams.h"
#include "service/AdjustmentChecks.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <optional>

namespace kq70 {

namespace {

constexpr std::uint8_t MARKER_WORD = 0xB8;

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Answers every message box a radio command shows, Yes where offered and OK otherwise, and
// types `password` into the password entry; keeps what the boxes said. `duringJob` is called
// every few milliseconds while a communication window is open.
class Answerer : public QObject {
public:
    explicit Answerer(RadioSession& session) : m_session(session) {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(5);
    }

    QStringList texts;
    std::optional<QString> password;
    int passwordDialogs = 0;
    bool passwordOnWindowThread = true;
    std::function<void(CommunicationWindow&)> duringJob;

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            texts.append(box->text());
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
        } else if (auto* entry = qobject_cast<QInputDialog*>(modal)) {
            ++passwordDialogs;
            passwordOnWindowThread =
                entry->thread() == qApp->thread() && QThread::currentThread() == qApp->thread();
            if (password) {
                entry->setTextValue(*password);
                entry->accept();
            } else {
                entry->reject();
            }
        } else if (CommunicationWindow* window = m_session.currentWindow(); window && duringJob) {
            duringJob(*window);
        }
    }

    RadioSession& m_session;
    QTimer m_timer;
};

// Counts the key presses that reach a widget.
class KeyCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            ++presses;
        }
        return QObject::eventFilter(watched, event);
    }
};

// A main window whose port is the radio simulated inside the program.
struct RadioFrame : Frame {
    explicit RadioFrame(bool paced = false, int accessMode = ACCESS_NORMAL) : Frame(accessMode) {
        settings.portName = std::string(SIMULATED_PORT_NAME);
        window.radio().port().setPaced(paced);
        window.startWith({});
    }
    RadioSimulator& sim() { return window.radio().port().simulatedRadio().radio; }
    bool portOpen() { return window.radio().port().simulatedRadio().link.isOpen(); }
    // Radio > Upload (or Download) through the menu, with every question answered.
    QStringList run(int command, Answerer& answerer) {
        window.runCommand(command);
        return answerer.texts;
    }
    void setPaced(bool paced) { window.radio().port().setPaced(paced); }
};

std::span<const std::uint8_t> channelTable(const RadioImage& image) {
    return image.range(CHANNEL_TABLE_OFFSET, CHANNEL_RECORD_SIZE * 16);
}

bool sameChannels(const RadioImage& a, const RadioImage& b) {
    return std::ranges::equal(channelTable(a), channelTable(b));
}

// An edit no other image has: channel 1's record also in channel 0's place. Returns it.
std::vector<std::uint8_t> copySecondChannelToFirst(RadioImage& image) {
    const auto second =
        image.range(CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE, CHANNEL_RECORD_SIZE);
    const std::vector<std::uint8_t> record(second.begin(), second.end());
    std::ranges::copy(record, image.range(CHANNEL_TABLE_OFFSET, CHANNEL_RECORD_SIZE).begin());
    return record;
}

} // namespace
} // namespace kq70

using namespace kq70;

class CommunicationWindowTest : public QObject {
    Q_OBJECT

private slots:
    void uploadFillsTheDocumentAndLeavesItUntitled() {
        RadioFrame frame;
        copySecondChannelToFirst(frame.sim().memory());
        const RadioImage before = frame.doc.GetMainMemory();
        QVERIFY(!sameChannels(before, frame.sim().memory())); // the upload must show
        Answerer answerer(frame.window.radio());

        const QStringList texts = frame.run(ID_RADIO_UPLOAD, answerer);

        QCOMPARE(texts, QStringList{qt(text::UPLOAD_COMPLETE)});
        QVERIFY(sameChannels(frame.doc.GetMainMemory(), frame.sim().memory()));
        QCOMPARE(frame.doc.currentFilePath(), std::string(NO_FILE_MARKER));
        QVERIFY(frame.window.windowTitle().startsWith(QStringLiteral("<none>")));
        QVERIFY(frame.doc.dataModified());
        QVERIFY(!frame.portOpen());
        QVERIFY(frame.window.radio().currentWindow() == nullptr);
        QVERIFY(frame.window.menuBar()->isEnabled());
    }

    // Any other port name is a serial device; one that is not there fails the upload.
    void aSerialPortThatIsNotThereFailsTheUpload() {
        RadioFrame frame;
        frame.settings.portName = frame.file("no-such-port");
        const RadioImage before = frame.doc.GetMainMemory();
        Answerer answerer(frame.window.radio());

        const QStringList texts = frame.run(ID_RADIO_UPLOAD, answerer);

        QCOMPARE(texts, QStringList{qt(text::PORT_OPEN_ERROR)});
        QVERIFY(frame.doc.GetMainMemory() == before);
        QVERIFY(frame.window.menuBar()->isEnabled());
    }

    void downloadWritesTheDocumentIntoTheRadio() {
        RadioFrame frame;
        Answerer answerer(frame.window.radio());
        frame.run(ID_RADIO_UPLOAD, answerer);
        RadioImage& image = frame.doc.GetMainMemory();
        const std::vector<std::uint8_t> record = copySecondChannelToFirst(image);
        frame.window.channelView().reload(); // the grid shows the edit, so its commit keeps it
        QVERIFY(!sameChannels(image, frame.sim().memory()));
        answerer.texts.clear();

        const QStringList texts = frame.run(ID_RADIO_DOWNLOAD, answerer);

        QCOMPARE(texts.first(), qt(text::START_DOWNLOADING));
        QCOMPARE(texts.last(), qt(text::DOWNLOAD_COMPLETE));
        QVERIFY(sameChannels(frame.sim().memory(), frame.doc.GetMainMemory()));
        QVERIFY(std::ranges::equal(
            frame.sim().memory().range(CHANNEL_TABLE_OFFSET, CHANNEL_RECORD_SIZE), record));
        QVERIFY(!frame.portOpen());
    }

    void aBandMismatchLeavesTheRadioAlone() {
        RadioFrame frame;
        Answerer answerer(frame.window.radio());
        frame.run(ID_RADIO_UPLOAD, answerer);
        HHardwareParams hardware;
        hardware.extract(frame.doc.GetMainMemory());
        hardware.set(HW_FREQUENCY_BAND, hardware.get(HW_FREQUENCY_BAND) == 1 ? 2 : 1);
        hardware.store(frame.doc.GetMainMemory());
        const RadioImage radioBefore = frame.sim().memory();
        answerer.texts.clear();

        const QStringList texts = frame.run(ID_RADIO_DOWNLOAD, answerer);

        QVERIFY(texts.contains(qt(Strings::get(IDS_FREQUENCY_BAND_MISMATCHED))));
        QVERIFY(!texts.contains(qt(text::DOWNLOAD_COMPLETE)));
        QVERIFY(frame.sim().memory() == radioBefore);
        QVERIFY(!frame.portOpen());
    }

    // A paced upload: the program keeps serving events and the bar moves; keys typed at the
    // main window go nowhere, the window will not close, and Cancel leaves the document as
    // it was.
    void cancelDuringAPacedUploadLeavesTheDocument() {
        RadioFrame frame(true);
        frame.doc.setCurrentFilePath(frame.file("mine.k70"));
        frame.doc.setDataModified(false);
        const RadioImage before = frame.doc.GetMainMemory();
        const bool word1Edited = frame.doc.word1Edited();
        const bool hardwareEdited = frame.doc.hardwareEdited();
        frame.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame.window));
        frame.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame.window));
        // Space on a decode cell would set a tone, were it to arrive.
        FlexGridWidget& grid = frame.window.channelView().grid();
        constexpr int FIRST_CHANNEL_ROW = 2;
        grid.setCurrentCell(grid.tableRow(FIRST_CHANNEL_ROW), grid.tableColumn(COL_DECODE));
        KeyCounter keys;
        QWidget* target = &grid;
        target->installEventFilter(&keys);

        bool timerFiredDuringJob = false;
        QTimer::singleShot(
            300, [&] { timerFiredDuringJob = frame.window.radio().currentWindow() != nullptr; });
        int highestPosition = 0;
        bool closeRefused = false;
        bool menuDisabled = false;
        bool acted = false;
        Answerer answerer(frame.window.radio());
        answerer.duringJob = [&](CommunicationWindow& window) {
            highestPosition = std::max(highestPosition, window.progressValue());
            if (window.progressValue() < 2 || acted) {
                return;
            }
            acted = true;
            grid.setCurrentCell(grid.tableRow(FIRST_CHANNEL_ROW), grid.tableColumn(COL_DECODE));
            QTest::keyClick(target, Qt::Key_Space);
            QTest::keyClicks(target, QStringLiteral("123"));
            menuDisabled = !frame.window.menuBar()->isEnabled();
            closeRefused = !frame.window.close();
            shoot(window, QStringLiteral("communication-upload"));
            window.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        };

        frame.window.action(ID_TOOLBAR_UPLOAD)->trigger(); // the toolbar's button
        const QStringList texts = answerer.texts;

        QCOMPARE(texts, QStringList{qt(text::UPLOAD_CANCELLED)});
        QVERIFY(timerFiredDuringJob);
        QVERIFY(highestPosition >= 2);
        QCOMPARE(keys.presses, 0);
        QVERIFY(menuDisabled);
        QVERIFY(closeRefused);
        QVERIFY(frame.doc.GetMainMemory() == before);
        QCOMPARE(frame.doc.currentFilePath(), frame.file("mine.k70"));
        QVERIFY(!frame.doc.dataModified());
        QCOMPARE(frame.doc.word1Edited(), word1Edited);
        QCOMPARE(frame.doc.hardwareEdited(), hardwareEdited);
        QVERIFY(!frame.portOpen());
        QVERIFY(frame.window.menuBar()->isEnabled());
        // Input reaches the grid again once the job is over.
        grid.setCurrentCell(grid.tableRow(FIRST_CHANNEL_ROW), grid.tableColumn(COL_DECODE));
        grid.setFocus();
        QTest::keyClick(target, Qt::Key_Space);
        QCOMPARE(keys.presses, 1);
        QVERIFY(frame.doc.dataModified());
    }

    // Escape during the writing, confirmed: the radio keeps its marker invalid and the user
    // is told.
    void escapeAfterTheFirstWriteLeavesTheRadioMarkedIncomplete() {
        RadioFrame frame;
        Answerer answerer(frame.window.radio());
        frame.run(ID_RADIO_UPLOAD, answerer);
        frame.setPaced(true);
        answerer.texts.clear();
        bool pressed = false;
        answerer.duringJob = [&pressed](CommunicationWindow& window) {
            // The second phase of the bar is the writing. The key goes outside the answerer's
            // own call: the question it brings must be answered.
            if (window.phaseCount() >= 2 && !pressed) {
                pressed = true;
                QTimer::singleShot(0, &window,
                                   [&window] { QTest::keyClick(&window, Qt::Key_Escape); });
            }
        };

        const QStringList texts = frame.run(ID_RADIO_DOWNLOAD, answerer);

        QVERIFY(texts.contains(qt(text::STOP_WHILE_WRITING)));
        QCOMPARE(texts.last(), qt(text::DOWNLOAD_CANCELLED_PARTLY_WRITTEN));
        QCOMPARE(frame.sim().memory().be16(eepromWordOffset(MARKER_WORD)), 0xFFFF);
        QVERIFY(!frame.portOpen());
    }

    // Both jobs of the recovery run in communication windows; the repair is asked for and
    // written in between.
    void adjustmentRecoverRepairsTheRadioFromTheMenu() {
        RadioFrame frame(false, ACCESS_MANUFACTURE);
        damageAdjustmentData(frame.sim().memory(), AdjustmentDamage::Eeprom);
        QVERIFY(AdjustmentChecks::ReliabilityTest(frame.sim().memory()) !=
                AdjustmentChecks::BOTH_RIGHT);
        const RadioImage document = frame.doc.GetMainMemory();
        QStringList titles;
        frame.window.radio().setJobStartedHandler(
            [&titles](CommunicationWindow& window) { titles.append(window.windowTitle()); });
        Answerer answerer(frame.window.radio());

        const QStringList texts = frame.run(ID_RADIO_ADJ_RECOVER, answerer);

        QVERIFY(!texts.isEmpty());
        QCOMPARE(texts.last(), qt(text::ADJ_RECOVERY_COMPLETE));
        QCOMPARE(AdjustmentChecks::ReliabilityTest(frame.sim().memory()),
                 AdjustmentChecks::BOTH_RIGHT);
        QVERIFY(frame.doc.GetMainMemory() == document);
        QCOMPARE(titles, (QStringList{qt(text::UPLOAD_TITLE), qt(text::UPLOAD_TITLE)}));
        QVERIFY(!frame.portOpen());
    }

    void thePasswordAskedOnTheWorkerIsAnsweredOnTheWindowThread() {
        struct Case {
            const char* name;
            std::optional<QString> typed;
            std::string_view result;
        };
        const Case cases[] = {
            {"right password", QStringLiteral("12ab34"), text::UPLOAD_COMPLETE},
            {"entry cancelled", std::nullopt, {}},
        };
        for (const Case& c : cases) {
            RadioFrame frame;
            HProgrammingPasswordParams password;
            password.extract(frame.sim().memory());
            password.set(HProgrammingPasswordParams::ENABLE, 1);
            QVERIFY(password.setPassword("12AB34"));
            password.store(frame.sim().memory());
            const RadioImage before = frame.doc.GetMainMemory();
            Answerer answerer(frame.window.radio());
            answerer.password = c.typed;

            const QStringList texts = frame.run(ID_RADIO_UPLOAD, answerer);

            QCOMPARE(answerer.passwordDialogs, 1);
            QVERIFY(answerer.passwordOnWindowThread);
            if (c.result.empty()) {
                QVERIFY2(texts.isEmpty(), c.name);
                QVERIFY2(frame.doc.GetMainMemory() == before, c.name);
            } else {
                QCOMPARE(texts, QStringList{qt(c.result)});
                QVERIFY2(sameChannels(frame.doc.GetMainMemory(), frame.sim().memory()), c.name);
            }
        }
    }
};

KQ70_GUI_TEST(CommunicationWindowTest);
#include "CommunicationWindowTest.moc"
