#pragma once

#include "doc/UndoHistory.h"
#include "image/RadioImage.h"

#include <functional>
#include <string>

namespace kq70 {

class UserPrompt;

// The path of a document that belongs to no file.
inline constexpr const char* NO_FILE_MARKER = "<none>";

// The one document of a run. It embeds the radio memory image, which is never reallocated:
// the address GetMainMemory returns stays valid for the document's whole life, through New,
// Open and Upload. It also carries the state the save prompts and the download merge read.
class CKQ70Doc {
public:
    CKQ70Doc() = default;
    CKQ70Doc(const CKQ70Doc&) = delete;
    CKQ70Doc& operator=(const CKQ70Doc&) = delete;

    RadioImage& GetMainMemory() { return m_image; }
    const RadioImage& GetMainMemory() const { return m_image; }

    const std::string& currentFilePath() const { return m_currentFilePath; }
    void setCurrentFilePath(std::string path) { m_currentFilePath = std::move(path); }
    bool isUntitled() const { return m_currentFilePath == NO_FILE_MARKER; }

    bool dataModified() const { return m_dataModified; }
    void setDataModified(bool modified) { m_dataModified = modified; }

    // Set when the raw image editor changes bytes 0x0002–0x0003.
    bool word1Edited() const { return m_word1Edited; }
    void setWord1Edited(bool edited) { m_word1Edited = edited; }
    // Set when the hardware page changes a hardware value.
    bool hardwareEdited() const { return m_hardwareEdited; }
    void setHardwareEdited(bool edited) { m_hardwareEdited = edited; }
    // A document start, an Open and the end of an Upload forget both edits.
    void clearEditedFlags();
    // The modified and edited flags together, as an undo step keeps them.
    EditFlags editFlags() const { return {m_dataModified, m_word1Edited, m_hardwareEdited}; }
    void setEditFlags(const EditFlags& flags);

    // Writes the image to `path`; on success the document is no longer modified. Refused
    // (FILE_IN_USE) while another program holds the file's lock for a change of its own.
    bool WriteToFile(const std::string& path, UserPrompt& prompt);

    // The editing steps that can be taken back. New, Open and Upload clear it.
    UndoHistory& undoHistory() { return m_undoHistory; }
    const UndoHistory& undoHistory() const { return m_undoHistory; }
    // Edit > Undo and Redo on the image and the modified flag; false when there is nothing
    // to undo or redo. The caller reloads the view.
    bool Undo();
    bool Redo();

    // Asks whether to save changes before they would be discarded. Yes runs `save` (the
    // caller's Save flow, Save As for an untitled document); when that is cancelled or fails
    // the answer is false and the document stays modified, so nothing is lost. No discards,
    // Cancel returns false. True means the caller may go on.
    bool SaveModifiedData(UserPrompt& prompt, const std::function<bool()>& save);

private:
    RadioImage m_image;
    std::string m_currentFilePath = NO_FILE_MARKER;
    bool m_dataModified = false;
    bool m_word1Edited = false;
    bool m_hardwareEdited = false;
    UndoHistory m_undoHistory;
};

// The mirror copies made before every write to a radio: 0x29EE–0x29F1 to 0x016C–0x016F, and
// EEPROM word 0 to 0x0200–0x0201.
void PrepareImageForWrite(RadioImage& image);

} // namespace kq70
