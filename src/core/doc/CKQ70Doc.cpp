#include "doc/CKQ70Doc.h"

#include "doc/DataFile.h"
#include "platform/FileLock.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

void CKQ70Doc::clearEditedFlags() {
    m_word1Edited = false;
    m_hardwareEdited = false;
}

bool CKQ70Doc::WriteToFile(const std::string& path, UserPrompt& prompt) {
    // Another program in the middle of changing the file (kq70-cli apply) would lose its
    // change, or this save would: the save is refused instead, never waited for.
    const FileLock lock = FileLock::Acquire(path, std::chrono::milliseconds(0));
    if (lock.result() == FileLock::Result::Busy) {
        prompt.message(substitute1(text::FILE_IN_USE, path), MessageIcon::Stop);
        return false;
    }
    if (!WriteDataFile(path, m_image, prompt)) {
        return false;
    }
    m_dataModified = false;
    m_undoHistory.markSaved(m_image);
    return true;
}

void CKQ70Doc::setEditFlags(const EditFlags& flags) {
    m_dataModified = flags.modified;
    m_word1Edited = flags.word1Edited;
    m_hardwareEdited = flags.hardwareEdited;
}

bool CKQ70Doc::Undo() {
    EditFlags flags = editFlags();
    if (!m_undoHistory.undo(m_image, flags)) {
        return false;
    }
    setEditFlags(flags);
    return true;
}

bool CKQ70Doc::Redo() {
    EditFlags flags = editFlags();
    if (!m_undoHistory.redo(m_image, flags)) {
        return false;
    }
    setEditFlags(flags);
    return true;
}

bool CKQ70Doc::SaveModifiedData(UserPrompt& prompt, const std::function<bool()>& save) {
    if (!m_dataModified) {
        return true;
    }
    const MessageAnswer answer = prompt.messageBox(
        Strings::get(IDS_SAVE_CHANGES), {}, MessageButtons::YesNoCancel, MessageIcon::Exclamation);
    if (answer == MessageAnswer::Cancel) {
        return false;
    }
    if (answer == MessageAnswer::Yes && !(save && save())) {
        return false;
    }
    m_dataModified = false;
    return true;
}

void PrepareImageForWrite(RadioImage& image) {
    image.copyWithin(MANUFACTURE_DATE_OFFSET, MANUFACTURE_MIRROR_OFFSET, 4);
    image.copyWithin(EEPROM_OFFSET, WORD0_MIRROR_OFFSET, 2);
}

} // namespace kq70
