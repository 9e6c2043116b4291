#pragma once

#include "ui/UserPrompt.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace kq70 {

// The command line's answers to core's questions: messages go to the error stream, questions
// are answered by --yes or asked on the terminal (no terminal means No), and the password
// comes from --password or is asked on the terminal.
class TerminalPrompt : public UserPrompt {
public:
    TerminalPrompt(std::istream& in, std::ostream& err, bool interactive);

    void setAssumeYes(bool yes) { m_assumeYes = yes; }
    void setPassword(std::optional<std::string> password) { m_password = std::move(password); }
    // The file a file-open question is answered with, instead of asking.
    void setOpenFile(std::optional<std::string> path) { m_openFile = std::move(path); }

    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> passwordEntry() override;
    // True once a password was given (by --password or on the terminal), right or wrong.
    bool passwordGiven() const { return m_passwordGiven; }

    // Message texts use "\r\n" line breaks; a terminal wants "\n".
    static std::string forTerminal(std::string_view text);

private:
    std::optional<std::string> askLine(std::string_view question);

    std::istream& m_in;
    std::ostream& m_err;
    bool m_interactive;
    bool m_assumeYes = false;
    std::optional<std::string> m_password;
    std::optional<std::string> m_openFile;
    bool m_passwordGiven = false;
};

} // namespace kq70
