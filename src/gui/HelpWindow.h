#pragma once

#include <QDialog>
#include <QPointer>

class QListWidget;
class QTextBrowser;

namespace kq70 {

// The help: pages built into the program, a contents list, back and forward.
class HelpWindow : public QDialog {
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows a topic: a page name ("getting-started"), with a section after "#"
    // ("pages#scanning"); an unknown page shows the contents page.
    void showTopic(const QString& topic);
    // Shows a topic over `owner`, the modal window the user asked from (none: the window the
    // help was made for). A help window of its own would be blocked behind a modal window
    // until it closes; as the modal window's child it is on top and usable, and it goes back
    // to its first parent, still open, when the modal window closes.
    void showTopicOver(const QString& topic, QWidget* owner);
    QTextBrowser& browser() { return *m_browser; }

    static QString pageOfTopic(const QString& topic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveTo(QWidget* owner);

    QPointer<QWidget> m_home;
    QListWidget* m_contents;
    QTextBrowser* m_browser;
};

} // namespace kq70
