// Undo and redo, comparisons and the download read-back choice, driven as a user would. That
// a comparison leaves the document alone is the compare commands' own test.
#include "ComparisonWindow.h"
#include "ConfigureDialog.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "InProcessRadio.h"
#include "ParameterPageDialog.h"
#include "RadioSession.h"
#include "RawImageDialog.h"
#include "channel/HChannelData.h"
#include "doc/DataFile.h"
#include "pages/HMiscDialog.h"
#include "params/HMiscParams.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace kq70;

namespace {

// Miscellaneous opened from the menu, its option unit moved one entry down, OK.
void changeOptionUnit(Frame& frame) {
    whenModal([](QWidget* modal) {
        auto* page = dynamic_cast<ParameterPageDialog*>(modal);
        QVERIFY(page != nullptr);
        auto* option = qobject_cast<QComboBox*>(
            page->controlWidget(HMiscDialog::FIRST_CONTROL_ID + HMiscParams::OPTION_UNIT));
        QVERIFY(option != nullptr);
        option->setFocus();
        QTest::keyClick(option, Qt::Key_Down);
        QTest::mouseClick(okButton(*page), Qt::LeftButton);
    });
    frame.window.runCommand(ID_COMMON_MISCELLANEOUS);
}

// Channel 2 encodes CTCSS 100.0 Hz.
void giveSecondChannelATone(RadioImage& image) {
    HChannelData channels = channelsOf(image);
    channels.setValue(1, txToneMode, 1);
    channels.setValue(1, txToneCode, 1000);
    channels.store(image);
}

} // namespace

class SafetyTest : public QObject {
    Q_OBJECT

private slots:
    // The menu entries are the gate's undo case; what the menu names and what New forgets are the
    // history's and the menu model's tests.
    void undoAndRedoKeysTakeBackAPage() {
        ShownFrame frame;
        // The menus are rebuilt after some commands: the entries are looked up each time.
        auto redo = [&frame] { return frame.window.action(ID_EDIT_REDO); };
        QVERIFY(redo() != nullptr);
        const RadioImage opened = frame.doc.GetMainMemory();
        changeOptionUnit(frame);
        const RadioImage changed = frame.doc.GetMainMemory();
        QVERIFY(!(changed == opened));

        struct Key {
            QKeyCombination key;
            bool undone;
        };
        const Key keys[] = {{Qt::CTRL | Qt::Key_Z, true},
                            {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, false},
                            {Qt::ALT | Qt::Key_Backspace, true},
                            {Qt::CTRL | Qt::Key_Y, false}};
        showFrame(frame);
        for (const Key& key : keys) {
            QTest::keyClick(&frame.window, key.key.key(), key.key.keyboardModifiers());
            QVERIFY(frame.doc.GetMainMemory() == (key.undone ? opened : changed));
            QCOMPARE(frame.window.isWindowModified(), !key.undone);
            QCOMPARE(redo()->isEnabled(), key.undone);
        }
    }

    void rawEditorOkIsOneStepAndCancelNone() {
        StartedFrame frame(ACCESS_MANUFACTURE);
        const std::uint8_t opened = frame.doc.GetMainMemory().byteAt(0x0013);
        for (const bool ok : {false, true}) {
            whenModal([ok, opened](QWidget* modal) {
                auto* dialog = dynamic_cast<RawImageDialog*>(modal);
                QVERIFY(dialog != nullptr);
                // Byte 0x13: data row 1, column 3; the first key opens the cell editor.
                QVERIFY(QTest::qWaitForWindowActive(dialog));
                FlexGridWidget& grid = dialog->grid();
                grid.setCurrentCell(1, 3);
                grid.setFocus();
                QTest::keyClick(&grid, Qt::Key_G);
                QWidget* editor = QApplication::focusWidget();
                QVERIFY(editor != nullptr && editor != &grid);
                QTest::keyClicks(editor,
                                 opened == 0x3C ? QStringLiteral("3d") : QStringLiteral("3c"));
                QTest::keyClick(editor, Qt::Key_Return);
                if (ok) {
                    QTest::mouseClick(okButton(*dialog), Qt::LeftButton);
                } else {
                    dialog->reject();
                }
            });
            frame.window.runCommand(ID_RAW_EDITOR);
            QCOMPARE(frame.doc.GetUndoHistory().undoCount(), std::size_t{ok ? 1u : 0u});
        }
        QVERIFY(frame.doc.GetMainMemory().byteAt(0x0013) != opened);
        frame.window.runCommand(ID_EDIT_UNDO);
        QCOMPARE(int(frame.doc.GetMainMemory().byteAt(0x0013)), int(opened));
    }

    // The window keeps the box's choice on OK only; how it is stored is the configure choices'
    // test.
    void configureKeepsTheVerifyChoice() {
        StartedFrame frame;
        for (const bool ok : {false, true}) {
            whenModal([ok](QWidget* modal) {
                auto* dialog = dynamic_cast<ConfigureDialog*>(modal);
                QVERIFY(dialog != nullptr);
                QCheckBox& box = dialog->verify();
                QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
                if (ok) {
                    QTest::mouseClick(okButton(*dialog), Qt::LeftButton);
                } else {
                    dialog->reject();
                }
            });
            frame.window.runCommand(ID_FILE_CONFIGURE);
            QCOMPARE(frame.settings.verifyDownload, !ok);
        }
    }

    void compareWithAFileShowsATablePerSection() {
        StartedFrame frame;
        auto other = std::make_unique<RadioImage>(frame.doc.GetMainMemory());
        giveSecondChannelATone(*other);
        const std::string path = frame.file("kept.k70");
        QVERIFY(WriteDataFile(path, *other, frame.prompt));

        answerFile(QString::fromStdString(path));
        frame.window.runCommand(ID_FILE_COMPARE);
        ComparisonWindow* window = frame.window.comparisonWindow();
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->sections().tabText(0), QStringLiteral("Channels (1)"));
        QTableWidget* channels = window->table(0);
        QVERIFY(channels != nullptr);
        QCOMPARE(channels->item(0, 2)->text(), QStringLiteral("C- (100.0)"));
        shoot(*window, QStringLiteral("comparison"));
    }

    void compareWithRadioReadsTheRadioAndChangesNothing() {
        Frame frame;
        frame.settings.portName = std::string(SIMULATED_PORT_NAME);
        frame.window.startWith({});
        Driver answerer;
        // The document is the radio's data as an upload gave it, saved since.
        frame.window.runCommand(ID_RADIO_UPLOAD);
        answerFile(QString::fromStdString(frame.file("radio.k70")));
        frame.window.runCommand(ID_FILE_SAVE);
        QVERIFY(!frame.doc.GetDataModified());
        // Someone changed a channel on the radio since.
        giveSecondChannelATone(frame.window.radio().port().simulatedRadio().radio.memory());

        answerer.texts.clear();
        frame.window.runCommand(ID_RADIO_COMPARE);
        ComparisonWindow* window = frame.window.comparisonWindow();
        QVERIFY(window != nullptr);
        QCOMPARE(answerer.texts, QStringList());
        shoot(*window, QStringLiteral("comparison-with-radio"));
        QCOMPARE(window->table(0)->item(0, 2)->text(), QStringLiteral("C- (100.0)"));
        QVERIFY(!frame.window.isWindowModified());
    }
};

KQ70_GUI_TEST(SafetyTest);
#include "SafetyTest.moc"
