#pragma once

#include <QDialog>
#include <QHash>

#include <functional>

class QLabel;
class QVBoxLayout;
class QWidget;

namespace kq70 {

class HDialog;
struct PageControl;

// Shows any parameter page: one widget per page control, label beside it, in columns when
// the page is long. Every change goes to the page, and the widgets are then redrawn from the
// page, so its dependencies between controls show at once. OK and Cancel run the page's own
// closing steps; the page decides whether it closes.
class ParameterPageDialog : public QDialog {
public:
    // Opens the help at a topic (the section the page names).
    using HelpFunction = std::function<void(const QString& topic)>;

    ParameterPageDialog(HDialog& page, const QString& title, QWidget* parent = nullptr,
                        HelpFunction help = {});

    // The widget that shows control `id`; nullptr when the page has none.
    QWidget* controlWidget(int id) const { return m_widgets.value(id, nullptr); }
    QString promptText() const;

    void accept() override;
    void reject() override;

protected:
    // For pages with a layout of their own: opens the page and shows nothing yet. The subclass
    // places the widgets of createControlWidget, then calls addPromptAndButtons, refresh and
    // showPrompt.
    struct OwnLayout {};
    ParameterPageDialog(HDialog& page, const QString& title, QWidget* parent, HelpFunction help,
                        OwnLayout);

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    HDialog& page() { return m_page; }
    // The widget of one control, wired to the page; the caller places it.
    QWidget* createControlWidget(const PageControl& control);
    // The prompt line and the OK, Cancel (and Help) buttons below the controls.
    void addPromptAndButtons(QVBoxLayout* root);
    void refresh();
    void showPrompt();

private:
    void buildControls();
    QString helpTopic() const;

    HDialog& m_page;
    HelpFunction m_help;
    QHash<int, QWidget*> m_widgets;
    QHash<int, QLabel*> m_labels;
    QLabel* m_promptFirst = nullptr;
    QLabel* m_promptSecond = nullptr;
    bool m_refreshing = false;
};

} // namespace kq70
