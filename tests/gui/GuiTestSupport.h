// What every desktop test needs: answering modal dialogs, screenshots, and a main window over
// a document in its own program folder.
#pragma once

#include "MainWindow.h"
#include "QtUserPrompt.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "platform/IniFile.h"

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QDialog;
class QMainWindow;
class QPushButton;
class QWidget;

namespace kq70 {

class RadioImage;

// Answers the next modal dialog when it shows, from inside its own event loop.
void whenModal(std::function<void(QWidget*)> answer);
// Picks `path` in the next file dialog.
void answerFile(const QString& path);
// Presses `button` in the next message box, keeping its text in `seenText`.
void answerMessage(QMessageBox::StandardButton button, QString* seenText = nullptr);
QStringList barTitles(QMainWindow& window);
void setRadioChannel(RadioImage& image, int value);
// Writes a picture of `widget` into the build tree's screenshot folder.
void shoot(QWidget& widget, const QString& name);
QPushButton* okButton(QDialog& dialog);
// True when the built-in help has the page and the section a help topic names.
bool helpSectionExists(std::string_view topic);

// One main window over a document in its own program folder.
struct Frame {
    explicit Frame(int mode = ACCESS_NORMAL)
        : settingsFile(home.filePath(QStringLiteral("KQ70.ini")).toStdString()), access(mode),
          window(doc, settings, settingsFile, access, prompt, home.path().toStdString()) {
        prompt.setParent(&window);
    }
    std::string file(const char* name) const {
        return home.filePath(QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir home;
    CKQ70Doc doc;
    AppSettings settings;
    IniFile settingsFile;
    AccessMode access;
    QtUserPrompt prompt;
    MainWindow window;
};

// The test program runs every registered test class in turn; the first argument, when it
// names a class, runs only that one (the rest go to Qt Test, e.g. a function name).
using GuiTestFactory = std::function<std::unique_ptr<QObject>()>;
bool registerGuiTest(const char* name, GuiTestFactory factory);

} // namespace kq70

#define KQ70_GUI_TEST(Class)                                                                       \
    static const bool kq70GuiTestRegistered##Class =                                               \
        kq70::registerGuiTest(#Class, [] { return std::make_unique<Class>(); })
