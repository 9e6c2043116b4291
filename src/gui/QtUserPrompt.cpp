#include "QtUserPrompt.h"

#include "ui/Strings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>

namespace kq70 {

namespace {

QString fromView(std::string_view text) {
    QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button, MessageButtons buttons) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        // Escape or the close button: the safe answer of the box.
        return buttons == MessageButtons::YesNo ? MessageAnswer::No
               : buttons == MessageButtons::Ok  ? MessageAnswer::Ok
                                                : MessageAnswer::Cancel;
    }
}

} // namespace

MessageAnswer QtUserPrompt::messageBox(std::string_view text, std::string_view caption,
                                       MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), caption.empty() ? QStringLiteral("KQ70") : fromView(caption),
                    fromView(text), qtButtons(buttons), m_parent);
    if (buttons == MessageButtons::YesNoCancel || buttons == MessageButtons::YesNo) {
        box.setDefaultButton(QMessageBox::Yes);
    }
    return answerOf(box.exec(), buttons);
}

QString QtUserPrompt::qtFilter(std::string_view filter) {
    // Pairs of "shown text|patterns" separated by bars, ended by "||".
    const QStringList parts = fromView(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        const QStringList given = patterns;
        for (const QString& pattern : given) {
            // Data files come from Windows machines too: match the extension in either case.
            if (pattern.toLower() != pattern) {
                patterns.append(pattern.toLower());
            }
        }
        QString name = parts[i];
        const auto paren = name.indexOf(QLatin1Char('('));
        if (paren > 0) {
            name = name.left(paren).trimmed();
        }
        filters.append(QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' '))));
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtUserPrompt::withDefaultExtension(const QString& path, std::string_view extension) {
    if (extension.empty() || !QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    return path + QLatin1Char('.') + fromView(extension);
}

std::optional<std::string> QtUserPrompt::fileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(m_parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(qtFilter(request.filter));
    dialog.setDefaultSuffix(fromView(request.defaultExtension));
    if (!request.initialPath.empty()) {
        dialog.selectFile(fromView(request.initialPath));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen =
        save ? withDefaultExtension(dialog.selectedFiles().first(), request.defaultExtension)
             : dialog.selectedFiles().first();
    return chosen.toStdString();
}

std::optional<std::string> QtUserPrompt::openFileDialog(const FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::optional<std::string> QtUserPrompt::saveFileDialog(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

std::optional<std::string> QtUserPrompt::passwordEntry() {
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(fromView(text::PASSWORD_DIALOG_TITLE));
    dialog.setLabelText(fromView(text::PASSWORD_DIALOG_TITLE));
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toStdString();
}

} // namespace kq70
