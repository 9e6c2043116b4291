// The channel grid in the main window, driven with keys and the mouse as a dealer would.
#include "ChannelViewWidget.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "channel/ChannelCellTexts.h"
#include "channel/HChannelData.h"
#include "channel/HChannelRecord.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "frame/MainMenuModel.h"
#include "support/ScriptedChoosers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include <functional>

using namespace kq70;

namespace {

constexpr int ROW1 = 2; // first channel row under the two header rows

QString cell(FlexGridWidget& grid, int row, int column) {
    return QString::fromStdString(grid.textMatrix(row, column));
}

void selectCell(FlexGridWidget& grid, int row, int column) {
    grid.setCurrentCell(grid.tableRow(row), grid.tableColumn(column));
    grid.setFocus();
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

// A channel's values as the image holds them.
HChannelData channelsOf(const RadioImage& image) {
    HChannelData data;
    data.extract(image);
    return data;
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
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    setRadioChannel(image, 6);
    HChannelData data;
    data.extract(image);
    for (int g = 0; g < HGroupTable::GROUP_COUNT; ++g) {
        data.groups().setCount(g, 16);
    }
    for (int ch = 0; ch < data.capacity(); ++ch) {
        const std::int32_t hz = 440000000 + ch * 12500;
        data.setValue(ch, inUse, 1);
        data.setValue(ch, rxFrequency, hz);
        data.setValue(ch, txFrequency, hz);
        data.setValue(ch, txInhibit, 0);
        data.setValue(ch, scan, ch % 3 == 0 ? 1 : 0);
        data.setValue(ch, rxToneMode, ch % 4 == 1 ? 1 : 0);
        data.setValue(ch, rxToneCode, ch % 4 == 1 ? 885 : 0);
    }
    data.store(image);
    return image;
}

void showFrame(Frame& frame) {
    frame.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame.window));
    frame.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame.window));
}

} // namespace

class ChannelGridTest : public QObject {
    Q_OBJECT

private slots:
    void spaceOnDecodeShowsCtcssAndASaveWritesItOnBothSides();
    void enterOnADecodeCellOpensTheToneChooser();
    void doubleClickOnTheChannelNumberProgramsTheChannel();
    void openingAFileShowsItsChannels();
};

void ChannelGridTest::spaceOnDecodeShowsCtcssAndASaveWritesItOnBothSides() {
    Frame frame;
    frame.window.startWith({});
    showFrame(frame);
    FlexGridWidget& grid = frame.window.channelView().grid();
    QCOMPARE(grid.rowCount(), ROW1 + 16);
    QCOMPARE(cell(grid, ROW1, COL_DECODE), QStringLiteral("-----"));
    QVERIFY(!frame.doc.dataModified());

    press(grid, ROW1, COL_DECODE, Qt::Key_Space);
    QCOMPARE(cell(grid, ROW1, COL_DECODE), QStringLiteral("No.10 (C-67.0)"));
    QVERIFY(cell(grid, ROW1, COL_ENCODE).contains(QStringLiteral("67.0")));
    QVERIFY(frame.doc.dataModified());
    QVERIFY(frame.window.isWindowModified());

    // The save commits the grid's edit before it writes.
    const QString path = QString::fromStdString(frame.file("tones.K70"));
    answerFile(path);
    frame.window.runCommand(ID_FILE_SAVE);
    RadioImage written;
    QVERIFY(ReadDataFile(path.toStdString(), written, frame.prompt));
    const HChannelData saved = channelsOf(written);
    QCOMPARE(saved.getValue(0, rxToneMode), 1);
    QCOMPARE(saved.getValue(0, rxToneCode), 670);
    QCOMPARE(saved.getValue(0, txToneMode), 1);
    QCOMPARE(saved.getValue(0, txToneCode), 670);
    QVERIFY(!frame.doc.dataModified());
}

