// Faults found where the window's parts meet: each test keeps one of them from coming back.
#include "AlignmentWindow.h"
#include "ChannelViewWidget.h"
#include "CommunicationWindow.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "InProcessRadio.h"
#include "ParameterPageDialog.h"
#include "RadioSession.h"
#include "RawImageDialog.h"
#include "SimulatorSeed.h"
#include "app/CKQ70App.h"
#include "channel/ChannelGridLayout.h"
#include "channel/HChannelData.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "log/HLogPrint.h"
#include "pages/HMiscDialog.h"
#include "pages/HScanningDialog.h"
#include "params/HHardwareParams.h"
#include "params/HMiscParams.h"
#include "support/CompletionMarker.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using namespace kq70;
using namespace kq70::test;

namespace {

std::int32_t powerOnCondition(const RadioImage& image) {
    HMiscParams misc;
    misc.extract(image);
    return misc.get(HMiscParams::POWER_ON_CONDITION);
}

void clickCancel(CommunicationWindow& window) {
    window.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
}

// Counts the radio jobs and clicks Cancel once, when job `job` (from 1) is in its bar's phase
// `phase` or later and the bar has moved.
struct CancelInJob {
    CancelInJob(RadioFrame& frame, Driver& driver, int job, int phase) {
        frame.window.radio().setJobStartedHandler([this](CommunicationWindow&) { ++jobs; });
        driver.duringJob = [this, job, phase](CommunicationWindow& window) {
            if (!cancelled && jobs == job && window.phaseCount() >= phase &&
                window.progressValue() >= 1) {
                cancelled = true;
                clickCancel(window);
            }
        };
    }
    int jobs = 0;
    bool cancelled = false;
};

} // namespace

class FrameFaultsTest : public QObject {
    Q_OBJECT

private slots:
    // Power ON Condition "DW" shares its bits with Scanning's Power ON Scan, which has no entry
    // for that value.
    void okOnAnUntouchedPageKeepsAnotherPagesSetting() {
        ShownFrame frame;
        whenModal([](QWidget* modal) {
            auto* page = dynamic_cast<ParameterPageDialog*>(modal);
            QVERIFY(page != nullptr);
            auto* condition = qobject_cast<QComboBox*>(
                page->controlWidget(HMiscDialog::GetControlId(HMiscParams::POWER_ON_CONDITION)));
            QVERIFY(condition != nullptr);
            condition->setFocus();
            while (condition->currentText() != QStringLiteral("DW") &&
                   condition->currentIndex() + 1 < condition->count()) {
                QTest::keyClick(condition, Qt::Key_Down);
            }
            QTest::mouseClick(okButton(*page), Qt::LeftButton);
        });
        frame.window.runCommand(ID_COMMON_MISCELLANEOUS);
        QCOMPARE(powerOnCondition(frame.doc.GetMainMemory()), 2);

        QString shownScan;
        whenModal([&shownScan](QWidget* modal) {
            auto* page = dynamic_cast<ParameterPageDialog*>(modal);
            QVERIFY(page != nullptr);
            auto* scan =
                qobject_cast<QComboBox*>(page->controlWidget(HScanningDialog::IDC_POWER_ON_SCAN));
            QVERIFY(scan != nullptr);
            shownScan = scan->currentText();
            shoot(*page, QStringLiteral("scanning-after-power-on-dw"));
            QTest::mouseClick(okButton(*page), Qt::LeftButton);
        });
        frame.window.runCommand(ID_COMMON_SCANNING);
        QCOMPARE(shownScan, QStringLiteral("Disable"));
        QCOMPARE(powerOnCondition(frame.doc.GetMainMemory()), 2);
    }

