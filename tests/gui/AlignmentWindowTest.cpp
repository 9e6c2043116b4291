// The alignment window and its procedure windows against the in-process simulated radio in
// adjustment mode, on the simulator's virtual time.

#include "AlignmentWindow.h"
#include "BatteryDialog.h"
#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "InProcessRadio.h"
#include "MeasurementDialog.h"
#include "ProcedureDialog.h"
#include "RxTuneDialog.h"
#include "SliderAlignDialog.h"
#include "VcoAutoDialog.h"
#include "VcoManualDialog.h"
#include "WorkerUserPrompt.h"
#include "align/HAdustmentBackUpParams.h"
#include "doc/AdjustmentDefaultImage.h"
#include "link/HComAlignment.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"
#include "platform/ManualClock.h"
#include "ui/Strings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTextBrowser>
#include <QtTest>

#include <thread>

using namespace kq70;

namespace {

constexpr std::uint8_t CMD_CHANGE_CHANNEL = 0x30;
constexpr std::uint8_t CMD_READ_AD = 0x31;

// The radio's virtual clock, with each of the procedures' own pauses also waited for on the
// wall clock, as with a real radio: a sampling run then takes its second.
class WallPacedClock : public Clock {
public:
    explicit WallPacedClock(ManualClock& radio) : m_radio(radio) {}
    Duration now() override { return m_radio.now(); }
    void sleep(Duration duration) override {
        m_radio.sleep(duration);
        std::this_thread::sleep_for(duration);
    }

private:
    ManualClock& m_radio;
};

// The alignment window of a pass over the simulated radio, the adjustment default image as
// the working image.
struct Bench {
    explicit Bench(bool paced = false) : wallPaced(paced) {
        sim.adjustment.setNoiseAmplitude(0);
        sim.radio.enterAdjustmentMode();
        port.SetEchoSuppression(0);
        opened = port.Open() == 0;
        makeAdjustmentDefaultImage(*image);
        set.extract(*image);
        alignment.LoadLimits(home.path().toStdString());
    }

    unsigned sent(std::uint8_t command) const {
        const auto& counts = sim.adjustment.commandCounts();
        const auto found = counts.find(command);
        return found == counts.end() ? 0u : found->second;
    }

    template <typename Dialog> Dialog* open(AlignmentProcedure procedure) {
        window.show();
        window.startButton(procedure)->click();
        auto* dialog = dynamic_cast<Dialog*>(window.procedureWindow());
        if (dialog == nullptr || !QTest::qWaitForWindowExposed(dialog)) {
            return nullptr;
        }
        return dialog;
    }

    bool wallPaced;
    QTemporaryDir home;
    InProcessRadio sim;
    WallPacedClock wallClock{sim.clock};
    LastPortKind lastKind;
    HSerialPort port{sim.link, lastKind};
    HComAlignment com{port, sim.clock};
    bool opened = false;
    std::unique_ptr<RadioImage> image = std::make_unique<RadioImage>();
    HAdustmentBackUpParams set;
    QtUserPrompt shown;
    WorkerUserPrompt prompt{shown};
    HBasicAlignment alignment{com, set, *image,
                              wallPaced ? static_cast<Clock&>(wallClock) : sim.clock, prompt};
    AlignmentWindow window{alignment};
};

void waitIdle(ProcedureDialog& dialog) {
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), 10000);
}

// Presses Start and waits until the procedure's radio calls have returned.
void pressStart(ProcedureDialog& dialog) {
    QTRY_VERIFY(dialog.startButton().isEnabled());
    dialog.startButton().click();
    waitIdle(dialog);
}

} // namespace

class AlignmentWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Escape after a point keeps the values; three points and OK show the new ones. The
    // window's Cancel and the other START buttons wait for the procedure window.
    void rxVcoAutomaticKeepsTheValuesOnEscapeAndShowsTheNewOnesAfterOk() {
        Bench b;
        QVERIFY(b.opened);
        b.window.show();
        b.window.selectChannel();
        QTRY_VERIFY(!b.window.busy());
        shoot(b.window, QStringLiteral("alignment-window"));
        const int before = b.set.get(88);
        auto* vco = b.open<VcoAutoDialog>(AlignmentProcedure::RxVco);
        QVERIFY(vco != nullptr);
        QVERIFY(!b.window.cancelButton().isEnabled());
        pressStart(*vco);
        QTest::keyClick(vco, Qt::Key_Escape);
        QTRY_VERIFY(b.window.procedureWindow() == nullptr);
        QVERIFY(b.window.cancelButton().isEnabled());
        QCOMPARE(b.set.get(88), before);
        QCOMPARE(b.window.fieldText(0), QString::number(before));

        vco = b.open<VcoAutoDialog>(AlignmentProcedure::RxVco);
        QVERIFY(vco != nullptr);
        QVERIFY(!b.window.startButton(AlignmentProcedure::TxVco)->isEnabled());
        shoot(*vco, QStringLiteral("vco-auto-dialog"));
        for (int point = 0; point < 3; ++point) {
            pressStart(*vco);
        }
        QVERIFY(vco->okButton().hasFocus());
        shoot(*vco, QStringLiteral("vco-auto-dialog-done"));
        vco->okButton().click();
        QTRY_VERIFY(b.window.procedureWindow() == nullptr);
        // The simulated VCO locks around 125 (High); what OK stores is the procedure's test.
        QCOMPARE(b.window.fieldText(0), QStringLiteral("125"));
        QVERIFY(b.window.startButton(AlignmentProcedure::TxVco)->isEnabled());
    }

    void manualVcoSliderMovedWithTheArrowKeysUpdatesTheReadings() {
        Bench b;
        auto* manual = b.open<VcoManualDialog>(AlignmentProcedure::RxVcoManual);
        QVERIFY(manual != nullptr);
        waitIdle(*manual);
        QTRY_VERIFY(manual->slider().hasFocus());
        const int start = manual->slider().value();
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(&manual->slider(), Qt::Key_Right);
        }
        waitIdle(*manual);
        QTRY_COMPARE(manual->slider().value(), start + 3);
        QCOMPARE(static_cast<int>(b.sim.adjustment.state().vcoLevel), start + 3);
        QCOMPARE(manual->daText(), QString::number(start + 3));
        QCOMPARE(manual->vcvText(), QString::number(b.sim.adjustment.vcv()));
        shoot(*manual, QStringLiteral("vco-manual-dialog"));
        manual->okButton().click();
        QTRY_VERIFY(b.window.procedureWindow() == nullptr);
        QCOMPARE(b.set.get(87), start + 3);
    }

    void txPowerTakesTheTypedLevelAndTheCloseButtonEndsTransmitting() {
        Bench b;
        const int stored = b.set.get(18);
        auto* power = b.open<SliderAlignDialog>(AlignmentProcedure::TxPowerHigh);
        QVERIFY(power != nullptr);
        // Before Start the radio is not keyed and the slider sends nothing.
        QVERIFY(!power->slider().isEnabled());
        pressStart(*power);
        QVERIFY(b.sim.adjustment.state().transmitting);
        QCOMPARE(power->slider().value(), stored);
        shoot(*power, QStringLiteral("slider-dialog"));

        power->valueBox().setFocus();
        power->valueBox().setText(QStringLiteral("254"));
        QTest::keyClick(&power->valueBox(), Qt::Key_Return);
        waitIdle(*power);
        QVERIFY(power->isVisible()); // Enter is the box's, not OK's
        QCOMPARE(static_cast<int>(b.sim.adjustment.state().tuneLevel), 254);
        power->valueBox().setText(QStringLiteral("255"));
        QTest::mouseDClick(&power->valueBox(), Qt::LeftButton);
        waitIdle(*power);
        QCOMPARE(static_cast<int>(b.sim.adjustment.state().tuneLevel), 255);
        QCOMPARE(power->slider().value(), 255);

        // The window's close button: back to receive, nothing stored.
        power->close();
        QTRY_VERIFY(b.window.procedureWindow() == nullptr);
        QVERIFY(!b.sim.adjustment.state().transmitting);
        QCOMPARE(b.set.get(18), stored);
    }

    void everyWayOfClosingATransmitWindowReturnsToReceive() {
        Bench b;
        const std::function<void(SliderAlignDialog&)> closings[] = {
            [](SliderAlignDialog& d) { d.cancelButton().click(); },
            [](SliderAlignDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
            [](SliderAlignDialog& d) { d.okButton().click(); },
        };
        for (const auto& close : closings) {
            auto* dialog = b.open<SliderAlignDialog>(AlignmentProcedure::MicGain);
            QVERIFY(dialog != nullptr);
            pressStart(*dialog);
            QVERIFY(b.sim.adjustment.state().transmitting);
            close(*dialog);
            QTRY_VERIFY(b.window.procedureWindow() == nullptr);
            QVERIFY(!b.sim.adjustment.state().transmitting);
        }
    }

    void thresholdSqlShowsItsReadingsAndOkStoresTheResult() {
        Bench b;
        b.sim.adjustment.setSignalLevel(12);
        auto* sql = b.open<MeasurementDialog>(AlignmentProcedure::ThresholdSqlWide);
        QVERIFY(sql != nullptr);
        pressStart(*sql);
        QTRY_VERIFY(!sql->nsqText().isEmpty());
        QCOMPARE(sql->samplesShown(), 20);
        const int nsq = b.sim.adjustment.noiseSquelch();
        QCOMPARE(sql->nsqText(), QString::number(nsq));
        QVERIFY(sql->okButton().isVisible());
        shoot(*sql, QStringLiteral("measurement-dialog"));
        sql->okButton().click();
        QTRY_VERIFY(b.window.procedureWindow() == nullptr);
        QCOMPARE(b.set.get(2), nsq);
        QCOMPARE(b.window.fieldText(10), QString::fromStdString(b.set.levelText(2)));
    }

    // The window shows the procedure's own sampling run as it goes, and closing it ends the
    // run at its next sample.
    void closingDuringSamplingStopsTheRunAndStoresNothing() {
        for (const bool battery : {false, true}) {
            Bench b(true);
            const int before = b.set.get(battery ? 95 : 6);
            ProcedureDialog* dialog =
                battery ? static_cast<ProcedureDialog*>(
                              b.open<BatteryDialog>(AlignmentProcedure::Battery))
                        : b.open<MeasurementDialog>(AlignmentProcedure::ThresholdSqlNarrow);
            QVERIFY(dialog != nullptr);
            auto* samples = dialog->findChild<QProgressBar*>(QStringLiteral("samples"));
            QVERIFY(samples != nullptr);
            dialog->startButton().click();
            QTRY_VERIFY(samples->value() >= 2);
            QVERIFY(samples->value() < 20);
            dialog->close();
            QTRY_VERIFY(b.window.procedureWindow() == nullptr);
            QVERIFY(b.sent(CMD_READ_AD) < (battery ? 20u : 40u));
            QCOMPARE(b.set.get(battery ? 95 : 6), before);
        }
    }

    void rxTuneOverThreePoints() {
        Bench b;
        auto* tune = b.open<RxTuneDialog>(AlignmentProcedure::RxTune);
        QVERIFY(tune != nullptr);
        shoot(*tune, QStringLiteral("rx-tune-dialog"));
        for (int point = 0; point < 3; ++point) {
            pressStart(*tune);
        }
        tune->okButton().click();
        QTRY_VERIFY(b.window.procedureWindow() == nullptr);
        // The simulated RSSI peaks at 62 (Low) and 160 (High).
        QCOMPARE(b.window.fieldText(7), QStringLiteral("62"));
        QCOMPARE(b.window.fieldText(9), QStringLiteral("160"));
    }

    void aRefusedChannelChangeShowsItsMessageAndLeavesTheButtonsDisabled() {
        Bench b;
        b.sim.adjustment.addFault({CMD_CHANGE_CHANNEL, SimServiceFaultKind::Nak, 0});
        b.window.show();
        Driver driver;
        b.window.selectChannel();
        QTRY_VERIFY(!b.window.busy());
        QTRY_COMPARE(driver.texts, QStringList{qt(Strings::get(IDS_CHANGE_CHANNEL_ERROR))});
        for (const ProcedureEntry& entry : HBasicAlignment::AllProcedures()) {
            QVERIFY2(!b.window.startButton(entry.procedure)->isEnabled(), entry.caption);
        }
        b.window.startButton(AlignmentProcedure::RxVco)->click();
        QVERIFY(b.window.procedureWindow() == nullptr);
    }

    void everyAlignmentWindowOpensItsOwnHelpSection() {
        QVERIFY(helpSectionExists(HBasicAlignment::HELP_TOPIC));
        for (const ProcedureEntry& entry : HBasicAlignment::AllProcedures()) {
            QVERIFY2(helpSectionExists(HBasicAlignment::HelpTopicOf(entry.kind)), entry.caption);
        }
        Bench b;
        auto* battery = b.open<BatteryDialog>(AlignmentProcedure::Battery);
        QVERIFY(battery != nullptr);
        shoot(*battery, QStringLiteral("battery-dialog"));
        for (QPushButton* button : battery->findChildren<QPushButton*>()) {
            if (button->text() == QString::fromUtf8(text::ALIGNMENT_HELP.data())) {
                button->click();
            }
        }
        auto* help = battery->findChild<HelpWindow*>();
        QVERIFY(help != nullptr);
        QCOMPARE(help->browser().source().fragment(), QStringLiteral("battery"));
        battery->cancelButton().click();
        QTRY_VERIFY(b.window.procedureWindow() == nullptr);
    }

    void theWindowFitsALaptopScreenInEveryUnit() {
        Bench b;
        b.set.set(2, 0x85); // -5 dBuV EMF
        b.set.set(6, 0x7F); // 127 dBuV EMF, the longest level in microvolts
        // The whole window, OK and Cancel included, on a 1366x768 laptop screen (the window
        // manager's title bar and a panel take some 70 lines), every level field showing its
        // whole value.
        b.window.unitBox().setCurrentIndex(2);
        b.window.resize(b.window.minimumSizeHint());
        b.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        const QSize size = b.window.size();
        QVERIFY2(size.width() <= 1366 && size.height() <= 768 - 70,
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
        QCOMPARE(b.window.fieldText(11), QStringLiteral("2238721.14 uV (EMF)"));
        for (std::size_t i = 10; i < HBasicAlignment::FIELD_COUNT; ++i) {
            QLineEdit& field = b.window.field(i);
            QVERIFY2(field.width() >= field.fontMetrics().horizontalAdvance(field.text()) + 8,
                     qPrintable(field.text()));
        }
        shoot(b.window, QStringLiteral("alignment-window-1366x768"));
    }
};

KQ70_GUI_TEST(AlignmentWindowTest);
#include "AlignmentWindowTest.moc"
