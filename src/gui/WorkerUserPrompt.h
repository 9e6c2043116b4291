#pragma once

#include "ui/UserPrompt.h"

#include <QObject>

namespace kq70 {

// A UserPrompt a radio job may call from its worker thread: every question is handed to the
// thread this object was made on (the window thread), answered there by `guiPrompt`, and the
// worker waits for the answer. Called on the window thread itself it asks directly, so it
// never waits on itself.
class WorkerUserPrompt : public UserPrompt {
public:
    // Make it on the window thread; `guiPrompt` is only ever called there.
    explicit WorkerUserPrompt(UserPrompt& guiPrompt) : m_guiPrompt(guiPrompt) {}

    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> passwordEntry() override;

private:
    template <typename Ask> auto onWindowThread(Ask ask) -> decltype(ask());

    UserPrompt& m_guiPrompt;
    QObject m_windowThread; // lives on the window thread; the calls are queued to it
};

} // namespace kq70
