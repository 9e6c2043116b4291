// A whole alignment pass with the alignment window: job 2, the window driven like a user
// would, the write-back, against the in-process simulated radio.

#include "AlignmentWindow.h"
#include "AlignmentWindowRunner.h"
#include "GuiTestSupport.h"
#include "GuiThreadPrompt.h"
#include "InProcessRadio.h"
#include "ProcedureDialog.h"
#include "QtUserPrompt.h"
#include "VcoAutoDialog.h"
#include "align/HAdustmentBackUpParams.h"
#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "image/RadioImage.h"
#include "link/LastPortKind.h"
#include "service/BasicAlignment.h"
#include "support/RecordingProgress.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace kq70 {

namespace {

// The values that make a channel's programming (the alignment bytes follow the items).
constexpr int PROGRAMMING_VALUES[] = {
    inUse,        bandwidth,  rxStepIndex, txStepIndex, txInhibit,   txPowerLow, tot,
    squelchLevel, signalType, txToneMode,  txToneCode,  rxToneMode,  rxToneCode, rxFrequency,
    txFrequency,  scan,       encryption,  lockOut,     powerSaveRx, powerSaveTx};

// Presses OK in every message box that shows, keeping their texts.
void answerMessages(QStringList* seen, const bool* stop) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [seen, stop, poll] {
        if (*stop) {
            return;
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                seen->append(box->text());
                box->button(QMessageBox::Ok)->click();
            }
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// The RX VCO run through its three points and OK, then the alignment window's OK.
void alignRxVco(QWidget* modal) {
    auto* window = dynamic_cast<AlignmentWindow*>(modal);
    QVERIFY(window != nullptr);
    QTRY_VERIFY(!window->busy());
    window->startButton(AlignmentProcedure::RxVco)->click();
    auto* vco = dynamic_cast<VcoAutoDialog*>(window->procedureWindow());
    QVERIFY(vco != nullptr);
    for (int point = 0; point < 3; ++point) {
        QTRY_VERIFY(vco->startButton().isEnabled());
        vco->startButton().click();
        QTRY_VERIFY(!vco->busy());
    }
    QTRY_VERIFY(vco->okButton().isVisible() && vco->okButton().isEnabled());
    vco->okButton().click();
    QTRY_VERIFY(window->procedureWindow() == nullptr);
    QCOMPARE(window->fieldText(0), QStringLiteral("125"));
    window->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
}

} // namespace

class AlignmentPassTest : public QObject {
    Q_OBJECT

private slots:
    void aPassWritesTheNewVcoValuesAndKeepsTheRadiosChannels() {
        InProcessRadio sim;
        sim.adjustment.setNoiseAmplitude(0);
        sim.radio.setRestartDelay(std::chrono::milliseconds(1000));
        sim.radio.switchOn(sim.clock.now());
        auto radioBefore = std::make_unique<RadioImage>(sim.radio.memory());
        auto document = std::make_unique<RadioImage>();
        LastPortKind lastKind;
        test::RecordingProgress progress;
        QTemporaryDir home;
        QObject anchor;
        QtUserPrompt shown;
        GuiThreadPrompt prompt(shown, anchor);
        BasicAlignment pass(
            *document, {sim.link, sim.clock, lastKind, progress}, {0, 9600, 1, ""},
            CommJobContext{ACCESS_ADJUSTMENT, home.path().toStdString(), false, false, true, true},
            prompt);

        QStringList messages;
        bool stop = false;
        whenModal(alignRxVco);
        answerMessages(&messages, &stop);
        QCOMPARE(pass.Run(alignmentWindowRunner(nullptr)), BasicAlignment::Outcome::Aligned);
        QTRY_COMPARE(messages.size(), 1);
        stop = true;
        QCOMPARE(messages.front(),
                 QString::fromLatin1(text::ALIGNMENT_FINISHED.data(),
                                     static_cast<qsizetype>(text::ALIGNMENT_FINISHED.size())));

        const RadioImage& radio = sim.radio.memory();
        HAdustmentBackUpParams items;
        items.extract(radio);
        QVERIFY(items.verifyChecksum(radio));
        QCOMPARE(items.get(88), 125);
        QCOMPARE(items.get(87), 105);
        QCOMPARE(items.get(86), 85);
        auto before = std::make_unique<HChannelData>();
        before->extract(*radioBefore);
        auto after = std::make_unique<HChannelData>();
        after->extract(radio);
        for (int c = 0; c < CHANNEL_COUNT; ++c) {
            for (const int value : PROGRAMMING_VALUES) {
                QVERIFY2(after->getValue(c, value) == before->getValue(c, value),
                         qPrintable(QStringLiteral("channel %1 value %2").arg(c).arg(value)));
            }
        }
    }
};

} // namespace kq70

using kq70::AlignmentPassTest;
KQ70_GUI_TEST(AlignmentPassTest);
#include "AlignmentPassTest.moc"
