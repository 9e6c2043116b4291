// The keys the built-in help promises, tried on the windows; the help over a page and from the
// grid; the key hint of the status bar.
#include "ChannelViewWidget.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "ParameterPageDialog.h"
#include "channel/CKQ70View.h"
#include "channel/ChannelCellTexts.h"
#include "doc/DefaultImages.h"
#include "frame/CommonCommands.h"
#include "pages/HDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QtTest>

using namespace kq70;

namespace {

// The help window (HelpWindow has no meta object of its own: found by its name).
HelpWindow* helpOf(QWidget& window) {
    return static_cast<HelpWindow*>(window.findChild<QDialog*>(QStringLiteral("HelpWindow")));
}

void focusCell(FlexGridWidget& grid, int row, int column) {
    grid.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid.window()));
    selectCell(grid, row, column);
}

// Every key combination the help pages name ("Ctrl+N", "Shift+F9", "F10", "Alt+O", ...).
QStringList keysTheHelpNames() {
    static const QRegularExpression key(
        QStringLiteral(R"(\b(?:(?:Ctrl|Shift|Alt)\+)+(?:F\d+|[A-Z]\b)|\bF\d+\b)"));
    QStringList keys;
    const QDir pages(QStringLiteral(":/help"));
    for (const QString& name : pages.entryList({QStringLiteral("*.html")})) {
        QFile page(pages.filePath(name));
        if (!page.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString text = QString::fromUtf8(page.readAll());
        for (auto it = key.globalMatch(text); it.hasNext();) {
            const QString found = it.next().captured();
            if (!keys.contains(found)) {
                keys.append(found);
            }
        }
    }
    return keys;
}

// An enabled window command the key sequence triggers.
bool windowHasKey(QMainWindow& window, const QString& sequence) {
    const QKeySequence wanted(sequence);
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->isEnabled() && action->shortcuts().contains(wanted)) {
            return true;
        }
    }
    return false;
}

// A page as the Common menu opens it, with a help function that keeps the topic it got.
struct OpenPage {
    explicit OpenPage(QString* topic) {
        BuildDefaultImage(PMR446_BAND, doc.GetMainMemory());
        page = CommonCommands::CreatePage(ID_COMMON_SCANNING, doc, ACCESS_NORMAL, prompt);
        dialog = std::make_unique<ParameterPageDialog>(
            *page, QStringLiteral("Scanning"), nullptr,
            [topic](const QString& asked) { *topic = asked; });
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    CKQ70Doc doc;
    QtUserPrompt prompt;
    std::unique_ptr<HDialog> page;
    std::unique_ptr<ParameterPageDialog> dialog;
};

} // namespace

