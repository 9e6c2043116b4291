#include "doc/CKQ70Doc.h"

#include "doc/DataFile.h"
#include "params/HHardwareParams.h"
#include "platform/FileLock.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>

namespace kq70 {

namespace {

// The radio the image describes, as far as the window's menus and commands follow it.
bool sameRadio(const RadioImage& a, const RadioImage& b) {
    HHardwareParams first;
    first.extract(a);
    HHardwareParams second;
    second.extract(b);
    for (std::size_t i = 0; i < HARDWARE_VALUE_COUNT; ++i) {
        if (first.storedValue(i) != second.storedValue(i)) {
            return false;
        }
    }
    return true;
}

} // namespace

CKQ70Doc::ChangeScope::ChangeScope(CKQ70Doc& doc) : m_doc(doc) {
    m_doc.OpenScope();
}

CKQ70Doc::ChangeScope::~ChangeScope() {
    m_doc.CloseScope();
}

CKQ70Doc::CKQ70Doc() = default;

CKQ70Doc::~CKQ70Doc() = default;

void CKQ70Doc::AddObserver(DocumentObserver& observer) {
    if (std::find(m_observers.begin(), m_observers.end(), &observer) == m_observers.end()) {
        m_observers.push_back(&observer);
    }
}

void CKQ70Doc::RemoveObserver(DocumentObserver& observer) {
    std::erase(m_observers, &observer);
}

void CKQ70Doc::OpenScope() {
    if (m_scopeDepth++ == 0) {
        m_scopeImage = std::make_unique<RadioImage>(m_image);
        m_scopeChanges = 0;
    }
}

void CKQ70Doc::CloseScope() {
    if (--m_scopeDepth > 0) {
        return;
    }
    unsigned changes = m_scopeChanges;
    if (!(m_image == *m_scopeImage)) {
        changes |= DocumentChange::IMAGE;
        // Data of another radio is another document, however it came.
        if (!sameRadio(m_image, *m_scopeImage)) {
            changes |= DocumentChange::EVERYTHING;
        }
    }
    m_scopeImage.reset();
    m_scopeChanges = 0;
    Announce(changes);
}

void CKQ70Doc::MarkReplaced() {
    const ChangeScope scope(*this);
    m_scopeChanges |= DocumentChange::EVERYTHING;
}

void CKQ70Doc::Announce(unsigned what) {
    if (what == 0) {
        return;
    }
    if (m_scopeDepth > 0) {
        m_scopeChanges |= what;
        return;
    }
    // An observer that changes the document while it hears of a change is heard of after
    // everyone has heard of the first.
    m_pending.push_back(DocumentChange{what});
    if (m_announcing) {
        return;
    }
    m_announcing = true;
    while (!m_pending.empty()) {
        const DocumentChange change = m_pending.front();
        m_pending.erase(m_pending.begin());
        const std::vector<DocumentObserver*> observers = m_observers;
        for (DocumentObserver* observer : observers) {
            // One that went away while an earlier one heard of it hears nothing.
            if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end()) {
                observer->documentChanged(change);
            }
        }
    }
    m_announcing = false;
}

void CKQ70Doc::SetCurrentFilePath(std::string path) {
    if (path == m_currentFilePath) {
        return;
    }
    m_currentFilePath = std::move(path);
    Announce(DocumentChange::PATH);
}

void CKQ70Doc::SetDataModified(bool modified) {
    if (modified == m_dataModified) {
        return;
    }
    m_dataModified = modified;
    Announce(DocumentChange::MODIFIED);
}

void CKQ70Doc::ClearEditedFlags() {
    m_word1Edited = false;
    m_hardwareEdited = false;
}

bool CKQ70Doc::WriteToFile(const std::string& path, UserPrompt& prompt) {
    // Another program in the middle of changing the file (kq70-cli apply) would lose its
    // change, or this save would: the save is refused instead, never waited for.
    const FileLock lock = FileLock::acquire(path, std::chrono::milliseconds(0));
    if (lock.result() == FileLock::Result::Busy) {
        prompt.message(substitute1(text::FILE_IN_USE, path), MessageIcon::Stop);
        return false;
    }
    if (!WriteDataFile(path, m_image, prompt)) {
        return false;
    }
    SetDataModified(false);
    m_undoHistory.markSaved(m_image);
    return true;
}

void CKQ70Doc::SetEditFlags(const EditFlags& flags) {
    SetDataModified(flags.modified);
    m_word1Edited = flags.word1Edited;
    m_hardwareEdited = flags.hardwareEdited;
}

bool CKQ70Doc::Undo() {
    const ChangeScope scope(*this);
    EditFlags flags = GetEditFlags();
    if (!m_undoHistory.undo(m_image, flags)) {
        return false;
    }
    SetEditFlags(flags);
    return true;
}

bool CKQ70Doc::Redo() {
    const ChangeScope scope(*this);
    EditFlags flags = GetEditFlags();
    if (!m_undoHistory.redo(m_image, flags)) {
        return false;
    }
    SetEditFlags(flags);
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
    if (answer == MessageAnswer::No) {
        return true; // the caller replaces or drops the document; until then it stays marked
    }
    if (!(save && save())) {
        return false;
    }
    SetDataModified(false);
    return true;
}

void PrepareImageForWrite(RadioImage& image) {
    image.copyWithin(MANUFACTURE_DATE_OFFSET, MANUFACTURE_MIRROR_OFFSET, 4);
    image.copyWithin(EEPROM_OFFSET, WORD0_MIRROR_OFFSET, 2);
}

} // namespace kq70
