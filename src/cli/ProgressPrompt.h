#pragma once

#include "TerminalProgress.h"
#include "ui/UserPrompt.h"

namespace kq70 {

// A prompt that first ends the progress line, so a job's messages and questions never end
// up in the middle of the bar.
class ProgressPrompt : public UserPrompt {
public:
    ProgressPrompt(UserPrompt& prompt, TerminalProgress& progress)
        : m_prompt(prompt), m_progress(progress) {}

    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override {
        m_progress.endLine();
        return m_prompt.messageBox(text, caption, buttons, icon);
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        m_progress.endLine();
        return m_prompt.openFileDialog(request);
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        m_progress.endLine();
        return m_prompt.saveFileDialog(request);
    }
    std::optional<std::string> passwordEntry() override {
        m_progress.endLine();
        return m_prompt.passwordEntry();
    }

private:
    UserPrompt& m_prompt;
    TerminalProgress& m_progress;
};

} // namespace kq70
