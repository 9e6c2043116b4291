#pragma once

#include <optional>
#include <string>

namespace kq70 {

class CKQ70Doc;
class DocumentListener;
class UserPrompt;

// Unsaved changes kept when the system ends the program (a session logout, a stop signal): the
// document's image goes to a file of the program folder, never over the user's own file, and
// the next start names that file and offers to open it.
class SessionRecovery {
public:
    explicit SessionRecovery(const std::string& programFolder);

    const std::string& path() const { return m_path; }

    // Writes the document, with the view's data committed, to the recovery file when it has
    // unsaved changes; the document keeps its path and mark. Never asks anything. True when
    // the changes are kept or there were none.
    bool keep(CKQ70Doc& doc, DocumentListener& view) const;

    // At start-up: when a recovery file is there, names it and asks whether to open it. The
    // file to open on Yes; nothing on No (the file stays for the next start).
    std::optional<std::string> offer(UserPrompt& prompt) const;

    // Opens the recovery file as an untitled document with unsaved changes, so a Save asks
    // where to put it; the file goes once the document holds it. False when it could not be
    // read (the user was told; the file stays).
    bool restore(CKQ70Doc& doc, UserPrompt& prompt) const;

private:
    std::string m_path;
};

} // namespace kq70