void ChannelGridTest::enterOnADecodeCellOpensTheToneChooser() {
    Frame frame;
    test::ScriptedChoosers choosers;
    frame.window.channelView().setChoosers(&choosers);
    frame.window.startWith({});
    showFrame(frame);
    FlexGridWidget& grid = frame.window.channelView().grid();

    // Channel 9 decodes CTCSS: Enter opens the chooser on its tone.
    choosers.toneAnswers.push_back(ChannelChoosers::Tone{ToneKind::Dcs, 19});
    press(grid, ROW1 + 8, COL_DECODE, Qt::Key_Return);
    QCOMPARE(choosers.tonePresets.size(), std::size_t{1});
    QCOMPARE(choosers.tonePresets[0].code, 670);
    QVERIFY(cell(grid, ROW1 + 8, COL_DECODE).contains(QStringLiteral("D-023")));
    QVERIFY(frame.doc.dataModified());

    // Cancelled: the cell keeps its text.
    const QString before = cell(grid, ROW1 + 9, COL_DECODE);
    press(grid, ROW1 + 9, COL_DECODE, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(choosers.tonePresets.size(), std::size_t{2});
    QCOMPARE(cell(grid, ROW1 + 9, COL_DECODE), before);
}

void ChannelGridTest::doubleClickOnTheChannelNumberProgramsTheChannel() {
    Frame frame;
    frame.window.startWith({});
    showFrame(frame);
    editChannels(frame, [](HChannelData& data) { data.setValue(4, inUse, 0); });
    frame.doc.setDataModified(false);
    FlexGridWidget& grid = frame.window.channelView().grid();
    const int row = ROW1 + 4;
    const QColor grey(0xDC, 0xDC, 0xDC);
    QCOMPARE(grid.item(grid.tableRow(row), grid.tableColumn(COL_DECODE))->background().color(),
             grey);
    QCOMPARE(grid.backgroundOfFixedCell(row), grey);
    // Dial Scan stays usable on an unprogrammed channel.
    QVERIFY(grid.item(grid.tableRow(row), grid.tableColumn(COL_DIAL_SCAN))
                ->data(Qt::BackgroundRole)
                .isNull());

    // A double-click on a data cell of the unprogrammed row does nothing.
    const QString before = cell(grid, row, COL_DECODE);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centreOf(grid, row, COL_DECODE));
    QCOMPARE(cell(grid, row, COL_DECODE), before);
    QVERIFY(!frame.doc.dataModified());

    QHeaderView* numbers = grid.verticalHeader();
    const QPoint at(numbers->width() / 2, numbers->sectionViewportPosition(grid.tableRow(row)) +
                                              numbers->sectionSize(grid.tableRow(row)) / 2);
    QTest::mouseDClick(numbers->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(frame.window.channelView().view().channelData().isInUse(4));
    QVERIFY(!grid.backgroundOfFixedCell(row).isValid());
    QVERIFY(grid.item(grid.tableRow(row), grid.tableColumn(COL_DECODE))
                ->data(Qt::BackgroundRole)
                .isNull());
    QVERIFY(frame.doc.dataModified());
}

void ChannelGridTest::openingAFileShowsItsChannels() {
    Frame frame(ACCESS_MANUFACTURE);
    frame.window.startWith({});
    showFrame(frame);
    const std::string path = frame.file("fleet.K70");
    QVERIFY(WriteDataFile(path, radioWith256Channels(), frame.prompt));

    answerFile(QString::fromStdString(path));
    frame.window.runCommand(ID_FILE_OPEN);
    ChannelViewWidget& view = frame.window.channelView();
    FlexGridWidget& grid = view.grid();
    QCOMPARE(grid.rowCount(), ROW1 + 16);
    QCOMPARE(view.groupSelector().count(), 16);
    QVERIFY(!view.groupSelector().isHidden());
    QCOMPARE(cell(grid, ROW1, COL_RX_FREQUENCY).trimmed(), QStringLiteral("440.00000"));

    // F2 moves to the next used group; the selector follows.
    press(grid, ROW1, COL_RX_FREQUENCY, Qt::Key_F2);
    QCOMPARE(view.view().currentGroup(), 1);
    QCOMPARE(view.groupSelector().currentData().toInt(), 1);
    QCOMPARE(cell(grid, ROW1, COL_CHANNEL).trimmed(), QStringLiteral("17"));
    QCOMPARE(cell(grid, ROW1, COL_RX_FREQUENCY).trimmed(), QStringLiteral("440.20000"));

    // The selector picks a group directly.
    view.groupSelector().setCurrentIndex(15);
    emit view.groupSelector().activated(15);
    QCOMPARE(cell(grid, ROW1, COL_CHANNEL).trimmed(), QStringLiteral("241"));
    frame.window.resize(1000, 640);
    shoot(frame.window, QStringLiteral("main-window-256-mode1"));

    // File > New goes back to the 16-channel radio, group selector hidden.
    frame.window.runCommand(ID_FILE_NEW);
    QCOMPARE(grid.rowCount(), ROW1 + 16);
    QVERIFY(view.groupSelector().isHidden());
}

KQ70_GUI_TEST(ChannelGridTest);
#include "ChannelGridTest.moc"
