// The channel grid in the main window, driven with keys and the mouse as a dealer would.
#include "ChannelViewWidget.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "RawImageDialog.h"
#include "channel/ChannelGridLayout.h"
#include "channel/HChannelData.h"
#include "doc/DataFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace kq70;

namespace {

QString cell(FlexGridWidget& grid, int row, int column) {
    return QString::fromStdString(grid.textMatrix(row, column));
}

void press(FlexGridWidget& grid, int row, int column, int key,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    selectCell(grid, row, column);
    QTest::keyClick(&grid, static_cast<Qt::Key>(key), modifiers);
}

QPoint centreOf(FlexGridWidget& grid, int row, int column) {
    return grid.visualRect(grid.model()->index(grid.tableRow(row), grid.tableColumn(column)))
        .center();
}

// Edits the channel data of the document's image and lets the window reload it as a newly
// opened document.
void editChannels(Frame& frame, const std::function<void(HChannelData&)>& edit) {
    HChannelData data = channelsOf(frame.doc.GetMainMemory());
    edit(data);
    data.store(frame.doc.GetMainMemory());
    frame.window.channelView().documentChanged();
}

// A 256-channel radio with 16 groups of 16 programmed channels on varied frequencies.
RadioImage radioWith256Channels() {
    RadioImage image = imageWithGroups(std::vector<int>(HGroupTable::GROUP_COUNT, 16), 6);
    HChannelData data = channelsOf(image);
    for (int ch = 0; ch < data.capacity(); ++ch) {
        const std::int32_t hz = 440000000 + ch * 12500;
        data.setValue(ch, inUse, 1);
        data.setValue(ch, rxFrequency, hz);
        data.setValue(ch, txFrequency, hz);
        data.setValue(ch, txInhibit, 0);
    }
    data.store(image);
    return image;
}

} // namespace

class ChannelGridTest : public QObject {
    Q_OBJECT

private slots:
    void spaceOnDecodeShowsCtcssThatSurvivesConfigureAndIsSavedOnBothSides() {
        ShownFrame frame;
        FlexGridWidget& grid = frame.window.channelView().grid();
        press(grid, ROW1, COL_DECODE, Qt::Key_Space);
        QCOMPARE(cell(grid, ROW1, COL_DECODE), QStringLiteral("No.10 (C-67.0)"));
        QVERIFY(frame.window.isWindowModified());

        // File > Configure reloads the view with the port it names: the edit survives it.
        whenModal([](QWidget* modal) { okButton(*static_cast<QDialog*>(modal))->click(); });
        frame.window.runCommand(ID_FILE_CONFIGURE);
        QCOMPARE(cell(grid, ROW1, COL_DECODE), QStringLiteral("No.10 (C-67.0)"));

        // The save commits the grid's edit before it writes.
        const QString path = QString::fromStdString(frame.file("tones.K70"));
        answerFile(path);
        frame.window.runCommand(ID_FILE_SAVE);
        RadioImage written;
        QVERIFY(ReadDataFile(path.toStdString(), written, frame.prompt));
        const HChannelData saved = channelsOf(written);
        QCOMPARE(saved.getValue(0, rxToneCode), 670);
        QCOMPARE(saved.getValue(0, txToneCode), 670);
    }

    void openingAFileShowsItsChannels() {
        ShownFrame frame(ACCESS_MANUFACTURE);
        const std::string path = frame.file("fleet.K70");
        QVERIFY(WriteDataFile(path, radioWith256Channels(), frame.prompt));

        answerFile(QString::fromStdString(path));
        frame.window.runCommand(ID_FILE_OPEN);
        ChannelViewWidget& view = frame.window.channelView();
        FlexGridWidget& grid = view.grid();
        QVERIFY(!view.groupSelector().isHidden());

        // F2 moves to the next used group, shown from its first channel; the selector follows.
        frame.window.resize(700, 300);
        QTRY_VERIFY(grid.viewport()->height() < grid.rowHeight(0) * 16);
        grid.scrollToBottom();
        QVERIFY(grid.rowAt(0) > 0);
        press(grid, ROW1 + 15, COL_RX_FREQUENCY, Qt::Key_F2);
        QCOMPARE(grid.rowAt(0), 0);
        QCOMPARE(view.groupSelector().currentData().toInt(), 1);
        QCOMPARE(cell(grid, ROW1, COL_CHANNEL).trimmed(), QStringLiteral("17"));

        view.groupSelector().setCurrentIndex(15);
        emit view.groupSelector().activated(15);
        QCOMPARE(cell(grid, ROW1, COL_CHANNEL).trimmed(), QStringLiteral("241"));
        frame.window.resize(1000, 640);
        shoot(frame.window, QStringLiteral("main-window-256-mode1"));

        frame.window.runCommand(ID_FILE_NEW);
        QVERIFY(view.groupSelector().isHidden());
    }

