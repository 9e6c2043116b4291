#include "FleetWindow.h"
#include "GuiTestSupport.h"
#include "InProcessRadio.h"
#include "SimFault.h"
#include "SimulatorSeed.h"
#include "doc/DataFile.h"
#include "ui/Strings.h"

#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace kq70;

namespace {

constexpr int FINISH_MS = 60000;
constexpr std::size_t DOCUMENT_BYTE = 0x0020; // a byte the merge leaves to the document
// Radio 3 stores one wrong byte in the second page it is sent.
constexpr const char* WRONG_BYTE = "corrupt@278:5";

// A main window whose document is the simulated radios' kind of data, saved in a file.
struct FleetFrame : StartedFrame {
    FleetFrame() {
        RadioImage document = makeSimulatorSeedImage();
        document.setByte(DOCUMENT_BYTE, 0xA5);
        dataFile = file("fleet.k70");
        QVERIFY(WriteDataFile(dataFile, document, prompt));
        window.documents().OnOpenNamedFile(dataFile);
        if (doc.GetDataModified()) { // showing the data may tidy a byte: the file follows
            QVERIFY(doc.WriteToFile(dataFile, prompt));
        }
    }

    FleetWindow& openFleet(int simulated, bool paced) {
        window.runCommand(ID_RADIO_FLEET);
        FleetWindow* fleet = window.fleetWindow();
        [&] { QVERIFY(fleet != nullptr); }();
        fleet->setPaced(paced);
        fleet->setSimulatedRadios(simulated);
        return *fleet;
    }

    // Start, with the Download's question answered Yes.
    void start(FleetWindow& fleet) {
        answerMessage(QMessageBox::Yes);
        fleet.findChild<QPushButton*>(QStringLiteral("start"))->click();
    }

    std::string dataFile;
};

QString fleetCell(FleetWindow& fleet, int row, int column) {
    return fleet.findChild<QTableWidget*>(QStringLiteral("radios"))->item(row, column)->text();
}

} // namespace

class FleetWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Four simulated radios, the third storing a wrong byte: three verified, the third failed
    // with its serial number, one record line each; Retry Failed runs the third alone again.
    void fourRadiosOneStoringAWrongByteThenRetryFailed() {
        FleetFrame frame;
        FleetWindow& fleet = frame.openFleet(4, false);
        fleet.setSimulatedRadioHook([](int number, InProcessRadio& radio) {
            if (number == 3) {
                radio.radio.addFault(*parseSimFault(WRONG_BYTE));
            }
        });

        frame.start(fleet);
        QTRY_VERIFY_WITH_TIMEOUT(fleet.model().phase() == FleetPhase::Finished, FINISH_MS);

        for (int row : {0, 1, 3}) {
            QCOMPARE(fleetCell(fleet, row, 4), qt(text::FLEET_VERIFIED));
        }
        QVERIFY2(fleetCell(fleet, 2, 4).startsWith(QStringLiteral("Failed: Verify failed")),
                 qPrintable(fleetCell(fleet, 2, 4)));
        // The row names the radio by its serial number.
        QCOMPARE(fleetCell(fleet, 2, 3), QStringLiteral("45250144"));
        const QString record = qt(frame.dataFile + ".record.csv");
        QCOMPARE(fileBytes(record).count("\r\n"), 5); // the header and one line per radio
        fleet.show();
        shoot(fleet, QStringLiteral("fleet-finished"));

        const auto firstStart = fleet.model().rows()[0].last.start;
        fleet.findChild<QPushButton*>(QStringLiteral("retryFailed"))->click(); // no question again
        QTRY_VERIFY_WITH_TIMEOUT(fleet.model().phase() == FleetPhase::Finished, FINISH_MS);
        QVERIFY(fleet.model().rows()[0].last.start == firstStart);
        QCOMPARE(fileBytes(record).count("\r\n"), 6); // the retried radio's line
    }

    // Mid-run the main window reads but its document cannot change; Escape does not leave the
    // radios running unseen: it cancels them all safely and the window stays to say how each
    // ended, and only then closes.
    void midRunTheDocumentIsHeldAndEscapeCancelsAll() {
        FleetFrame frame;
        frame.settings.baudRate = 38400;
        FleetWindow& fleet = frame.openFleet(2, true);
        fleet.show();
        frame.start(fleet);
        QTRY_VERIFY_WITH_TIMEOUT(fleet.model().rows().size() == 2 &&
                                     fleet.model().rows()[0].position > 0 &&
                                     fleet.model().rows()[1].position > 0,
                                 FINISH_MS);
        shoot(fleet, QStringLiteral("fleet-running"));

        QVERIFY(frame.window.documentHold().held());
        // Which commands a held document refuses, and that they change nothing, is the gate's
        // own test.
        QString seen;
        answerMessage(QMessageBox::Ok, &seen);
        frame.window.runCommand(ID_FILE_NEW);
        QCOMPARE(seen, qt(text::DOCUMENT_HELD));
        answerMessage(QMessageBox::Ok);
        QVERIFY(!frame.window.close()); // the program does not end under running radios

        QTest::keyClick(&fleet, Qt::Key_Escape);
        QVERIFY(fleet.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(fleet.model().phase() == FleetPhase::Finished, FINISH_MS);
        for (const FleetRow& row : fleet.model().rows()) {
            QCOMPARE(row.last.outcome, FleetOutcome::Cancelled);
        }
        QVERIFY(!frame.window.documentHold().held());
        QTest::keyClick(&fleet, Qt::Key_Escape);
        QTRY_VERIFY(frame.window.fleetWindow() == nullptr);
    }

    // One radio's Cancel stops that radio alone.
    void aRowsCancelStopsOnlyItsRadio() {
        FleetFrame frame;
        frame.settings.baudRate = 38400;
        FleetWindow& fleet = frame.openFleet(2, true);
        frame.start(fleet);
        QTRY_VERIFY_WITH_TIMEOUT(
            fleet.model().rows().size() == 2 && fleet.model().rows()[1].position > 0, FINISH_MS);
        auto* table = fleet.findChild<QTableWidget*>(QStringLiteral("radios"));
        static_cast<QPushButton*>(table->cellWidget(1, 5))->click();
        QTRY_VERIFY_WITH_TIMEOUT(fleet.model().phase() == FleetPhase::Finished, FINISH_MS);
        QCOMPARE(fleet.model().rows()[0].last.outcome, FleetOutcome::Verified);
        QCOMPARE(fleet.model().rows()[1].last.outcome, FleetOutcome::Cancelled);
    }
};

KQ70_GUI_TEST(FleetWindowTest);

#include "FleetWindowTest.moc"
