#include "frame/DocumentCommands.h"

#include "app/AppSettings.h"
#include "app/ProgramFolder.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "doc/DefaultTemplates.h"
#include "log/HLogPrint.h"
#include "params/HHardwareParams.h"
#include "platform/IniFile.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

namespace {

constexpr int WM_COMMAND = 0x111;

} // namespace

DocumentCommands::DocumentCommands(CKQ70Doc& doc, UserPrompt& prompt, std::string programFolder,
                                   AppSettings& settings, IniFile& settingsFile,
                                   DefaultImageBuilder builder, DocumentListener& listener)
    : m_doc(doc), m_prompt(prompt), m_programFolder(std::move(programFolder)), m_settings(settings),
      m_settingsFile(settingsFile), m_builder(std::move(builder)), m_listener(listener) {}

bool DocumentCommands::SaveModifiedData() {
    return m_doc.SaveModifiedData(m_prompt, [this] { return OnFileSave(); });
}

void DocumentCommands::OnFileOpen() {
    if (const auto chosen = m_prompt.openFileDialog(dataFileDialog({}))) {
        OnOpenNamedFile(*chosen);
    }
}

bool DocumentCommands::OpenDocumentFile(const std::string& path) {
    NewDocumentWith(path, LOAD_NAMED_FILE);
    const bool loaded = m_doc.GetCurrentFilePath() == path;
    if (loaded) {
        RememberRecentFile(path);
    }
    return loaded;
}

bool DocumentCommands::OnOpenNamedFile(const std::string& path) {
    // A file that cannot be opened is said so before anything is asked: the unsaved changes
    // are never given up for it.
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, m_prompt);
        return false;
    }
    if (!SaveModifiedData()) {
        return false;
    }
    bool loaded = false;
    if (path == m_doc.GetCurrentFilePath()) {
        // Reopening the open file reloads it; a failed reload must never fall back to a band
        // template, so it takes the named-file code.
        NewDocumentWith(path, LOAD_NAMED_FILE);
        loaded = m_doc.GetCurrentFilePath() == path;
    } else {
        loaded = OpenDocumentFile(path);
    }
    m_doc.ClearEditedFlags();
    return loaded;
}

void DocumentCommands::StartWith(const std::string& fileToOpen, int lcdType) {
    // A named file that cannot be read has said so; the run then starts as without one.
    if (fileToOpen.empty() || !OpenDocumentFile(fileToOpen)) {
        NewDocumentAtStartup(lcdType);
    }
}

bool DocumentCommands::OnFileNew() {
    if (!SaveModifiedData()) {
        return false;
    }
    NewDocumentWith(NO_FILE_MARKER, PMR446_BAND);
    return true;
}

void DocumentCommands::NewDocumentAtStartup(int lcdType) {
    const CKQ70Doc::ChangeScope scope(m_doc);
    NewDocumentWith(NO_FILE_MARKER, PMR446_BAND);
    ApplyLcdType(lcdType);
}

void DocumentCommands::ApplyLcdType(int lcdType) {
    HHardwareParams hardware;
    hardware.extract(m_doc.GetMainMemory());
    hardware.set(HW_LCD_TYPE, lcdType != 0 ? 1 : 0);
    hardware.set(HW_CTCSS_RELEASE_TIME, lcdType != 0 ? 1 : 0);
    hardware.store(m_doc.GetMainMemory());
}

bool DocumentCommands::OnFileSave() {
    if (m_doc.IsUntitled()) {
        return OnFileSaveAs();
    }
    return SaveTo(m_doc.GetCurrentFilePath());
}

bool DocumentCommands::OnFileSaveAs() {
    const auto chosen = m_prompt.saveFileDialog(
        dataFileDialog(m_doc.IsUntitled() ? std::string() : m_doc.GetCurrentFilePath()));
    if (!chosen) {
        return false;
    }
    KQ70_LOG(LOG_D2, 0, "[%s]%03d", "SendMessage", WM_COMMAND);
    // The document takes the new name only once the file is written, so a cancelled or
    // failed Save As leaves it belonging to its old file.
    if (!SaveTo(*chosen)) {
        return false;
    }
    m_doc.SetCurrentFilePath(*chosen);
    RememberRecentFile(*chosen);
    return true;
}

