#pragma once

#include "ui/UserPrompt.h"

class QObject;

namespace kq70 {

// A prompt that may be asked from any thread: questions asked off the window thread wait
// there until the window thread has shown them through `target`.
class GuiThreadPrompt : public UserPrompt {
public:
    // `guiObject` lives on the window thread; `target` answers there.
    GuiThreadPrompt(UserPrompt& target, QObject& guiObject) : m_target(target), m_gui(guiObject) {}

    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> passwordEntry() override;

private:
    template <typename Ask> auto onGuiThread(Ask ask) -> decltype(ask());

    UserPrompt& m_target;
    QObject& m_gui;
};

} // namespace kq70
