// kq70: the desktop program.
#include "InstanceChannel.h"
#include "MainWindow.h"
#include "ManPage.h"
#include "ProgramManuals.h"
#include "QtUserPrompt.h"
#include "StopSignals.h"
#include "app/CKQ70App.h"
#include "app/DesktopCommandLine.h"
#include "app/ProgramFolder.h"
#include "doc/CKQ70Doc.h"
#include "log/HLogPrint.h"
#include "log/HVersionInfo.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPrinterInfo>
#include <QStringList>
#include <QTimer>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// A painted window tells the start-up measurement that it is done.
class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

std::vector<std::string> argumentsOf(const QStringList& arguments) {
    std::vector<std::string> args;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        args.push_back(arguments[i].toStdString());
    }
    return args;
}

// --help, --version and --doc answer without a window, so they work without a display.
// Returns the exit code when the program is done.
std::optional<int> answerWithoutWindow(int argc, char* argv[]) {
    const kq70::DesktopCommandLine line =
        kq70::parseDesktopCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) {
        std::cerr << "kq70: " << line.error << " (kq70 --help lists the options)\n";
        return 2;
    }
    if (line.help || line.version || !line.doc.empty()) {
        std::cout << (line.help      ? kq70::desktopHelpText()
                      : line.version ? kq70::programVersionLine("kq70") + "\n"
                                     : kq70::renderManPage(kq70::desktopProgramDoc()));
        return std::cout.flush() ? 0 : 1;
    }
    return std::nullopt;
}

// The file a second start hands to the running window, named from this start's folder.
QString absoluteFile(const std::string& file) {
    return file.empty() ? QString() : QFileInfo(QString::fromStdString(file)).absoluteFilePath();
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> code = answerWithoutWindow(argc, argv)) {
        return *code;
    }
    Q_INIT_RESOURCE(gui);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KQ70"));
    QApplication::setDesktopFileName(QStringLiteral(KQ70_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kq70.svg")));
    // Qt has taken its own options (-platform and the like) out of the arguments by now.
    const kq70::DesktopCommandLine options =
        kq70::parseDesktopCommandLine(argumentsOf(QApplication::arguments()));

    const std::string folder =
        kq70::resolveProgramFolder(kq70::programFolderInputsFromEnvironment(options.home));
    if (!kq70::ensureFolder(folder)) {
        std::cerr << "kq70: cannot create the program folder " << folder << '\n';
        return 1;
    }

    kq70::QtUserPrompt prompt;
    kq70::CKQ70App app(folder, kq70::HLogPrint::global(), prompt);
    // The start-up reads the whole command line as one text; a file name holding blanks is
    // quoted so that it is read back whole.
    const std::string commandLine = kq70::CKQ70App::JoinCommandLine(options.rest);
    if (app.InitInstance(commandLine) == kq70::CKQ70App::StartResult::AlreadyRunning) {
        kq70::InstanceChannel::knock(QString::fromStdString(folder),
                                     absoluteFile(app.GetFileToOpen()));
        return 0;
    }
    app.SetPrinterName(QPrinterInfo::defaultPrinterName().toStdString());

    int result = 0;
    {
        kq70::CKQ70Doc doc;
        kq70::MainWindow window(doc, app.GetSettings(), app.GetSettingsFile(), app.GetAccessMode(),
                                prompt, folder);
        prompt.setParent(&window);
        window.setPrinterName(app.GetPrinterName());
        kq70::InstanceChannel channel(
            QString::fromStdString(folder),
            [&window](const QString& file) { window.raiseFromOtherInstance(file.toStdString()); });
        kq70::StopSignals stopSignals([&window](int signal) { window.stopForSignal(signal); });
        window.startWith(app.GetFileToOpen());
        FirstPaint firstPaint;
        if (options.exitWhenShown) {
            window.installEventFilter(&firstPaint);
        }
        window.show();
        // A stop signal during the start-up questions has ended their loops already.
        result = window.stopSignal() == 0 ? QApplication::exec() : 128 + window.stopSignal();
        window.keepUnsavedChanges();
        prompt.setParent(nullptr);
    }
    app.ExitInstance();
    return result;
}