    void aModeSwitchWithAFileOpensTheFile() {
        QTemporaryDir home;
        const std::string path = home.filePath(QStringLiteral("FILE.K70")).toStdString();
        RadioImage image;
        BuildDefaultImage(PMR446_BAND, image);
        test::setHardwareValue(image, HW_RADIO_CHANNEL, 4); // the start-up document has 3
        channelsOf(image).store(image);
        QtUserPrompt prompt;
        QVERIFY(WriteDataFile(path, image, prompt));
        HLogPrint log;
        for (const char* line : {"/manu", "-E"}) {
            CKQ70App app(home.path().toStdString(), log, prompt);
            Driver driver;
            driver.onModal = [](QWidget& modal) {
                QFAIL(qPrintable(QStringLiteral("asked: ") + modal.windowTitle()));
            };
            QCOMPARE(app.InitInstance(std::string(line) + " " + path),
                     CKQ70App::StartResult::Started);
            CKQ70Doc doc;
            MainWindow window(doc, app.GetSettings(), app.GetSettingsFile(), app.GetAccessMode(),
                              prompt, app.GetProgramFolder());
            window.startWith(app.GetFileToOpen());
            QVERIFY2(driver.texts.isEmpty(), qPrintable(driver.texts.join(QLatin1Char('|'))));
            QCOMPARE(doc.GetCurrentFilePath(), path);
            QCOMPARE(radioChannelValueOf(doc.GetMainMemory()), 4);
            app.ExitInstance();
        }
    }

    // Cancel, Escape and the close button with a procedure ended with OK ask first; No keeps the
    // window, Yes puts the radio's former data back and says so.
    void leavingTheAlignmentWindowAsksBeforeDiscarding() {
        struct Case {
            const char* name;
            bool procedureDone;
            std::function<void(AlignmentWindow&)> leave;
        };
        const auto cancelButton = [](AlignmentWindow& window) {
            window.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        };
        const Case cases[] = {
            {"Cancel after a procedure", true, cancelButton},
            {"Escape after a procedure", true,
             [](AlignmentWindow& window) { QTest::keyClick(&window, Qt::Key_Escape); }},
            {"close button after a procedure", true,
             [](AlignmentWindow& window) { window.close(); }},
            {"Cancel before any procedure", false, cancelButton},
        };
        for (const Case& c : cases) {
            RadioFrame frame(ACCESS_ADJUSTMENT);
            frame.sim().adjustment.setNoiseAmplitude(0);
            const RadioImage radioBefore = frame.sim().radio.memory();
            Driver driver(&frame.window.radio());
            bool stayedOpen = false;
            bool seen = false;
            // Cancel stops job 2 and the restart wait; the write-back always runs to its end, so
            // its window offers no Cancel that would do nothing.
            QList<bool> cancelOffered;
            frame.window.radio().setJobStartedHandler([&cancelOffered](CommunicationWindow& job) {
                cancelOffered.append(
                    job.findChild<QPushButton*>(QStringLiteral("cancel"))->isVisibleTo(&job));
            });
            driver.choose = [&](QMessageBox& box) {
                if (box.text() != qt(text::ALIGNMENT_DISCARD_QUESTION)) {
                    return QMessageBox::Ok;
                }
                // The first time No, which keeps the window; then Yes.
                if (driver.texts.count(box.text()) == 1) {
                    shoot(box, QStringLiteral("alignment-discard-question"));
                    return QMessageBox::No;
                }
                return QMessageBox::Yes;
            };
            driver.onModal = [&](QWidget& modal) {
                auto* window = dynamic_cast<AlignmentWindow*>(&modal);
                if (window == nullptr || seen) {
                    return;
                }
                seen = true;
                QTRY_VERIFY(!window->busy());
                if (c.procedureDone) {
                    alignRxVco(*window);
                    c.leave(*window);
                    stayedOpen = window->isVisible();
                }
                c.leave(*window);
            };

            frame.window.runCommand(ID_RADIO_ALIGNMENT);
            QVERIFY2(seen, c.name);
            QTRY_VERIFY2(driver.texts.contains(qt(text::ALIGNMENT_FORMER_RESTORED)), c.name);
            QCOMPARE(driver.texts.count(qt(text::ALIGNMENT_DISCARD_QUESTION)),
                     c.procedureDone ? 2 : 0);
            QCOMPARE(stayedOpen, c.procedureDone);
            QCOMPARE(cancelOffered, (QList<bool>{true, true, false}));
            QVERIFY2(frame.sim().radio.memory() == radioBefore, c.name);
        }
    }

