// SIGTERM, SIGHUP and SIGINT sent to the desktop program, as a session logout or a closed
// terminal sends them: a radio job stops as after Cancel, an interrupted alignment gives the
// radio its data back, and unsaved changes are kept for the next start, which offers them.
#include "AlignmentWindow.h"
#include "CommunicationWindow.h"
#include "GuiTestSupport.h"
#include "InProcessRadio.h"
#include "RadioSession.h"
#include "StopSignals.h"
#include "channel/HChannelData.h"
#include "channel/HChannelRecord.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace kq70;

namespace {

QByteArray bytesOf(const RadioImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), IMAGE_SIZE);
}

// The window's stop ended every event loop of the program; the next test needs them again.
void endTheQuit() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// A window whose stop signals are caught as the program catches them.
struct SignalFrame : RadioFrame {
    using RadioFrame::RadioFrame;
    void sendSignal(int signal) {
        QVERIFY(stops.active());
        QVERIFY(::kill(::getpid(), signal) == 0);
    }
    QString recoveryFile() const {
        return home.filePath(QString::fromUtf8(text::SESSION_RECOVERY_FILE_NAME.data()));
    }
    StopSignals stops{[this](int signal) { window.stopForSignal(signal); }};
};

} // namespace

class StopSignalTest : public QObject {
    Q_OBJECT

private slots:
    void aStopSignalKeepsUnsavedChangesForTheNextStart() {
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            SignalFrame frame;
            const QString userFile = frame.home.filePath(QStringLiteral("radio.k70"));
            answerFile(userFile);
            frame.window.runCommand(ID_FILE_SAVE_AS);
            const QByteArray saved = fileBytes(userFile);
            {
                const CKQ70Doc::ChangeScope scope(frame.doc);
                HChannelData channels = channelsOf(frame.doc.GetMainMemory());
                channels.setValue(1, squelchLevel, (channels.getValue(1, squelchLevel) + 5) % 16);
                channels.store(frame.doc.GetMainMemory());
                frame.doc.SetDataModified(true);
            }
            const QByteArray edited = bytesOf(frame.doc.GetMainMemory());
            QVERIFY(edited != saved);

            frame.sendSignal(signal);
            QTRY_COMPARE(frame.window.stopSignal(), signal);
            endTheQuit();

            QCOMPARE(fileBytes(frame.recoveryFile()), edited);
            QCOMPARE(fileBytes(userFile), saved);

            // The next start's offer: Yes opens the kept changes (No and a damaged file are the
            // session recovery's own test).
            Frame next;
            QVERIFY(QFile::copy(frame.recoveryFile(),
                                next.home.filePath(QFileInfo(frame.recoveryFile()).fileName())));
            answerMessage(QMessageBox::Yes);
            next.window.startWith({});
            QCOMPARE(bytesOf(next.doc.GetMainMemory()), edited);
            QVERIFY(next.doc.GetDataModified());
        }
    }

    void aStopSignalDuringAnUploadStopsItAndKeepsTheDocument() {
        SignalFrame frame(ACCESS_NORMAL, true);
        const RadioImage before = frame.doc.GetMainMemory();
        bool sent = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            CommunicationWindow* window = frame.window.radio().currentWindow();
            if (!sent && window != nullptr && window->progressValue() >= 2) {
                sent = true;
                frame.sendSignal(SIGTERM);
            }
        });
        poll.start(5);

        frame.window.runCommand(ID_RADIO_UPLOAD);
        poll.stop();
        endTheQuit();

        QVERIFY(sent);
        QVERIFY(frame.window.radio().ending());
        QVERIFY(frame.doc.GetMainMemory() == before);
        QVERIFY(!frame.sim().link.isOpen());
    }

    void aStopSignalDuringTheAlignmentGivesTheRadioItsDataBack() {
        SignalFrame frame;
        unlockAdjustmentMode(frame);
        InProcessRadio& sim = frame.sim();
        auto radioBefore = std::make_unique<RadioImage>(sim.radio.memory());
        auto documentBefore = std::make_unique<RadioImage>(frame.doc.GetMainMemory());
        bool windowSeen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (dynamic_cast<AlignmentWindow*>(QApplication::activeModalWidget()) && !windowSeen) {
                windowSeen = true;
                frame.sendSignal(SIGTERM);
            }
        });
        poll.start(5);

        frame.window.runCommand(ID_RADIO_ALIGNMENT);
        poll.stop();
        endTheQuit();

        QVERIFY(windowSeen);
        QCOMPARE(frame.window.stopSignal(), SIGTERM);
        // The alignment wrote its channels into the radio; the radio has its own back, and the
        // copy kept in the program folder is gone with the need for it.
        const auto channels = [](const RadioImage& image) {
            return image.range(CHANNEL_TABLE_OFFSET, CHANNEL_RECORD_SIZE * CHANNEL_COUNT);
        };
        QVERIFY(std::ranges::equal(channels(sim.radio.memory()), channels(*radioBefore)));
        QCOMPARE(QDir(frame.home.path()).entryList({QStringLiteral("align-*.k70")}), QStringList());
        QVERIFY(frame.doc.GetMainMemory() == *documentBefore);
    }
};

KQ70_GUI_TEST(StopSignalTest);
#include "StopSignalTest.moc"