bool DocumentCommands::SaveTo(const std::string& path) {
    if (!CheckWritable(path, m_prompt)) {
        return false;
    }
    if (IsDefaultFileName(path) &&
        m_prompt.messageBox(Strings::get(IDS_WRITE_DEFAULT_FILE), {}, MessageButtons::YesNo,
                            MessageIcon::Question) != MessageAnswer::Yes) {
        return false;
    }
    m_listener.viewSaveData();
    KQ70_LOG(LOG_D2, 0, "[%s]%03d", "SendMessage", DocumentListener::WM_VIEW_SAVEDATA);
    return m_doc.WriteToFile(path, m_prompt);
}

void DocumentCommands::RememberRecentFile(const std::string& path) {
    m_settings.addRecentFile(path);
    if (!m_settings.writeRecentFiles(m_settingsFile)) {
        KQ70_LOG(LOG_WR, 0, "recent files not written: %s", m_settingsFile.path().c_str());
    }
}

void DocumentCommands::NewDocumentWith(const std::string& path, int loadCode) {
    const CKQ70Doc::ChangeScope scope(m_doc);
    m_doc.MarkReplaced();
    m_doc.GetMainMemory() = RadioImage();
    m_doc.SetDataModified(false);
    m_doc.GetUndoHistory().clear(); // steps of another document cannot be taken back here
    m_doc.SetCurrentFilePath(path);
    LoadBandImage(loadCode);
    m_doc.ClearEditedFlags();
}

void DocumentCommands::LoadBandImage(int loadCode) {
    const int band = loadCode & 0x0F;
    const bool found = FindDefaultFile(loadCode);
    if (found && ReadDataFile(m_doc.GetCurrentFilePath(), m_doc.GetMainMemory(), m_prompt)) {
        return;
    }
    if (!found && (loadCode & LOAD_CURRENT_PATH) != 0) {
        // A named file that cannot be opened is said so, not silently replaced.
        m_prompt.message(
            substitute1(Strings::get(IDS_PROBLEM_OPENING_FILE), m_doc.GetCurrentFilePath()),
            MessageIcon::Stop);
    }
    // The fallback image belongs to no file: a later Save must ask for a name instead of
    // overwriting the file that could not be read.
    m_doc.SetCurrentFilePath(NO_FILE_MARKER);
    m_builder(band, m_doc.GetMainMemory());
    if ((loadCode & LOAD_CURRENT_PATH) == 0) {
        const int templateBand = band == LOAD_ANY_TEMPLATE ? PMR446_BAND : band;
        if (isDefinedBand(templateBand)) {
            WriteDefaultFile(TEMPLATE_NAMES[static_cast<std::size_t>(templateBand)]);
        }
    }
}

bool DocumentCommands::TryTemplate(int band) {
    if (!isDefinedBand(band)) {
        return false;
    }
    const std::string path =
        joinPath(m_programFolder, std::string(TEMPLATE_NAMES[static_cast<std::size_t>(band)]));
    if (CheckReadable(path) != DATA_FILE_OK) {
        return false;
    }
    m_doc.SetCurrentFilePath(path);
    return true;
}

bool DocumentCommands::FindDefaultFile(int loadCode) {
    if ((loadCode & LOAD_CURRENT_PATH) != 0) {
        return CheckReadable(m_doc.GetCurrentFilePath()) == DATA_FILE_OK;
    }
    const int band = loadCode & 0x0F;
    if (band == LOAD_ANY_TEMPLATE) {
        for (int code = 0; code < TEMPLATE_NAME_COUNT; ++code) {
            if (TryTemplate(code)) {
                return true;
            }
        }
        return false;
    }
    return TryTemplate(band);
}

void DocumentCommands::WriteDefaultFile(std::string_view templateName) {
    if (templateName.empty()) {
        m_prompt.message(substitute1(Strings::get(IDS_PROBLEM_OPENING_FILE), templateName),
                         MessageIcon::Stop);
        m_doc.SetCurrentFilePath(NO_FILE_MARKER);
        return;
    }
    const std::string path = joinPath(m_programFolder, std::string(templateName));
    if (WriteDataFile(path, m_doc.GetMainMemory(), m_prompt)) {
        m_doc.SetCurrentFilePath(NO_FILE_MARKER);
    }
}

} // namespace kq70
