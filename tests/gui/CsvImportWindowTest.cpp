// File > Import from CSV in the window: a file with an error is listed line by line and the
// document stays as it was; a good file is one Ctrl+Z away from the document before it.
#include "ChannelViewWidget.h"
#include "CsvImportErrorWindow.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "channel/ChannelGridLayout.h"
#include "channel/HChannelData.h"
#include "output/CsvReader.h"

#include <QFile>
#include <QTableWidget>
#include <QtTest>

using namespace kq70;

namespace {

constexpr int CH2 = 1;

std::int32_t ch2Squelch(const RadioImage& image) {
    return channelsOf(image).getValue(CH2, squelchLevel);
}

// The window's own export with CH2's squelch cell replaced by `squelch`.
QString editedExport(Frame& frame, const QString& squelch) {
    const QString exported = frame.home.filePath(QStringLiteral("export.csv"));
    answerFile(exported);
    frame.window.runCommand(ID_FILE_EXPORT_CSV);
    std::string out;
    int sq = -1;
    for (CsvRow& row : CsvReader::rows(fileBytes(exported).toStdString())) {
        if (!row.cells.empty() && row.cells[0] == "Chn") {
            sq = static_cast<int>(std::find(row.cells.begin(), row.cells.end(), "SQ") -
                                  row.cells.begin());
        } else if (sq > 0 && !row.cells.empty() &&
                   QString::fromStdString(row.cells[0]).trimmed() == QStringLiteral("2")) {
            row.cells[static_cast<std::size_t>(sq)] = squelch.toStdString();
        }
        for (std::size_t k = 0; k < row.cells.size(); ++k) {
            out += (k != 0 ? ",\"" : "\"") + row.cells[k] + "\"";
        }
        out += "\r\n";
    }
    const QString path = frame.home.filePath(QStringLiteral("plan.csv"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QByteArray::fromStdString(out));
    }
    return path;
}

} // namespace

class CsvImportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void aFileWithAnErrorIsListedAndChangesNothing() {
        StartedFrame frame(ACCESS_MANUFACTURE);
        const QString csv = editedExport(frame, QStringLiteral("99"));
        bool closedByEscape = false;
        answerFile(csv);
        // What the list says, and that the document stays as it was, is the import command's own
        // test; the window shows the list.
        whenModal([&](QWidget* modal) {
            auto* window = dynamic_cast<CsvImportErrorWindow*>(modal);
            QVERIFY(window != nullptr);
            QCOMPARE(window->table().rowCount(), 1);
            shoot(*window, QStringLiteral("csv-import-errors"));
            QTest::keyClick(window, Qt::Key_Escape);
            closedByEscape = !window->isVisible();
        });

        frame.window.runCommand(ID_FILE_IMPORT_CSV);

        QVERIFY(closedByEscape);
        QVERIFY(!frame.window.isWindowModified());
    }

    void aGoodImportIsOneCtrlZAway() {
        StartedFrame frame(ACCESS_MANUFACTURE);
        const QString csv = editedExport(frame, QStringLiteral("9"));
        const RadioImage before = frame.doc.GetMainMemory();
        QVERIFY(ch2Squelch(before) != 9);
        FlexGridWidget& grid = frame.window.channelView().grid();
        showFrame(frame);

        answerFile(csv);
        frame.window.runCommand(ID_FILE_IMPORT_CSV);

        QCOMPARE(ch2Squelch(frame.doc.GetMainMemory()), 9);
        QVERIFY(frame.window.isWindowModified());
        QCOMPARE(grid.textMatrix(2 + CH2, COL_SQUELCH), std::string("9"));

        showFrame(frame); // the file dialog had the focus
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);

        QVERIFY(frame.doc.GetMainMemory() == before);
        QVERIFY(!frame.window.isWindowModified());
        QCOMPARE(grid.textMatrix(2 + CH2, COL_SQUELCH), std::to_string(ch2Squelch(before)));
    }
};

KQ70_GUI_TEST(CsvImportWindowTest);
#include "CsvImportWindowTest.moc"
