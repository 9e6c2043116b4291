// A value still being typed in a grid cell, and the commands that come while it is: every
// command that reads, saves, replaces or closes the document takes the value first, or is
// refused with the cell still open when the text is no value. Also the ways of replacing the
// document, which must all leave the window alike.
#include "ChannelViewWidget.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "channel/ChannelGridLayout.h"
#include "channel/HChannelData.h"
#include "doc/DataFile.h"
#include "ui/Strings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

#include <utility>

using namespace kq70;

namespace {

constexpr int CH3_ROW = ROW1 + 2; // the row of channel 3
constexpr std::int32_t TYPED_HZ = 446050000;

std::int32_t ch3Rx(const RadioImage& image) {
    return channelsOf(image).getValue(2, rxFrequency);
}

std::int32_t ch3Squelch(const RadioImage& image) {
    return channelsOf(image).getValue(2, squelchLevel);
}

// Answers every dialog a command opens the way that changes least (Cancel, No, OK; file
// dialogs rejected unless a file to save to is given) and keeps what each one was.
class Answerer : public Driver {
public:
    explicit Answerer(QString file = {}) : saveTo(std::move(file)) {
        qApp->installEventFilter(this);
        choose = [](QMessageBox& box) {
            return box.button(QMessageBox::Cancel) != nullptr ? QMessageBox::Cancel
                                                              : QMessageBox::No;
        };
        onModal = [this](QWidget& modal) {
            auto* files = qobject_cast<QFileDialog*>(&modal);
            texts.append(files != nullptr ? QStringLiteral("file dialog")
                                          : QString::fromLatin1(modal.metaObject()->className()));
            if (files != nullptr && !saveTo.isEmpty() &&
                files->acceptMode() == QFileDialog::AcceptSave) {
                files->selectFile(saveTo);
                QMetaObject::invokeMethod(files, "accept");
            } else if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
                dialog->reject();
            }
        };
    }
    QString saveTo;
    // Called as the command's first window shows, before it takes the focus.
    std::function<void()> firstWindow;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->windowType() == Qt::Dialog && firstWindow) {
            const auto call = std::exchange(firstWindow, nullptr);
            call();
        }
        return QObject::eventFilter(watched, event);
    }
};

// A window over a saved file of its own ("radio.k70", also the recent file), on a port that
// is not there, shown and active.
struct GateFrame : Frame {
    explicit GateFrame(int mode = ACCESS_MANUFACTURE) : Frame(mode) {
        settings.portName = file("no-such-port");
        window.startWith({});
        answerFile(home.filePath(QStringLiteral("radio.k70")));
        window.runCommand(ID_FILE_SAVE_AS);
        showFrame(*this);
    }
    FlexGridWidget& grid() { return window.channelView().grid(); }

    // Types into CH3's receive frequency and leaves the cell open.
    QLineEdit* typeFrequency(const QString& text) {
        return typeIntoCell(grid(), CH3_ROW, COL_RX_FREQUENCY, text);
    }
    // Picks the next squelch level in CH3's drop-down and leaves it open.
    QComboBox* pickSquelch() {
        selectCell(grid(), CH3_ROW, COL_SQUELCH);
        QTest::keyClick(&grid(), Qt::Key_Return);
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        if (combo != nullptr) {
            combo->setCurrentIndex(combo->currentIndex() + 1);
        }
        return combo;
    }
};

void menu(Frame& frame, int command) {
    QAction* act = frame.window.action(command);
    QVERIFY2(act != nullptr, qPrintable(QString::number(command)));
    act->trigger();
}

using Trigger = std::function<void(GateFrame&)>;

Trigger keys(int key) {
    return [key](GateFrame& /*frame*/) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key),
                        Qt::ControlModifier);
    };
}

Trigger command(int id) {
    return [id](GateFrame& frame) { menu(frame, id); };
}

struct GateCase {
    const char* name;
    Trigger trigger;
    const char* savedTo = nullptr; // the file the command writes
    bool asksToSave = false;       // the command would replace or close the document
};

// One command per way a command reaches the window: its keys with the cell editor focused, the
// menu, the toolbar, a recent file, a drop, the close event; and each kind of command: one
// that saves, replaces, runs a radio job or opens a page. The gate's rule is the core's.
std::vector<GateCase> gateCases() {
    return {
        {"Save (Ctrl+S)", keys(Qt::Key_S), "radio.k70"},
        {"Save As", command(ID_FILE_SAVE_AS), "saved-as.k70"},
        {"New (Ctrl+N)", keys(Qt::Key_N), nullptr, true},
        {"recent file",
         [](GateFrame& frame) {
             frame.window.findChild<QAction*>(QStringLiteral("recent1"))->trigger();
         },
         nullptr, true},
        {"drop",
         [](GateFrame& frame) {
             dropFile(frame.window, frame.home.filePath(QStringLiteral("radio.k70")));
         },
         nullptr, true},
        {"close event (Alt+F4)", [](GateFrame& frame) { frame.window.close(); }, nullptr, true},
        {"Upload on the toolbar",
         [](GateFrame& frame) {
             frame.window.findChild<QAction*>(QStringLiteral("toolbar%1").arg(ID_TOOLBAR_UPLOAD))
                 ->trigger();
         },
         nullptr, true},
        {"Hardware", command(ID_COMMON_HARDWARE)},
    };
}

} // namespace

