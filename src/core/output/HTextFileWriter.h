#pragma once

#include "output/HFileSettings.h"
#include "platform/AtomicFile.h"

#include <string>
#include <string_view>

namespace kq70 {

class UserPrompt;

// Writes a text file, asking for its path with a save dialog when "Dialog" is "ON". The text
// goes into a temporary file in the target's folder, which close() renames over the target:
// an export that fails or is abandoned leaves no partial file where the user asked for one,
// and an existing file at that path keeps its old contents.
class HTextFileWriter : public HFileSettings {
public:
    static constexpr std::string_view FILE_PATH = "FilePath";
    static constexpr std::string_view FILE_OPEN_TYPE = "FileOpenType";
    static constexpr std::string_view DIALOG = "Dialog";
    static constexpr std::string_view EXTENSION = "Extension";
    static constexpr std::string_view FILTER = "Filter";
    static constexpr std::string_view DIALOG_ON = "ON";

    explicit HTextFileWriter(UserPrompt& prompt);
    // An unfinished file is discarded.
    ~HTextFileWriter() override;

    // Asks for the path when "Dialog" is "ON" and stores it under "FilePath", then starts the
    // file. False when the user cancels ("ErrorCode" stays as it was) or when the file cannot
    // be opened ("ErrorCode" "00"). "FileOpenType" "w" writes a new file, "a" appends to the
    // existing one; a "t" or "b" suffix is accepted and changes nothing.
    bool open();
    bool isOpen() const { return m_fd >= 0; }
    // Appends `text` with one write. False and "ErrorCode" "01" when it fails.
    bool writeString(std::string_view text);
    // Flushes the file and puts it in place. False and "ErrorCode" "01" when that fails; the
    // target is then unchanged.
    bool close();
    // Drops what was written; the target stays as it was.
    void discard();

    // The system calls used for writing, so a test can make a write fail.
    void setWriteHooks(FileWriteHooks hooks) { m_hooks = std::move(hooks); }

private:
    bool askForPath();
    bool startFile(const std::string& path, bool append);
    bool copyExisting();
    bool failOpen();
    bool failWrite();

    UserPrompt& m_prompt;
    FileWriteHooks m_hooks;
    int m_fd = -1;
    std::string m_target;
    std::string m_temporary;
};

} // namespace kq70
