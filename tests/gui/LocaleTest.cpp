// The desktop program under a decimal-comma locale, set for the whole process as Qt sets the
// user's: a frequency typed into the grid keeps its decimal point.
#include "ChannelViewWidget.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "channel/ChannelCellTexts.h"
#include "channel/HChannelData.h"
#include "support/ProcessLocale.h"

#include <QLineEdit>
#include <QtTest>

using namespace kq70;

namespace {

constexpr int ROW2 = 3; // channel 2, under the two header rows

} // namespace

class LocaleTest : public QObject {
    Q_OBJECT

private slots:
    void aFrequencyTypedUnderAGermanLocaleIsStoredExactly() {
        const test::ProcessLocale german("de_DE");
        if (!german.active()) {
            QSKIP(german.why().c_str());
        }
        ShownFrame frame(ACCESS_MANUFACTURE);
        FlexGridWidget& grid = frame.window.channelView().grid();
        QLineEdit* editor = typeIntoCell(grid, ROW2, COL_RX_FREQUENCY, QStringLiteral("446.0125"));
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(QString::fromStdString(grid.textMatrix(ROW2, COL_RX_FREQUENCY)).trimmed(),
                     QStringLiteral("446.01250"));

        frame.window.channelView().saveData();
        HChannelData stored;
        stored.extract(frame.doc.GetMainMemory());
        QCOMPARE(stored.getValue(1, rxFrequency), 446012500);
    }
};

KQ70_GUI_TEST(LocaleTest);
#include "LocaleTest.moc"