class DocumentGateTest : public QObject {
    Q_OBJECT

private slots:
    void everyCommandTakesTheValueBeingTyped() {
        for (const GateCase& c : gateCases()) {
            GateFrame frame;
            const std::int32_t before = ch3Rx(frame.doc.GetMainMemory());
            QVERIFY(before != TYPED_HZ);
            QVERIFY2(frame.typeFrequency(QStringLiteral("446.05")) != nullptr, c.name);
            Answerer answerer(frame.home.filePath(QStringLiteral("saved-as.k70")));
            bool windowShown = false;
            answerer.firstWindow = [&] {
                windowShown = true;
                QVERIFY2(!frame.grid().isEditing(), c.name);
                QVERIFY2(ch3Rx(frame.doc.GetMainMemory()) == TYPED_HZ, c.name);
            };

            c.trigger(frame);

            QVERIFY2(!frame.grid().isEditing(), c.name);
            QVERIFY2(frame.window.isVisible(), c.name);
            QVERIFY2(ch3Rx(frame.doc.GetMainMemory()) == TYPED_HZ, c.name);
            const std::string file = c.savedTo != nullptr ? c.savedTo : "radio.k70";
            QCOMPARE(frame.doc.GetCurrentFilePath(), frame.file(file.c_str()));
            if (c.savedTo != nullptr) {
                RadioImage saved;
                QVERIFY2(ReadDataFile(frame.file(c.savedTo), saved, frame.prompt), c.name);
                QVERIFY2(ch3Rx(saved) == TYPED_HZ, c.name);
                QVERIFY2(!frame.window.isWindowModified(), c.name);
            } else {
                QVERIFY2(windowShown, c.name);
                QVERIFY2(frame.window.isWindowModified(), c.name);
            }
            QCOMPARE(!answerer.texts.isEmpty() &&
                         answerer.texts.first() == qt(Strings::get(IDS_SAVE_CHANGES)),
                     c.asksToSave);
        }
    }

    void anUnfinishedValueRefusesEveryCommand() {
        for (const GateCase& c : gateCases()) {
            GateFrame frame;
            const RadioImage before = frame.doc.GetMainMemory();
            QLineEdit* editor = frame.typeFrequency(QStringLiteral("4..4"));
            QVERIFY2(editor != nullptr, c.name);
            Answerer answerer(frame.home.filePath(QStringLiteral("saved-as.k70")));

            c.trigger(frame);

            // The view's message and nothing else: the command did not run.
            QCOMPARE(answerer.texts, QStringList{qt(text::FREQUENCY_EDIT_NOT_A_NUMBER)});
            QVERIFY2(frame.grid().isEditing(), c.name);
            QCOMPARE(editor->text(), QStringLiteral("4..4"));
            QVERIFY2(frame.window.isVisible(), c.name);
            QVERIFY2(frame.doc.GetMainMemory() == before, c.name);
            QVERIFY2(!QFile::exists(answerer.saveTo), c.name);
        }
    }

    // In the adjustment mode a frequency is chosen, not typed: the open drop-down of a squelch
    // cell is the value still being entered.
    void alignmentTakesAPickedDropDownEntry() {
        GateFrame frame(ACCESS_ADJUSTMENT);
        const std::int32_t before = ch3Squelch(frame.doc.GetMainMemory());
        QVERIFY(frame.pickSquelch() != nullptr);
        Answerer answerer;
        bool windowShown = false;
        answerer.firstWindow = [&] {
            windowShown = true;
            QVERIFY(!frame.grid().isEditing());
            QCOMPARE(ch3Squelch(frame.doc.GetMainMemory()), before + 1);
        };

        menu(frame, ID_RADIO_ALIGNMENT);

        QVERIFY(windowShown);
        QCOMPARE(ch3Squelch(frame.doc.GetMainMemory()), before + 1);
    }

    // Edit > Undo while a value is typed takes back exactly that value; Redo brings it again.
    void undoTakesTheTypedValueBackAsOneStep() {
        GateFrame frame;
        FlexGridWidget& grid = frame.grid();
        selectCell(grid, ROW1, COL_SCAN);
        QTest::keyClick(&grid, Qt::Key_Space); // a step before the typing
        const RadioImage afterSpace = frame.doc.GetMainMemory();
        frame.typeFrequency(QStringLiteral("446.05"));

        menu(frame, ID_EDIT_UNDO);
        QVERIFY(!grid.isEditing());
        QVERIFY(frame.doc.GetMainMemory() == afterSpace);

        menu(frame, ID_EDIT_REDO);
        QCOMPARE(ch3Rx(frame.doc.GetMainMemory()), TYPED_HZ);
        QCOMPARE(grid.textMatrix(CH3_ROW, COL_RX_FREQUENCY), std::string("446.05000"));
    }
};

KQ70_GUI_TEST(DocumentGateTest);

#include "DocumentGateTest.moc"
