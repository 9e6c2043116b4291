#pragma once

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "app/SingleInstanceLock.h"
#include "platform/IniFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class HLogPrint;
class UserPrompt;

// The application's start-up and exit, without any window: the log, the single-instance
// check, the settings, the access mode with its password, and what the command line asks to
// open. A front end creates one, runs InitInstance and, on success, builds its first document.
class CKQ70App {
public:
    enum class StartResult {
        Started,
        AlreadyRunning, // another instance holds the program folder; this one must exit
    };

    CKQ70App(std::string programFolder, HLogPrint& log, UserPrompt& prompt);

    // `commandLine` is the whole command line after the program name, as one text.
    StartResult InitInstance(std::string_view commandLine);
    void ExitInstance();

    const std::string& GetProgramFolder() const { return m_programFolder; }
    const std::string& GetHelpPath() const { return m_helpPath; }
    const std::string& GetPrinterName() const { return m_printerName; }
    void SetPrinterName(std::string name) { m_printerName = std::move(name); }
    // The data file named on the command line; empty when a new document is wanted. Known
    // also when InitInstance found another instance running.
    const std::string& GetFileToOpen() const { return m_fileToOpen; }

    // The file a command line names that is no mode switch on its own: its words are read as
    // usual (blanks separate them, double quotes keep blanks in one), a mode switch among
    // other words is passed over, and the first other word is the file. Empty when none.
    static std::string FileToOpen(std::string_view commandLine);
    // The words of a command line, with a word holding blanks or quotes quoted; what
    // FileToOpen reads back.
    static std::string JoinCommandLine(const std::vector<std::string>& words);

    AppSettings& GetSettings() { return m_settings; }
    IniFile& GetSettingsFile() { return m_settingsFile; }
    AccessMode& GetAccessMode() { return m_accessMode; }
    HLogPrint& GetLog() { return m_log; }
    UserPrompt& GetPrompt() { return m_prompt; }

    // Shift+F10 in normal mode: asks for the adjustment keyword.
    bool UnlockAdjustmentMode();

private:
    std::string m_programFolder;
    HLogPrint& m_log;
    UserPrompt& m_prompt;
    std::unique_ptr<SingleInstanceLock> m_instanceLock;
    IniFile m_settingsFile;
    AppSettings m_settings;
    AccessMode m_accessMode;
    std::string m_helpPath;
    std::string m_printerName;
    std::string m_fileToOpen;
};

} // namespace kq70
