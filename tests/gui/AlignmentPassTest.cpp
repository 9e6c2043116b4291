// Radio > Alignment from the main window against the radio simulated inside the program: job
// 2 in a communication window, the alignment window driven like a user would, the
// write-back in another communication window.

#include "AlignmentWindow.h"
#include "ChannelViewWidget.h"
#include "CommunicationWindow.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "InProcessRadio.h"
#include "RadioPort.h"
#include "RadioSession.h"
#include "align/HAdustmentBackUpParams.h"
#include "app/AppSettings.h"
#include "channel/HChannelData.h"
#include "image/RadioImage.h"
#include "ui/Strings.h"

#include <QPushButton>
#include <QtTest>

#include <memory>

namespace kq70 {

namespace {

// The values that make a channel's programming (the alignment bytes follow the items).
constexpr int PROGRAMMING_VALUES[] = {
    inUse,        bandwidth,  rxStepIndex, txStepIndex, txInhibit,   txPowerLow, tot,
    squelchLevel, signalType, txToneMode,  txToneCode,  rxToneMode,  rxToneCode, rxFrequency,
    txFrequency,  scan,       encryption,  lockOut,     powerSaveRx, powerSaveTx};

} // namespace

class AlignmentPassTest : public QObject {
    Q_OBJECT

private slots:
    void radioAlignmentWritesTheNewVcoValuesAndKeepsTheRadiosChannels() {
        Frame frame;
        frame.settings.portName = std::string(SIMULATED_PORT_NAME);
        frame.window.radio().port().setPaced(false);
        frame.window.startWith({});
        unlockAdjustmentMode(frame);
        InProcessRadio& sim = frame.window.radio().port().simulatedRadio();
        sim.adjustment.setNoiseAmplitude(0);
        auto radioBefore = std::make_unique<RadioImage>(sim.radio.memory());
        auto documentBefore = std::make_unique<RadioImage>(frame.doc.GetMainMemory());

        QAction* alignment = frame.window.action(ID_RADIO_ALIGNMENT);
        QVERIFY(alignment != nullptr);
        // The windows of the jobs around the alignment are told apart from the alignment
        // window by their titles.
        QStringList titles;
        frame.window.radio().setJobStartedHandler(
            [&titles](CommunicationWindow& job) { titles << job.windowTitle(); });
        QString alignmentTitle;
        Driver driver;
        driver.onModal = [&alignmentTitle](QWidget& modal) {
            auto* window = dynamic_cast<AlignmentWindow*>(&modal);
            if (window != nullptr && alignmentTitle.isEmpty()) {
                alignmentTitle = window->windowTitle();
                alignRxVco(*window);
                QCOMPARE(window->fieldText(0), QStringLiteral("125"));
                window->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
            }
        };
        alignment->trigger();
        QVERIFY(!alignmentTitle.isEmpty());
        QTRY_COMPARE(driver.texts, QStringList{qt(text::ALIGNMENT_FINISHED)});
        QVERIFY(!titles.isEmpty());
        QVERIFY(!titles.contains(alignmentTitle));

        const RadioImage& radio = sim.radio.memory();
        HAdustmentBackUpParams items;
        items.extract(radio);
        QCOMPARE(items.get(88), 125);
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
        QVERIFY(frame.doc.GetMainMemory() == *documentBefore);
    }
};

} // namespace kq70

using kq70::AlignmentPassTest;
KQ70_GUI_TEST(AlignmentPassTest);
#include "AlignmentPassTest.moc"
