#pragma once

#include "ui/UserPrompt.h"

#include <string>

namespace kq70 {

// What the pages and the channel grid say while an import drives them: messages are kept
// (the last one explains a refused OK), questions are answered No or Cancel and file or
// password entries cancelled, so nothing waits for a person and nothing is done without one.
class CsvImportPrompt : public UserPrompt {
public:
    MessageAnswer messageBox(std::string_view text, std::string_view /*caption*/,
                             MessageButtons buttons, MessageIcon /*icon*/) override {
        m_lastMessage = std::string(text);
        switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::No;
        }
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest& /*request*/) override {
        return std::nullopt;
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& /*request*/) override {
        return std::nullopt;
    }
    std::optional<std::string> passwordEntry() override { return std::nullopt; }

    const std::string& lastMessage() const { return m_lastMessage; }
    void forget() { m_lastMessage.clear(); }

private:
    std::string m_lastMessage;
};

} // namespace kq70
