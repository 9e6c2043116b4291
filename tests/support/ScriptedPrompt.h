#pragma once

#include "ui/UserPrompt.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kq70::test {

// A UserPrompt that plays a script: each expected prompt with its answer, in order. A prompt
// the script does not expect, or one left unasked at the end, fails the running test.
class ScriptedPrompt : public UserPrompt {
public:
    enum class Kind { Message, OpenFile, SaveFile, Password };

    struct Step {
        Kind kind = Kind::Message;
        std::string text; // expected message text; empty accepts any text
        std::optional<MessageIcon> icon;
        std::optional<MessageButtons> buttons;
        MessageAnswer answer = MessageAnswer::Ok;
        std::optional<std::string> entry; // path or password; nothing means Cancel
    };

    struct Record {
        Kind kind;
        std::string text; // a message's text, a file dialog's filter
        std::string caption;
        MessageButtons buttons = MessageButtons::Ok;
        MessageIcon icon = MessageIcon::None;
    };

    ~ScriptedPrompt() override;

    ScriptedPrompt& expectMessage(std::string text, MessageAnswer answer = MessageAnswer::Ok,
                                  std::optional<MessageIcon> icon = std::nullopt,
                                  std::optional<MessageButtons> buttons = std::nullopt);
    ScriptedPrompt& expectOpenFile(std::optional<std::string> path);
    ScriptedPrompt& expectSaveFile(std::optional<std::string> path);
    ScriptedPrompt& expectPassword(std::optional<std::string> entry);

    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> passwordEntry() override;

    // Everything that was asked, in order.
    const std::vector<Record>& asked() const { return m_asked; }
    bool finished() const { return m_steps.empty(); }

private:
    std::optional<Step> next(Kind kind, std::string_view text);

    std::deque<Step> m_steps;
    std::vector<Record> m_asked;
};

} // namespace kq70::test
