// Radio > Alignment from the main window against the radio simulated inside the program: job
// 2 in a communication window, the alignment window driven like a user would, the
// write-back in another communication window.

#include "AlignmentWindow.h"
#include "CommunicationWindow.h"
#include "GuiTestSupport.h"
#include "InProcessRadio.h"
#include "RadioSession.h"
#include "align/HAdustmentBackUpParams.h"
#include "ui/Strings.h"

#include <QPushButton>
#include <QtTest>

using namespace kq70;

class AlignmentPassTest : public QObject {
    Q_OBJECT

private slots:
    void radioAlignmentWritesTheNewVcoValuesAndLeavesTheDocument() {
        RadioFrame frame;
        unlockAdjustmentMode(frame);
        InProcessRadio& sim = frame.sim();
        sim.adjustment.setNoiseAmplitude(0);
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
                window->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
            }
        };
        alignment->trigger();
        QVERIFY(!alignmentTitle.isEmpty());
        QTRY_COMPARE(driver.texts, QStringList{qt(text::ALIGNMENT_FINISHED)});
        QVERIFY(!titles.isEmpty());
        QVERIFY(!titles.contains(alignmentTitle));

        // Which bytes the write-back keeps of the radio's own is the alignment pass's test.
        HAdustmentBackUpParams items;
        items.extract(sim.radio.memory());
        QCOMPARE(items.get(88), 125);
        QVERIFY(frame.doc.GetMainMemory() == *documentBefore);
    }
};

KQ70_GUI_TEST(AlignmentPassTest);
#include "AlignmentPassTest.moc"
