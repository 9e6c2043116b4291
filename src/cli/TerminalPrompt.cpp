#include "TerminalPrompt.h"

#include <istream>
#include <ostream>

namespace kq70 {

TerminalPrompt::TerminalPrompt(std::istream& in, std::ostream& err, bool interactive)
    : m_in(in), m_err(err), m_interactive(interactive) {}

std::string TerminalPrompt::forTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

std::optional<std::string> TerminalPrompt::askLine(std::string_view question) {
    if (!m_interactive) {
        return std::nullopt;
    }
    m_err << question << std::flush;
    std::string line;
    if (!std::getline(m_in, line)) {
        return std::nullopt;
    }
    return line;
}

MessageAnswer TerminalPrompt::messageBox(std::string_view text, std::string_view caption,
                                         MessageButtons buttons, MessageIcon /*icon*/) {
    if (!caption.empty()) {
        m_err << forTerminal(caption) << ": ";
    }
    m_err << forTerminal(text) << '\n';
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    const bool hasYes = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    const MessageAnswer positive = hasYes ? MessageAnswer::Yes : MessageAnswer::Ok;
    const MessageAnswer negative =
        buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    if (m_assumeYes) {
        return positive;
    }
    const auto answer = askLine(hasYes ? "[y/n] " : "[ok/cancel] ");
    if (answer && !answer->empty() &&
        (answer->front() == 'y' || answer->front() == 'Y' || answer->front() == 'o' ||
         answer->front() == 'O')) {
        return positive;
    }
    if (buttons == MessageButtons::YesNoCancel && answer && !answer->empty() &&
        (answer->front() == 'n' || answer->front() == 'N')) {
        return MessageAnswer::No;
    }
    return negative;
}

std::optional<std::string> TerminalPrompt::openFileDialog(const FileDialogRequest& /*request*/) {
    if (m_openFile) {
        m_err << "File to open: " << *m_openFile << '\n';
        return m_openFile;
    }
    auto path = askLine("File to open: ");
    return path && !path->empty() ? path : std::nullopt;
}

std::optional<std::string> TerminalPrompt::saveFileDialog(const FileDialogRequest& /*request*/) {
    auto path = askLine("File to save: ");
    return path && !path->empty() ? path : std::nullopt;
}

std::optional<std::string> TerminalPrompt::passwordEntry() {
    std::optional<std::string> entry = m_password ? m_password : askLine("Password: ");
    m_passwordGiven = m_passwordGiven || entry.has_value();
    return entry;
}

} // namespace kq70
