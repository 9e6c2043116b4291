#include "app/CKQ70App.h"

#include "app/AppSettings.h"
#include "app/LogSettingsFile.h"
#include "app/Passwords.h"
#include "app/ProgramFolder.h"
#include "log/HLogPrint.h"
#include "log/HVersionInfo.h"

namespace kq70 {

namespace {

constexpr const char* LOCK_FILE = "kq70.lock";
constexpr const char* HELP_FILE = "KQ70.chm";

} // namespace

CKQ70App::CKQ70App(std::string programFolder, HLogPrint& log, UserPrompt& prompt)
    : m_programFolder(std::move(programFolder)), m_log(log), m_prompt(prompt),
      m_settingsFile(joinPath(m_programFolder, SETTINGS_FILE_NAME)) {}

CKQ70App::StartResult CKQ70App::InitInstance(std::string_view commandLine) {
    m_log.start(readLogSettings(m_programFolder), HVersionInfo::FromBuild());
    const int requestedMode = AccessMode::fromCommandLine(commandLine);
    // Anything but a mode switch on its own names a data file to open; a second start hands
    // it over.
    m_fileToOpen = requestedMode == ACCESS_NORMAL ? FileToOpen(commandLine) : std::string();

    m_instanceLock = std::make_unique<SingleInstanceLock>(joinPath(m_programFolder, LOCK_FILE));
    if (!m_instanceLock->acquired()) {
        m_log.print(LOG_WR, 0, __FILE__, __LINE__, "second instance refused");
        return StartResult::AlreadyRunning;
    }

    m_settings.load(m_settingsFile);
    if (!m_settings.writeNormalisedPort(m_settingsFile)) {
        // The program runs on with its defaults; only the next start reads them again.
        m_log.print(LOG_WR, 0, __FILE__, __LINE__, "settings not written: %s",
                    m_settingsFile.path().c_str());
    }

    m_accessMode.set(requestedMode);
    confirmStartupAccessMode(m_accessMode, m_prompt);

    m_helpPath = joinPath(m_programFolder, HELP_FILE);
    return StartResult::Started;
}

std::string CKQ70App::FileToOpen(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char ch : commandLine) {
        if (ch == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((ch == ' ' || ch == '\t') && !quoted) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
            }
            inWord = false;
        } else {
            word += ch;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    for (const std::string& candidate : words) {
        if (AccessMode::fromCommandLine(candidate) == ACCESS_NORMAL) {
            return candidate;
        }
    }
    return {};
}

std::string CKQ70App::JoinCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) {
            line += ' ';
        }
        const bool quote = word.empty() || word.find_first_of(" \t\"") != std::string::npos;
        // A quote inside a word cannot be kept; a file name with one is unusual enough.
        std::string kept;
        for (const char ch : word) {
            if (ch != '"') {
                kept += ch;
            }
        }
        line += quote ? '"' + kept + '"' : kept;
    }
    return line;
}

void CKQ70App::ExitInstance() {
    m_log.print(LOG_D1, 0, __FILE__, __LINE__, "ExitInstance() ");
    if (!m_settings.writeItems(m_settingsFile)) {
        m_log.print(LOG_WR, 0, __FILE__, __LINE__, "settings not written: %s",
                    m_settingsFile.path().c_str());
    }
}

bool CKQ70App::UnlockAdjustmentMode() {
    if (!m_accessMode.is(ACCESS_NORMAL)) {
        return false;
    }
    return unlockAdjustmentMode(m_accessMode, m_prompt);
}

} // namespace kq70
