// A FIFO where the window expects a data file (named on the command line, dropped, or left in
// the recent-file list): refused with a message at once, never waited on by the window thread,
// and the document stays as it was.
#include "GuiTestSupport.h"

#include <QAction>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kq70;

namespace {

// A window thread blocked in open() serves no timer: the alarm ends the test program instead.
constexpr unsigned HANG_LIMIT_S = 30;

} // namespace

class SpecialFileWindowTest : public QObject {
    Q_OBJECT

private slots:
    void aFifoIsRefusedWithAMessageWhereverItComesFrom() {
        using Open = std::function<void(Frame&, const std::string&)>;
        const std::pair<const char*, Open> ways[] = {
            {"command line",
             [](Frame& frame, const std::string& fifo) { frame.window.startWith(fifo); }},
            {"drop",
             [](Frame& frame, const std::string& fifo) {
                 frame.window.startWith({});
                 dropFile(frame.window, QString::fromStdString(fifo));
             }},
            {"recent file",
             [](Frame& frame, const std::string& fifo) {
                 frame.settings.recentFiles = {fifo};
                 frame.window.startWith({});
                 frame.window.menusChanged(); // the File menu shows the list again
                 auto* recent = frame.window.findChild<QAction*>(QStringLiteral("recent1"));
                 QVERIFY(recent != nullptr);
                 recent->trigger();
             }},
        };
        for (const auto& [name, open] : ways) {
            Frame frame;
            const std::string fifo = frame.file("radio.k70");
            QVERIFY(::mkfifo(fifo.c_str(), 0600) == 0);
            QString seen;
            answerMessage(QMessageBox::Ok, &seen);
            ::alarm(HANG_LIMIT_S);
            open(frame, fifo);
            ::alarm(0);
            QVERIFY2(!seen.isEmpty(), name);
            QVERIFY2(frame.doc.IsUntitled(), name);
            QVERIFY2(!frame.doc.GetDataModified(), name);
        }
    }
};

KQ70_GUI_TEST(SpecialFileWindowTest);
#include "SpecialFileWindowTest.moc"