    void theReadOnlyRawEditorChangesNothing() {
        struct Case {
            const char* name;
            int mode;
            int key;
        };
        const Case cases[] = {
            {"normal mode, Enter", ACCESS_NORMAL, Qt::Key_Return},
            {"normal mode, OK", ACCESS_NORMAL, 0},
            {"manufacture mode, OK without a change", ACCESS_MANUFACTURE, 0},
        };
        for (const Case& c : cases) {
            ShownFrame frame(c.mode);
            const RadioImage before = frame.doc.GetMainMemory();
            whenModal([&c](QWidget* modal) {
                auto* dialog = dynamic_cast<RawImageDialog*>(modal);
                QVERIFY(dialog != nullptr);
                if (c.key != 0) {
                    QTest::keyClick(&dialog->grid(), static_cast<Qt::Key>(c.key));
                    if (dialog->isVisible()) {
                        QTest::keyClick(dialog, static_cast<Qt::Key>(c.key));
                    }
                } else {
                    okButton(*dialog)->click();
                }
            });
            frame.window.runCommand(ID_RAW_EDITOR);
            QVERIFY2(QApplication::activeModalWidget() == nullptr, c.name);
            QVERIFY2(!frame.window.isWindowModified(), c.name);
            QVERIFY2(frame.doc.GetMainMemory() == before, c.name);
        }
    }

    void aFailedUploadAfterNoKeepsTheChangedMark() {
        Frame frame;
        frame.settings.portName = frame.file("no-such-port");
        showStarted(frame);
        FlexGridWidget& grid = frame.window.channelView().grid();
        grid.setCurrentCell(grid.tableRow(ROW1), grid.tableColumn(COL_SCAN));
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Space);
        QVERIFY(frame.window.isWindowModified());
        const RadioImage edited = frame.doc.GetMainMemory();
        Driver driver(&frame.window.radio());
        driver.choose = [](QMessageBox& box) {
            return box.text() == qt(Strings::get(IDS_SAVE_CHANGES)) ? QMessageBox::No
                                                                    : QMessageBox::Ok;
        };

        frame.window.runCommand(ID_RADIO_UPLOAD);

