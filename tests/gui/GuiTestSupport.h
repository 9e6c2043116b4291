// What every desktop test needs: answering modal dialogs, screenshots, and a main window over
// a document in its own program folder.
#pragma once

#include "MainWindow.h"
#include "QtText.h"
#include "QtUserPrompt.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "platform/IniFile.h"
#include "support/TestRadios.h"

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kq70 {

class AlignmentWindow;
class CommunicationWindow;
class FlexGridWidget;
class HChannelData;
class RadioImage;
class RadioSession;
struct InProcessRadio;

// The grid's first channel row, under its two header rows.
constexpr int ROW1 = 2;

HChannelData channelsOf(const RadioImage& image);
using test::imageWithGroups;
void selectCell(FlexGridWidget& grid, int row, int column);
// Types `text` into the cell as a user does: the first key opens the cell's editor, the rest go
// to it, which is left open. Null when no editor opened.
QLineEdit* typeIntoCell(FlexGridWidget& grid, int row, int column, const QString& text);

// Answers the next modal dialog when it shows, from inside its own event loop.
void whenModal(std::function<void(QWidget*)> answer);
// Drags the file at `path` onto `window` and drops it there.
void dropFile(QWidget& window, const QString& path);
// Picks `path` in the next file dialog.
void answerFile(const QString& path);
// Presses `button` in the next message box, keeping its text in `seenText`.
void answerMessage(QMessageBox::StandardButton button, QString* seenText = nullptr);
// The whole file at `path`; nothing when it cannot be read.
QByteArray fileBytes(const QString& path);
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

// A main window started with its start-up document, not shown.
struct StartedFrame : Frame {
    explicit StartedFrame(int mode = ACCESS_NORMAL) : Frame(mode) { window.startWith({}); }
};

// Shows the window and waits until it is active: keys reach it only then.
void showFrame(Frame& frame);
// Starts the window with its start-up document, then shows it as showFrame does.
void showStarted(Frame& frame);

// A main window started and shown as showStarted leaves it.
struct ShownFrame : Frame {
    explicit ShownFrame(int mode = ACCESS_NORMAL) : Frame(mode) { showStarted(*this); }
};

// Runs the alignment window's RX VCO procedure through its three points and OK.
void alignRxVco(AlignmentWindow& window);
// Shift+F10 in the grid with the keyword, as service staff switch a running program over.
void unlockAdjustmentMode(Frame& frame);

// A started main window whose port is the radio simulated inside the program.
struct RadioFrame : Frame {
    explicit RadioFrame(int mode = ACCESS_NORMAL, bool paced = false);
    InProcessRadio& sim();
};

// Answers message boxes with the button `choose` picks (Yes, else OK, by default) and keeps
// their texts; `duringJob` runs every few milliseconds while a communication window is open,
// `onModal` for any other modal window. Those two run outside the polling timer's own call,
// so a message they bring up is answered too.
class Driver : public QObject {
public:
    explicit Driver(RadioSession* session = nullptr);
    QStringList texts;
    std::function<QMessageBox::StandardButton(QMessageBox&)> choose;
    std::function<void(CommunicationWindow&)> duringJob;
    std::function<void(QWidget&)> onModal;

private:
    void poll();
    void act(std::function<void()> action);

    RadioSession* m_session;
    QTimer m_timer;
    bool m_acting = false;
};

// The test program runs every registered test class in turn; the first argument, when it
// names a class, runs only that one (the rest go to Qt Test, e.g. a function name).
using GuiTestFactory = std::function<std::unique_ptr<QObject>()>;
bool registerGuiTest(const char* name, GuiTestFactory factory);

} // namespace kq70

#define KQ70_GUI_TEST(Class)                                                                       \
    static const bool kq70GuiTestRegistered##Class =                                               \
        kq70::registerGuiTest(#Class, [] { return std::make_unique<Class>(); })
