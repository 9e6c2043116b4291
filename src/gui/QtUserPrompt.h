#pragma once

#include "ui/UserPrompt.h"

#include <QString>

class QWidget;

namespace kq70 {

// The desktop's answers to what core asks: message boxes, file choosers and the password
// entry, all modal over the main window.
class QtUserPrompt : public UserPrompt {
public:
    explicit QtUserPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> passwordEntry() override;

    // "KQ70 Files(*.K70)|*.K70||" as a Qt name filter list ("KQ70 Files (*.K70 *.k70)").
    static QString qtFilter(std::string_view filter);
    // The chosen name with the default extension added when it has none.
    static QString withDefaultExtension(const QString& path, std::string_view extension);

private:
    std::optional<std::string> fileDialog(const FileDialogRequest& request, bool save);

    QWidget* m_parent;
};

} // namespace kq70