        QCOMPARE(driver.texts,
                 (QStringList{qt(Strings::get(IDS_SAVE_CHANGES)), qt(text::PORT_OPEN_ERROR)}));
        QVERIFY(frame.window.isWindowModified());
        QVERIFY(frame.window.informationText().contains(QStringLiteral("(changed)")));
        QVERIFY(frame.doc.GetMainMemory() == edited);
        // Closing still asks.
        driver.texts.clear();
        driver.choose = [](QMessageBox&) { return QMessageBox::Cancel; };
        QVERIFY(!frame.window.close());
        QCOMPARE(driver.texts, QStringList{qt(Strings::get(IDS_SAVE_CHANGES))});
    }

    // Space and Enter reach nothing during a download; Cancel while the radio is written asks
    // first: No lets the download go on, Escape and Yes stop it.
    void strayKeysNeverStopADownload() {
        RadioFrame frame;
        frame.settings.baudRate = 38400;
        Driver driver(&frame.window.radio());
        frame.window.runCommand(ID_RADIO_UPLOAD);
        frame.window.radio().port().setPaced(true);
        driver.texts.clear();
        // The first question is answered No, the second Yes.
        driver.choose = [&driver](QMessageBox& box) {
            return box.text() == qt(text::STOP_WHILE_WRITING) && driver.texts.count(box.text()) == 1
                       ? QMessageBox::No
                       : QMessageBox::Yes;
        };
        int step = 0;
        bool goingOn = false;
        const auto pressAtFocus = [](CommunicationWindow& window, Qt::Key enter) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : &window, Qt::Key_Space);
            QTest::keyClick(focus != nullptr ? focus : &window, enter);
        };
        driver.duringJob = [&](CommunicationWindow& window) {
            if (window.phaseCount() < 2 || window.progressValue() < 1) {
                if (step == 0 && window.progressValue() >= 1) { // keys while the radio is read
                    pressAtFocus(window, Qt::Key_Return);
                    QTest::keyClicks(&window, QStringLiteral(" x "));
                    step = window.cancelRequested() ? -1 : 1;
                }
                return;
            }
            if (step == 1) { // while it is written
                pressAtFocus(window, Qt::Key_Enter);
                clickCancel(window);
                goingOn = !window.cancelRequested();
                step = 2;
            } else if (step == 2) {
                QTest::keyClick(&window, Qt::Key_Escape);
                step = 3;
            }
        };

        frame.window.runCommand(ID_RADIO_DOWNLOAD);

        QCOMPARE(step, 3);
        QVERIFY(goingOn);
        QCOMPARE(driver.texts.count(qt(text::STOP_WHILE_WRITING)), 2);
        QCOMPARE(driver.texts.last(), qt(text::DOWNLOAD_CANCELLED_PARTLY_WRITTEN));
        QCOMPARE(frame.sim().radio.memory().be16(eepromWordOffset(MARKER_WORD)),
                 MARKER_IN_PROGRESS);
    }

    // The Cancel button reaches the command's stop points: while the repair is written it asks
    // first, and Yes stops it with the radio marked incomplete. The other points are the command's.
    void cancelStopsAdjustmentRecover() {
        RadioFrame frame(ACCESS_MANUFACTURE, true);
        frame.settings.baudRate = 38400;
        damageAdjustmentData(frame.sim().radio.memory(), AdjustmentDamage::Eeprom);
        Driver driver(&frame.window.radio());
        CancelInJob cancel(frame, driver, 2, 1);

        frame.window.runCommand(ID_RADIO_ADJ_RECOVER);

        QVERIFY(cancel.cancelled);
        QVERIFY(driver.texts.contains(qt(text::STOP_WHILE_WRITING)));
        QCOMPARE(driver.texts.last(), qt(text::RECOVERY_CANCELLED_PARTLY_WRITTEN));
    }

    // Cancel in the alignment's first communication window while it writes stops the pass before
    // its window opens and gives the radio its former data back, without the question a partly
    // written download asks. The other stop points are the alignment pass's own test.
    void cancelStopsTheAlignmentPass() {
        RadioFrame frame(ACCESS_ADJUSTMENT, true);
        frame.settings.baudRate = 38400;
        const RadioImage radioBefore = frame.sim().radio.memory();
        Driver driver(&frame.window.radio());
        CancelInJob cancel(frame, driver, 1, 2);
        bool windowShown = false;
        driver.onModal = [&windowShown](QWidget& modal) {
            if (auto* window = dynamic_cast<AlignmentWindow*>(&modal)) {
                windowShown = true;
                window->reject();
            }
        };

        frame.window.runCommand(ID_RADIO_ALIGNMENT);

        QVERIFY(cancel.cancelled);
        QVERIFY(!windowShown);
        QCOMPARE(driver.texts.mid(driver.texts.size() - 2),
                 (QStringList{qt(text::ALIGNMENT_CANCELLED_WRITING_BACK),
                              qt(text::ALIGNMENT_FORMER_RESTORED)}));
        QVERIFY(!driver.texts.contains(qt(text::STOP_WHILE_WRITING)));
        QVERIFY(frame.sim().radio.memory() == radioBefore);
    }
};

KQ70_GUI_TEST(FrameFaultsTest);

#include "FrameFaultsTest.moc"
