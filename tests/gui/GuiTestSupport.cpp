#include "GuiTestSupport.h"

#include "HelpWindow.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <map>
#include <string>

namespace kq70 {

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

QStringList barTitles(QMainWindow& window) {
    QStringList titles;
    for (QAction* menu : window.menuBar()->actions()) {
        titles.append(menu->text());
    }
    return titles;
}

void setRadioChannel(RadioImage& image, int value) {
    HHardwareParams hardware;
    hardware.extract(image);
    hardware.set(HW_RADIO_CHANNEL, value);
    hardware.store(image);
}

void shoot(QWidget& widget, const QString& name) {
    QTest::qWait(50); // let the layout settle after the first focus
    QDir().mkpath(QStringLiteral(KQ70_SCREENSHOT_DIR));
    widget.grab().save(QStringLiteral(KQ70_SCREENSHOT_DIR "/%1.png").arg(name));
}

bool helpSectionExists(std::string_view topic) {
    const QString target = HelpWindow::pageOfTopic(
        QString::fromUtf8(topic.data(), static_cast<qsizetype>(topic.size())));
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
