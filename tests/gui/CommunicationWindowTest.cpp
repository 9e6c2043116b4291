// Radio jobs from the main window in their communication windows, against the radio simulated
// inside the program: the window keeps serving events, input waits, Cancel stops the job.
#include "CommunicationWindow.h"
#include "ChannelViewWidget.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "InProcessRadio.h"
#include "RadioSession.h"
#include "channel/ChannelCellTexts.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QInputDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace kq70;

namespace {

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

std::span<const std::uint8_t> channelTable(const RadioImage& image) {
    return image.range(CHANNEL_TABLE_OFFSET, CHANNEL_RECORD_SIZE * 16);
}

bool sameChannels(const RadioImage& a, const RadioImage& b) {
    return std::ranges::equal(channelTable(a), channelTable(b));
}

// An edit no other image has: channel 1's record also in channel 0's place.
void copySecondChannelToFirst(RadioImage& image) {
    std::ranges::copy(image.range(CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE, CHANNEL_RECORD_SIZE),
                      image.range(CHANNEL_TABLE_OFFSET, CHANNEL_RECORD_SIZE).begin());
}

} // namespace

class CommunicationWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A download writes an edit of the uploaded document back (the upload's own result is
    // the password test's).
    void aDownloadWritesTheUploadedDocumentsEditBack() {
        RadioFrame frame;
        Driver driver(&frame.window.radio());
        frame.window.runCommand(ID_RADIO_UPLOAD);
        copySecondChannelToFirst(frame.doc.GetMainMemory());
        QVERIFY(!sameChannels(frame.doc.GetMainMemory(), frame.sim().radio.memory()));
        frame.window.channelView().reload(); // the grid shows the edit, so its commit keeps it
        driver.texts.clear();

        frame.window.runCommand(ID_RADIO_DOWNLOAD);

        QCOMPARE(driver.texts.last(), qt(text::DOWNLOAD_COMPLETE));
        QVERIFY(sameChannels(frame.doc.GetMainMemory(), frame.sim().radio.memory()));
        QVERIFY(!frame.sim().link.isOpen());
    }

    // A paced upload: the program keeps serving events and the bar moves; keys typed at the
    // main window go nowhere, the window will not close, and Cancel leaves the document as
    // it was.
    void cancelDuringAPacedUploadLeavesTheDocument() {
        RadioFrame frame(ACCESS_NORMAL, true);
        const RadioImage before = frame.doc.GetMainMemory();
        showFrame(frame);
        FlexGridWidget& grid = frame.window.channelView().grid();
        KeyCounter keys;
        grid.installEventFilter(&keys);

        bool timerFiredDuringJob = false;
        QTimer::singleShot(
            300, [&] { timerFiredDuringJob = frame.window.radio().currentWindow() != nullptr; });
        bool closeRefused = false;
        bool menuDisabled = false;
        bool acted = false;
        Driver driver(&frame.window.radio());
        driver.duringJob = [&](CommunicationWindow& window) {
            if (window.progressValue() < 2 || acted) {
                return;
            }
            acted = true;
            // Space on a decode cell would set a tone, were it to arrive.
            grid.setCurrentCell(grid.tableRow(ROW1), grid.tableColumn(COL_DECODE));
            QTest::keyClick(&grid, Qt::Key_Space);
            QTest::keyClicks(&grid, QStringLiteral("123"));
            menuDisabled = !frame.window.menuBar()->isEnabled();
            closeRefused = !frame.window.close();
            shoot(window, QStringLiteral("communication-upload"));
            window.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        };

        frame.window.action(ID_TOOLBAR_UPLOAD)->trigger(); // the toolbar's button

        QCOMPARE(driver.texts, QStringList{qt(text::UPLOAD_CANCELLED)});
        QVERIFY(timerFiredDuringJob);
        QCOMPARE(keys.presses, 0);
        QVERIFY(menuDisabled);
        QVERIFY(closeRefused);
        QVERIFY(frame.doc.GetMainMemory() == before);
        QVERIFY(frame.window.menuBar()->isEnabled());
        selectCell(grid, ROW1, COL_DECODE);
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(keys.presses, 1);
        QVERIFY(frame.doc.GetDataModified());
    }

    // What each entry leads to is the communication dialog's test; the window answers the
    // worker's question on its own thread.
    void thePasswordAskedOnTheWorkerIsAnsweredOnTheWindowThread() {
        RadioFrame frame;
        test::setProgrammingPassword(frame.sim().radio.memory(), "12AB34");
        Driver driver(&frame.window.radio());
        int entries = 0;
        bool onWindowThread = true;
        driver.onModal = [&](QWidget& modal) {
            if (auto* entry = qobject_cast<QInputDialog*>(&modal)) {
                ++entries;
                onWindowThread &=
                    entry->thread() == qApp->thread() && QThread::currentThread() == qApp->thread();
                entry->setTextValue(QStringLiteral("12ab34"));
                entry->accept();
            }
        };

        frame.window.runCommand(ID_RADIO_UPLOAD);

        QCOMPARE(entries, 1);
        QVERIFY(onWindowThread);
        QCOMPARE(driver.texts, QStringList{qt(text::UPLOAD_COMPLETE)});
        QVERIFY(sameChannels(frame.doc.GetMainMemory(), frame.sim().radio.memory()));
    }
};

KQ70_GUI_TEST(CommunicationWindowTest);
#include "CommunicationWindowTest.moc"