class KeysAndHelpTest : public QObject {
    Q_OBJECT

private slots:
    void everyKeyTheHelpNamesWorks() {
        ShownFrame frame;
        FlexGridWidget& grid = frame.window.channelView().grid();
        const auto command = [&frame](const QString& key) {
            return [&frame, key] { QVERIFY2(windowHasKey(frame.window, key), qPrintable(key)); };
        };
        QMap<QString, std::function<void()>> checks;
        for (const char* key : {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Shift+F9"}) {
            checks[QString::fromLatin1(key)] = command(QString::fromLatin1(key));
        }
        checks[QStringLiteral("F10")] = [&frame, &grid] {
            focusCell(grid, ROW1, COL_DECODE);
            QTest::keyClick(&grid, Qt::Key_F10);
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
            QCOMPARE(frame.window.menuBar()->activeAction(),
                     frame.window.menuBar()->actions().first());
            shoot(frame.window, QStringLiteral("f10-opens-the-file-menu"));
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTest::keyClick(frame.window.menuBar(), Qt::Key_Escape);
        };
        checks[QStringLiteral("Shift+F10")] = [&grid] {
            bool asked = false;
            whenModal([&asked](QWidget* modal) {
                asked = true;
                static_cast<QDialog*>(modal)->reject();
            });
            focusCell(grid, ROW1, COL_DECODE);
            QTest::keyClick(&grid, Qt::Key_F10, Qt::ShiftModifier);
            QTRY_VERIFY(asked); // the adjustment-mode password
        };
        checks[QStringLiteral("Alt+O")] = [] {
            QString topic;
            OpenPage open(&topic);
            // A mnemonic clicks its button after a short animation.
            QTest::keyClick(open.dialog.get(), Qt::Key_O, Qt::AltModifier);
            QTRY_COMPARE(open.dialog->result(), int(QDialog::Accepted));
        };
        checks[QStringLiteral("F1")] = [] {
            QString topic;
            OpenPage open(&topic);
            QTest::keyClick(open.dialog.get(), Qt::Key_F1);
            QCOMPARE(topic, qt(open.page->GetHelpTopic()));
        };

        const QStringList promised = keysTheHelpNames();
        QVERIFY(promised.contains(QStringLiteral("Alt+O")));
        for (const QString& key : promised) {
            QVERIFY2(checks.contains(key), qPrintable(key + QStringLiteral(" has no check")));
            checks[key]();
            if (QTest::currentTestFailed()) {
                return;
            }
            frame.window.activateWindow();
        }
    }

    void helpFromAPageIsOnTopOfItAndStaysWhenItCloses() {
        ShownFrame frame;
        bool checked = false;
        whenModal([&frame, &checked](QWidget* page) {
            QVERIFY(QTest::qWaitForWindowActive(page));
            QTest::keyClick(page, Qt::Key_F1);
            auto* help = helpOf(frame.window);
            QVERIFY(help != nullptr);
            QTRY_VERIFY(help->isVisible());
            // The page's own window: on top of it, not blocked by it.
            QCOMPARE(help->parentWidget(), page);
            QVERIFY(QTest::qWaitForWindowActive(help));
            shoot(*help, QStringLiteral("help-over-a-page"));
            checked = true;
            static_cast<QDialog*>(page)->reject();
        });
        frame.window.runCommand(ID_COMMON_SCANNING);
        QVERIFY(checked);
        auto* help = helpOf(frame.window);
        QVERIFY(help != nullptr);
        QCOMPARE(help->parentWidget(), &frame.window);
        QVERIFY(help->isVisible());
        help->close();
    }

    void f1InTheGridOpensTheColumnsSection() {
        ShownFrame frame(ACCESS_MANUFACTURE);
        FlexGridWidget& grid = frame.window.channelView().grid();
        focusCell(grid, ROW1, COL_DECODE);
        QTest::keyClick(&grid, Qt::Key_F1);
        HelpWindow* help = helpOf(frame.window);
        QVERIFY(help != nullptr);
        QTextBrowser& browser = help->browser();
        QCOMPARE(browser.source().toString(), QStringLiteral("main-window.html#grid-tones"));
        // The column's section is on the screen.
        const QTextCursor heading =
            browser.document()->find(QStringLiteral("Sub-audio tones and ARTS"));
        QVERIFY(!heading.isNull());
        QTRY_VERIFY(browser.viewport()->rect().contains(browser.cursorRect(heading)));
        // Every column, shown or not, has its section in the help.
        for (int column = 0; column < CHANNEL_COLUMN_COUNT; ++column) {
            QVERIFY2(helpSectionExists(CKQ70View::helpSection(CKQ70View::HELP_TOPIC_BASE + column)),
                     qPrintable(QString::number(column)));
        }
        auto* contents = help->findChild<QListWidget*>();
        for (int i = 0; i < contents->count(); ++i) {
            QVERIFY(contents->fontMetrics().horizontalAdvance(contents->item(i)->text()) <
                    contents->viewport()->width());
        }
        shoot(*help, QStringLiteral("help-grid-column"));
        help->close();
    }

    void theKeyHintStaysAfterAMenu() {
        ShownFrame frame;
        const QString hint = frame.window.statusBar()->currentMessage();
        QVERIFY(hint.contains(QStringLiteral("F10 for Menus")));
        // Opening a menu and leaving it sends the window a tip, then an empty one.
        QStatusTipEvent empty{QString()};
        QStatusTipEvent tip{QStringLiteral("Creates a new document")};
        QApplication::sendEvent(&frame.window, &tip);
        QCOMPARE(frame.window.statusBar()->currentMessage(),
                 QStringLiteral("Creates a new document"));
        QApplication::sendEvent(&frame.window, &empty);
        QCOMPARE(frame.window.statusBar()->currentMessage(), hint);
    }
};

KQ70_GUI_TEST(KeysAndHelpTest);
#include "KeysAndHelpTest.moc"
