#pragma once

#include "doc/DocumentObserver.h"
#include "doc/UndoHistory.h"
#include "image/RadioImage.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kq70 {

class UserPrompt;

// The path of a document that belongs to no file.
inline constexpr const char* NO_FILE_MARKER = "<none>";

// The one document of a run. It embeds the radio memory image, which is never reallocated:
// the address GetMainMemory returns stays valid for the document's whole life, through New,
// Open and Upload. It also carries the state the save prompts and the download merge read.
//
// It announces its changes to its observers: its path and modified mark as they are set, and
// changes to the image's bytes when the change scope they were made in closes. A command runs
// in one scope, so whatever it did is announced once, when it is done.
class CKQ70Doc {
public:
    // Everything changed while a scope is open is announced once, when the outermost scope
    // closes: bytes of the image by comparison with the image as the scope found it.
    class ChangeScope {
    public:
        explicit ChangeScope(CKQ70Doc& doc);
        ~ChangeScope();
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;

    private:
        CKQ70Doc& m_doc;
    };

    CKQ70Doc();
    ~CKQ70Doc();
    CKQ70Doc(const CKQ70Doc&) = delete;
    CKQ70Doc& operator=(const CKQ70Doc&) = delete;

    void AddObserver(DocumentObserver& observer);
    void RemoveObserver(DocumentObserver& observer);
    // The contents are another document's now (New, Open, Upload): announced as a whole.
    void MarkReplaced();

    RadioImage& GetMainMemory() { return m_image; }
    const RadioImage& GetMainMemory() const { return m_image; }

    const std::string& GetCurrentFilePath() const { return m_currentFilePath; }
    void SetCurrentFilePath(std::string path);
    bool IsUntitled() const { return m_currentFilePath == NO_FILE_MARKER; }

    bool GetDataModified() const { return m_dataModified; }
    void SetDataModified(bool modified);

    // Set when the raw image editor changes bytes 0x0002–0x0003.
    bool GetWord1Edited() const { return m_word1Edited; }
    void SetWord1Edited(bool edited) { m_word1Edited = edited; }
    // Set when the hardware page changes a hardware value.
    bool GetHardwareEdited() const { return m_hardwareEdited; }
    void SetHardwareEdited(bool edited) { m_hardwareEdited = edited; }
    // A document start, an Open and the end of an Upload forget both edits.
    void ClearEditedFlags();
    // The modified and edited flags together, as an undo step keeps them.
    EditFlags GetEditFlags() const { return {m_dataModified, m_word1Edited, m_hardwareEdited}; }
    void SetEditFlags(const EditFlags& flags);

    // Writes the image to `path`; on success the document is no longer modified. Refused
    // (FILE_IN_USE) while another program holds the file's lock for a change of its own.
    bool WriteToFile(const std::string& path, UserPrompt& prompt);

    // The editing steps that can be taken back. New, Open and Upload clear it.
    UndoHistory& GetUndoHistory() { return m_undoHistory; }
    const UndoHistory& GetUndoHistory() const { return m_undoHistory; }
    // Edit > Undo and Redo on the image and the modified flag; false when there is nothing
    // to undo or redo. The caller reloads the view.
    bool Undo();
    bool Redo();

    // Asks whether to save changes before they would be discarded. Yes runs `save` (the
    // caller's Save flow, Save As for an untitled document); when that is cancelled or fails
    // the answer is false and the document stays modified, so nothing is lost. No lets the
    // caller discard them: the document keeps its mark until the caller replaces it, so a
    // command that then fails loses nothing. Cancel returns false. True means the caller may
    // go on.
    bool SaveModifiedData(UserPrompt& prompt, const std::function<bool()>& save);

private:
    void Announce(unsigned what);
    void OpenScope();
    void CloseScope();

    RadioImage m_image;
    std::string m_currentFilePath = NO_FILE_MARKER;
    bool m_dataModified = false;
    bool m_word1Edited = false;
    bool m_hardwareEdited = false;
    UndoHistory m_undoHistory;

    std::vector<DocumentObserver*> m_observers;
    int m_scopeDepth = 0;
    unsigned m_scopeChanges = 0;
    std::unique_ptr<RadioImage> m_scopeImage; // the image as the outermost scope found it
    std::vector<DocumentChange> m_pending;
    bool m_announcing = false;
};

// The mirror copies made before every write to a radio: 0x29EE–0x29F1 to 0x016C–0x016F, and
// EEPROM word 0 to 0x0200–0x0201.
void PrepareImageForWrite(RadioImage& image);

} // namespace kq70
