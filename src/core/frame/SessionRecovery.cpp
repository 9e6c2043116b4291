#include "frame/SessionRecovery.h"

#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "frame/DocumentListener.h"
#include "log/HLogPrint.h"
#include "platform/AtomicFile.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <cstdio>
#include <sys/stat.h>

namespace kq70 {

namespace {

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

SessionRecovery::SessionRecovery(const std::string& programFolder)
    : m_path(programFolder + "/" + std::string(text::SESSION_RECOVERY_FILE_NAME)) {}

bool SessionRecovery::keep(CKQ70Doc& doc, DocumentListener& view) const {
    // A value still being typed is part of the changes when it is one.
    view.commitValidPendingEdit();
    view.viewSaveData();
    if (!doc.GetDataModified()) {
        return true;
    }
    const bool kept =
        writeFileAtomically(m_path, doc.GetMainMemory().bytes()) == AtomicWriteResult::Ok;
    KQ70_LOG(kept ? LOG_D1 : LOG_WR, 0, "unsaved changes %s %s", kept ? "kept in" : "NOT kept in",
             m_path.c_str());
    return kept;
}

std::optional<std::string> SessionRecovery::offer(UserPrompt& prompt) const {
    if (!isRegularFile(m_path)) {
        return std::nullopt;
    }
    const std::string question = strprintf(text::SESSION_RECOVERY_QUESTION.data(), m_path.c_str());
    if (prompt.messageBox(question, {}, MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes) {
        return std::nullopt;
    }
    return m_path;
}

bool SessionRecovery::restore(CKQ70Doc& doc, UserPrompt& prompt) const {
    const int status = OpenCheckStatus(m_path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, m_path, prompt);
        return false;
    }
    RadioImage image;
    if (!ReadDataFile(m_path, image, prompt)) {
        return false;
    }
    const CKQ70Doc::ChangeScope scope(doc);
    doc.MarkReplaced();
    doc.GetMainMemory() = image;
    doc.GetUndoHistory().clear();
    doc.SetCurrentFilePath(NO_FILE_MARKER);
    doc.ClearEditedFlags();
    doc.SetDataModified(true);
    if (std::remove(m_path.c_str()) != 0) {
        KQ70_LOG(LOG_WR, 0, "recovery file not removed: %s", m_path.c_str());
    }
    return true;
}

} // namespace kq70
