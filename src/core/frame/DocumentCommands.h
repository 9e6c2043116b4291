#pragma once

#include "frame/DocumentListener.h"

#include <functional>
#include <string>
#include <string_view>

namespace kq70 {

struct AppSettings;
class CKQ70Doc;
class IniFile;
class RadioImage;
class UserPrompt;

// Band load codes: the low nibble is a band code, or 13 for "PMR446 or any template that
// exists"; bit 4 loads the file named by the current path instead of a template.
constexpr int LOAD_ANY_TEMPLATE = 13;
constexpr int LOAD_CURRENT_PATH = 0x10;
constexpr int LOAD_NAMED_FILE = LOAD_CURRENT_PATH | LOAD_ANY_TEMPLATE; // 0x1D
constexpr int PMR446_BAND = 12;

// Fills an image from a built-in default image for a band and stamps the band's fields.
using DefaultImageBuilder = std::function<void(int band, RadioImage& image)>;

// The document's file commands: File > New, Open, Save and Save As, the loading of a named
// file, and the default templates in the program folder that seed new documents.
class DocumentCommands {
public:
    DocumentCommands(CKQ70Doc& doc, UserPrompt& prompt, std::string programFolder,
                     AppSettings& settings, IniFile& settingsFile, DefaultImageBuilder builder,
                     DocumentListener& listener);

    // File menu.
    void OnFileOpen();
    bool OnFileNew();
    // The document the program starts with: PMR446, with the display type the last run ended
    // with applied through the hardware fields.
    void NewDocumentAtStartup(int lcdType);
    // Sets the display type of the document's radio (0 without a display, else with one) and
    // the CTCSS release time that goes with it.
    void ApplyLcdType(int lcdType);
    bool OnFileSave();
    bool OnFileSaveAs();
    // The loading step of a named file (command line, recent files, Open of another file).
    bool OpenDocumentFile(const std::string& path);
    // A file chosen in the Open dialog, from the recent-file list or dropped on the window:
    // the checks of File > Open first (a file that would fail is refused before anything is
    // asked), then the save prompt, then the loading step. True when the file was loaded.
    bool OnOpenNamedFile(const std::string& path);
    // The run's first document: the file named on the command line, else (or when it could
    // not be read) the PMR446 start-up document.
    void StartWith(const std::string& fileToOpen, int lcdType);
    // The save prompt before the document's contents would be replaced.
    bool SaveModifiedData();

    // Document operations.
    void LoadBandImage(int loadCode);
    bool FindDefaultFile(int loadCode);
    void WriteDefaultFile(std::string_view templateName);
    void NewDocumentWith(const std::string& path, int loadCode);

    const std::string& GetProgramFolder() const { return m_programFolder; }

private:
    bool SaveTo(const std::string& path);
    bool TryTemplate(int band);
    void RememberRecentFile(const std::string& path);

    CKQ70Doc& m_doc;
    UserPrompt& m_prompt;
    std::string m_programFolder;
    AppSettings& m_settings;
    IniFile& m_settingsFile;
    DefaultImageBuilder m_builder;
    DocumentListener& m_listener;
};

} // namespace kq70
