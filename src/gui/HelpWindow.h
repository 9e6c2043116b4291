#pragma once

#include <QDialog>

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
    QTextBrowser& browser() { return *m_browser; }

    static QString pageOfTopic(const QString& topic);

private:
    QListWidget* m_contents;
    QTextBrowser* m_browser;
};

} // namespace kq70