    void typedFrequenciesAreFilteredAndChecked() {
        ShownFrame frame(ACCESS_MANUFACTURE);
        FlexGridWidget& grid = frame.window.channelView().grid();
        // Letters never reach the editor; a value outside the band is cut to its edge after the
        // message.
        QLineEdit* editor = typeIntoCell(grid, ROW1, COL_RX_FREQUENCY, QStringLiteral("4x4y5"));
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("445"));
        QString seen;
        answerMessage(QMessageBox::Ok, &seen);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits once the key has been handled.
        QTRY_COMPARE(cell(grid, ROW1, COL_RX_FREQUENCY).trimmed(), QStringLiteral("445.00000"));
        QVERIFY(!seen.isEmpty());
        showFrame(frame); // offscreen the focus does not come back by itself

        // A letter on a cell that is not typed into goes nowhere, not even to another row.
        frame.doc.SetDataModified(false);
        selectCell(grid, ROW1 + 3, COL_SCAN);
        QTest::keyClicks(&grid, QStringLiteral("c3"));
        QCOMPARE(grid.currentRow(), grid.tableRow(ROW1 + 3));
        QCOMPARE(grid.currentColumn(), grid.tableColumn(COL_SCAN));
        QVERIFY(!frame.doc.GetDataModified());
    }

    void f3ReachesTheDecodeColumnOnly() {
        ShownFrame frame;
        editChannels(frame, [](HChannelData& data) {
            data.setValue(0, rxToneMode, 2);
            data.setValue(0, rxToneCode, 19);
            data.setValue(0, rxDcsInverted, 0);
            data.setValue(0, rxDcsBoth, 0);
            data.setValue(0, txToneMode, 2);
            data.setValue(0, txToneCode, 19);
            data.setValue(0, txDcsInverted, 0);
        });
        FlexGridWidget& grid = frame.window.channelView().grid();
        press(grid, ROW1, COL_DECODE, Qt::Key_F3);
        QVERIFY2(cell(grid, ROW1, COL_DECODE).endsWith(QStringLiteral(" I)")),
                 qPrintable(cell(grid, ROW1, COL_DECODE)));
        const QString tx = cell(grid, ROW1, COL_ENCODE);
        press(grid, ROW1, COL_SCAN, Qt::Key_F3);
        QCOMPARE(cell(grid, ROW1, COL_ENCODE), tx);
    }

    void copiedToneCellPastesIntoThreeRows() {
        ShownFrame frame;
        FlexGridWidget& grid = frame.window.channelView().grid();
        const QString tone = cell(grid, ROW1 + 8, COL_DECODE);
        QCOMPARE(tone, QStringLiteral("No.10 (C-67.0)"));

        press(grid, ROW1 + 8, COL_DECODE, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().contains(tone));

        selectCell(grid, ROW1 + 1, COL_DECODE);
        grid.setRangeSelected(
            QTableWidgetSelectionRange(grid.tableRow(ROW1 + 1), grid.tableColumn(COL_DECODE),
                                       grid.tableRow(ROW1 + 3), grid.tableColumn(COL_DECODE)),
            true);
        QTest::keyClick(&grid, Qt::Key_Insert, Qt::ShiftModifier);
        for (int row : {ROW1 + 1, ROW1 + 2, ROW1 + 3}) {
            QCOMPARE(cell(grid, row, COL_DECODE), tone);
        }
        QCOMPARE(cell(grid, ROW1 + 4, COL_DECODE), QStringLiteral("-----"));

        // Copy acts only while the grid has the focus.
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        grid.clearFocus();
        frame.window.runCommand(ID_EDIT_COPY);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    }

    void viewItemCommandsHideAndShowColumns() {
        ShownFrame frame;
        FlexGridWidget& grid = frame.window.channelView().grid();
        QAction* scan = frame.window.action(int{ID_VIEW_ITEM_FIRST} + ChannelGridLayout::ITEM_SCAN);
        QVERIFY(scan != nullptr);
        scan->trigger();
        QVERIFY(grid.isColumnHidden(grid.tableColumn(COL_SCAN)));
        QVERIFY(!scan->isChecked());
        scan->trigger();
        QVERIFY(!grid.isColumnHidden(grid.tableColumn(COL_SCAN)));
        QVERIFY(scan->isChecked());

        // The Visible dialog: Dial Scan unticked hides its column; a fixed one stays disabled.
        whenModal([](QWidget* modal) {
            auto* dial = modal->findChild<QCheckBox*>(QStringLiteral("item9"));
            auto* pri = modal->findChild<QCheckBox*>(QStringLiteral("item1"));
            QVERIFY(dial != nullptr && pri != nullptr);
            QVERIFY(!pri->isEnabled());
            dial->setChecked(false);
            shoot(*modal, QStringLiteral("visible-items"));
            okButton(*static_cast<QDialog*>(modal))->click();
        });
        frame.window.runCommand(ID_VIEW_ITEM_VISIBLE);
        QVERIFY(grid.isColumnHidden(grid.tableColumn(COL_DIAL_SCAN)));
        QVERIFY(!frame.window.action(int{ID_VIEW_ITEM_FIRST} + ChannelGridLayout::ITEM_DIAL_SCAN)
                     ->isChecked());
    }

    void returnOpensTheChooserOrTheDropDownOfACell() {
        ShownFrame frame;
        FlexGridWidget& grid = frame.window.channelView().grid();
        // The tone's chooser: Escape leaves the cell as it was.
        const QString before = cell(grid, ROW1 + 8, COL_DECODE);
        QString shownTitle;
        whenModal([&shownTitle](QWidget* dialog) {
            shownTitle = dialog->windowTitle();
            QVERIFY(dialog->findChild<QListWidget*>(QStringLiteral("chooserList")) != nullptr);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        press(grid, ROW1 + 8, COL_DECODE, Qt::Key_Return);
        QVERIFY(!shownTitle.isEmpty());
        QCOMPARE(cell(grid, ROW1 + 8, COL_DECODE), before);

        showFrame(frame);
        press(grid, ROW1 + 2, COL_SQUELCH, Qt::Key_Return);
        auto* combo = grid.viewport()->findChild<QComboBox*>();
        QVERIFY(combo != nullptr);
        combo->setCurrentIndex(7);
        QTest::keyClick(combo, Qt::Key_Return);
        QTRY_COMPARE(cell(grid, ROW1 + 2, COL_SQUELCH), QStringLiteral("7"));
    }

    void functionKeysReachTheWindow() {
        ShownFrame frame;
        FlexGridWidget& grid = frame.window.channelView().grid();
        // Shift+F9 opens the raw image editor over the committed image.
        bool rawShown = false;
        whenModal([&rawShown](QWidget* modal) {
            rawShown = dynamic_cast<RawImageDialog*>(modal) != nullptr;
            static_cast<QDialog*>(modal)->reject();
        });
        press(grid, ROW1, COL_DECODE, Qt::Key_F9, Qt::ShiftModifier);
        QVERIFY(rawShown);

        // The grid's context menu copies the current cell.
        showFrame(frame);
        selectCell(grid, ROW1 + 8, COL_DECODE);
        QGuiApplication::clipboard()->clear();
        QTimer::singleShot(50, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        emit grid.customContextMenuRequested(centreOf(grid, ROW1 + 8, COL_DECODE));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("No.10 (C-67.0)")));
    }

    void channelAllocationReloadsTheGridAndTheStrip() {
        ShownFrame frame(ACCESS_MANUFACTURE);
        const std::string path = frame.file("one.K70");
        QVERIFY(WriteDataFile(path, imageWithGroups({1}, 6), frame.prompt));
        answerFile(QString::fromStdString(path));
        frame.window.runCommand(ID_FILE_OPEN);
        ChannelViewWidget& view = frame.window.channelView();
        QCOMPARE(view.grid().rowCount(), ROW1 + 1);
        QAction* allocation = frame.window.action(ID_CHANNEL_ALLOCATIONS);
        QVERIFY(allocation != nullptr && allocation->isEnabled());

        // OK: the first group takes the 255 it may have (300 typed), the grid and the strip follow.
        whenModal([](QWidget* window) {
            auto* count = window->findChild<QLineEdit*>(QStringLiteral("control2601"));
            QVERIFY(count != nullptr);
            count->setFocus();
            QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(count, QStringLiteral("300"));
            QTest::keyClick(count, Qt::Key_Return); // the large window works the count out
            okButton(*static_cast<QDialog*>(window))->click();
        });
        allocation->trigger();
        QCOMPARE(view.grid().rowCount(), ROW1 + 255);
        QVERIFY(view.stripText().contains(QStringLiteral("1 Channels Left")));
        QVERIFY(frame.window.isWindowModified());
    }

    // Scanned channels, and three channels not programmed: their rows are grey, their ticks too,
    // and a double-click on the channel number programs one.
    void pmr446ScreenInNormalModeAndADoubleClickProgramsAChannel() {
        ShownFrame frame;
        frame.window.resize(900, 600);
        editChannels(frame, [](HChannelData& data) {
            for (int ch = 0; ch < 16; ch += 3) {
                data.setValue(ch, scan, 1);
                data.setValue(ch, dialScan, 1);
            }
            data.setValue(4, inUse, 0);
            data.setValue(13, inUse, 0);
            data.setValue(15, inUse, 0);
            data.setValue(15, dialScan, 1);
        });
        frame.doc.SetDataModified(false);
        FlexGridWidget& grid = frame.window.channelView().grid();
        // Equal neighbours of a header row share one cell, blank ones included.
        using Run = std::pair<int, int>;
        QCOMPARE(grid.mergedRun(0, COL_TX_FREQUENCY), Run(COL_RX_FREQUENCY, COL_TX_FREQUENCY));
        QCOMPARE(grid.mergedRun(0, COL_TOT), Run(COL_TOT, COL_SQUELCH));
        QCOMPARE(grid.mergedRun(0, COL_DIAL_SCAN), Run(COL_DIAL_SCAN, COL_DIAL_SCAN));
        // Check marks: the picture tells ticked from not, and a disabled tick from an enabled one.
        auto picture = [&grid](int row, int column) {
            return grid.item(grid.tableRow(row), grid.tableColumn(column))
                ->data(FlexGridWidget::CHECK_PICTURE_ROLE)
                .toInt();
        };
        QCOMPARE(picture(ROW1, COL_SCAN), int{FlexGridWidget::CHECK_TICK});
        QCOMPARE(picture(ROW1 + 1, COL_SCAN), int{FlexGridWidget::CHECK_EMPTY});
        QCOMPARE(picture(ROW1 + 15, COL_SCAN), int{FlexGridWidget::CHECK_DISABLED_TICK});
        QCOMPARE(picture(ROW1 + 15, COL_DIAL_SCAN), int{FlexGridWidget::CHECK_TICK});
        shoot(*grid.horizontalHeader(), QStringLiteral("grid-header"));
        shoot(frame.window, QStringLiteral("main-window-pmr446-mode0"));

        const int row = ROW1 + 4;
        const QColor grey(0xDC, 0xDC, 0xDC);
        QCOMPARE(grid.item(grid.tableRow(row), grid.tableColumn(COL_DECODE))->background().color(),
                 grey);
        QCOMPARE(grid.backgroundOfFixedCell(row), grey);
        const QString before = cell(grid, row, COL_DECODE);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centreOf(grid, row, COL_DECODE));
        QCOMPARE(cell(grid, row, COL_DECODE), before);
        QVERIFY(!frame.doc.GetDataModified());

        QHeaderView* numbers = grid.verticalHeader();
        const QPoint at(numbers->width() / 2, numbers->sectionViewportPosition(grid.tableRow(row)) +
                                                  numbers->sectionSize(grid.tableRow(row)) / 2);
        QTest::mouseDClick(numbers->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(frame.window.channelView().view().GetChannelData().isInUse(4));
        QVERIFY(!grid.backgroundOfFixedCell(row).isValid());
    }
};

KQ70_GUI_TEST(ChannelGridTest);
#include "ChannelGridTest.moc"
