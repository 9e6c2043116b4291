#include "GuiTestSupport.h"

#include "AlignmentWindow.h"
#include "ChannelViewWidget.h"
#include "CommunicationWindow.h"
#include "FlexGridWidget.h"
#include "HelpWindow.h"
#include "InProcessRadio.h"
#include "RadioPort.h"
#include "RadioSession.h"
#include "VcoAutoDialog.h"
#include "channel/HChannelData.h"
#include "support/BuiltPrograms.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include <map>
#include <string>

namespace kq70 {

HChannelData channelsOf(const RadioImage& image) {
    HChannelData data;
    data.extract(image);
    return data;
}

void selectCell(FlexGridWidget& grid, int row, int column) {
    grid.setCurrentCell(grid.tableRow(row), grid.tableColumn(column));
    grid.setFocus();
}

QLineEdit* typeIntoCell(FlexGridWidget& grid, int row, int column, const QString& text) {
    selectCell(grid, row, column);
    QTest::keyClicks(&grid, text.left(1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (editor != nullptr) {
        QTest::keyClicks(editor, text.mid(1));
    }
    return editor;
}

void showFrame(Frame& frame) {
    frame.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame.window));
    frame.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame.window));
}

void showStarted(Frame& frame) {
    frame.window.startWith({});
    showFrame(frame);
}

void unlockAdjustmentMode(Frame& frame) {
    showFrame(frame);
    whenModal([](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        QVERIFY(input != nullptr);
        input->setTextValue(QStringLiteral("MUL-PEK"));
        input->accept();
    });
    FlexGridWidget& grid = frame.window.channelView().grid();
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(frame.access.value(), int{ACCESS_ADJUSTMENT});
}

void alignRxVco(AlignmentWindow& window) {
    QTRY_VERIFY(!window.busy());
    window.startButton(AlignmentProcedure::RxVco)->click();
    auto* vco = dynamic_cast<VcoAutoDialog*>(window.procedureWindow());
    QVERIFY(vco != nullptr);
    for (int point = 0; point < 3; ++point) {
        QTRY_VERIFY(vco->startButton().isEnabled());
        vco->startButton().click();
        QTRY_VERIFY(!vco->busy());
    }
    QTRY_VERIFY(vco->okButton().isVisible() && vco->okButton().isEnabled());
    vco->okButton().click();
    QTRY_VERIFY(window.procedureWindow() == nullptr);
}

RadioFrame::RadioFrame(int mode, bool paced) : Frame(mode) {
    settings.portName = std::string(SIMULATED_PORT_NAME);
    window.radio().port().setPaced(paced);
    window.startWith({});
}

InProcessRadio& RadioFrame::sim() {
    return window.radio().port().simulatedRadio();
}

Driver::Driver(RadioSession* session) : m_session(session) {
    connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
    m_timer.start(5);
}

void Driver::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        texts.append(box->text());
        QMessageBox::StandardButton button = choose ? choose(*box) : QMessageBox::Yes;
        if (box->button(button) == nullptr) {
            button = QMessageBox::Ok;
        }
        box->button(button)->click();
    } else if (m_acting) {
        return;
    } else if (modal != nullptr && onModal &&
               dynamic_cast<CommunicationWindow*>(modal) == nullptr) {
        act([this, modal = QPointer<QWidget>(modal)] {
            if (modal) {
                onModal(*modal);
            }
        });
    } else if (m_session != nullptr && m_session->currentWindow() != nullptr && duringJob) {
        // The job's window may be gone by the time this runs.
        act([this] {
            if (CommunicationWindow* window = m_session->currentWindow()) {
                duringJob(*window);
            }
        });
    }
}

void Driver::act(std::function<void()> action) {
    m_acting = true;
    QTimer::singleShot(0, this, [this, action = std::move(action)] {
        action();
        m_acting = false;
    });
}

void whenModal(std::function<void(QWidget*)> answer) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer = std::move(answer), poll] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answer(modal);
        } else {
            QTimer::singleShot(10, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

void dropFile(QWidget& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

void answerFile(const QString& path) {
    whenModal([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

void answerMessage(QMessageBox::StandardButton button, QString* seenText) {
    whenModal([button, seenText](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        if (seenText != nullptr) {
            *seenText = box->text();
        }
        box->button(button)->click();
    });
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void shoot(QWidget& widget, const QString& name) {
    QTest::qWait(50); // let the layout settle after the first focus
    const QString folder =
        QString::fromStdString(test::besideThisProgram(KQ70_SCREENSHOTS_RELATIVE));
    QDir().mkpath(folder);
    widget.grab().save(folder + QStringLiteral("/%1.png").arg(name));
}

bool helpSectionExists(std::string_view topic) {
    const QString target = HelpWindow::pageOfTopic(qt(topic));
    const auto hash = target.indexOf(QLatin1Char('#'));
    QFile page(QStringLiteral(":/help/") + target.left(hash));
    if (target == QStringLiteral("index.html") || hash < 0 || !page.open(QIODevice::ReadOnly)) {
        return false;
    }
    return QString::fromUtf8(page.readAll())
        .contains(QStringLiteral("name=\"%1\"").arg(target.mid(hash + 1)));
}

QPushButton* okButton(QDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

namespace {

std::map<std::string, GuiTestFactory>& registry() {
    static std::map<std::string, GuiTestFactory> tests;
    return tests;
}

} // namespace

bool registerGuiTest(const char* name, GuiTestFactory factory) {
    registry().emplace(name, std::move(factory));
    return true;
}

} // namespace kq70

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    std::string only;
    if (arguments.size() > 1 && kq70::registry().count(arguments[1].toStdString()) != 0) {
        only = arguments[1].toStdString();
        arguments.removeAt(1);
    }
    int failures = 0;
    for (const auto& [name, factory] : kq70::registry()) {
        if (only.empty() || name == only) {
            std::unique_ptr<QObject> test = factory();
            failures += QTest::qExec(test.get(), arguments);
        }
    }
    return failures == 0 ? 0 : 1;
}
