// kq70: the desktop program.
#include "InstanceChannel.h"
#include "MainWindow.h"
#include "QtUserPrompt.h"
#include "app/CKQ70App.h"
#include "app/ProgramFolder.h"
#include "doc/CKQ70Doc.h"
#include "log/HLogPrint.h"
#include "ui/FrameTexts.h"

#include <QApplication>
#include <QIcon>
#include <QPrinterInfo>
#include <QStringList>
#include <QTimer>

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Options {
    std::optional<std::string> home;
    bool exitWhenShown = false; // for start-up measurements and smoke tests
    std::vector<std::string> rest;
};

Options parseOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--home") && i + 1 < arguments.size()) {
            options.home = arguments[++i].toStdString();
        } else if (argument == QLatin1String("--exit-when-shown")) {
            options.exitWhenShown = true;
        } else {
            options.rest.push_back(argument.toStdString());
        }
    }
    return options;
}

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

} // namespace

int main(int argc, char* argv[]) {
    // Before the window system is asked for anything: --help works without a display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--help" || argument == "-h") {
            std::cout << kq70::text::DESKTOP_USAGE;
            return 0;
        }
    }
    Q_INIT_RESOURCE(gui);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KQ70"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kq70.svg")));
    const Options options = parseOptions(QApplication::arguments());

    const std::string folder =
        kq70::resolveProgramFolder(kq70::programFolderInputsFromEnvironment(options.home));
    if (!kq70::ensureFolder(folder)) {
        std::cerr << "kq70: cannot create the program folder " << folder << '\n';
        return 1;
    }

    kq70::QtUserPrompt prompt;
    kq70::CKQ70App app(folder, kq70::HLogPrint::global(), prompt);
    // The start-up reads the whole command line, as one text.
    const std::string commandLine = kq70::CKQ70App::JoinCommandLine(options.rest);
    if (app.InitInstance(commandLine) == kq70::CKQ70App::StartResult::AlreadyRunning) {
        kq70::InstanceChannel::knock(QString::fromStdString(folder));
        return 0;
    }
    app.setPrinterName(QPrinterInfo::defaultPrinterName().toStdString());

    int result = 0;
    {
        kq70::CKQ70Doc doc;
        kq70::MainWindow window(doc, app.settings(), app.settingsFile(), app.accessMode(), prompt,
                                folder);
        prompt.setParent(&window);
        window.setPrinterName(app.printerName());
        kq70::InstanceChannel channel(QString::fromStdString(folder),
                                      [&window] { window.raiseFromOtherInstance(); });
        window.startWith(app.fileToOpen());
        FirstPaint firstPaint;
        if (options.exitWhenShown) {
            window.installEventFilter(&firstPaint);
        }
        window.show();
        result = QApplication::exec();
        prompt.setParent(nullptr);
    }
    app.ExitInstance();
    return result;
}
