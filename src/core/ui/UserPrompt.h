#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kq70 {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Exclamation, Question, Stop };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// What a file chooser is asked for: the default extension ("K70") and the filter text.
struct FileDialogRequest {
    std::string defaultExtension;
    std::string filter;
    std::string initialPath;
    // A save dialog asks before it names a file that already exists.
    bool overwritePrompt = false;
};

// Everything core asks a person goes through here. The desktop program answers with its
// dialogs, the command line with terminal questions or flags, the tests with a script.
// Implementations must not throw.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;

    virtual MessageAnswer messageBox(std::string_view text, std::string_view caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;
    // A path, or nothing when the user cancels.
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
    // The "Password" entry: the text typed, or nothing on Cancel.
    virtual std::optional<std::string> passwordEntry() = 0;

    // The common case: a message with an OK button and no caption of its own.
    MessageAnswer message(std::string_view text, MessageIcon icon) {
        return messageBox(text, {}, MessageButtons::Ok, icon);
    }
};

} // namespace kq70
