#include "HelpWindow.h"

#include "QtText.h"
#include "ui/Strings.h"

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

// The help pages and icons are compiled into the window library.
static void initGuiResources() {
    Q_INIT_RESOURCE(gui);
}

namespace kq70 {

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent), m_home(parent), m_contents(new QListWidget(this)),
      m_browser(new QTextBrowser(this)) {
    initGuiResources();
    setWindowTitle(qt(text::HELP_WINDOW_TITLE));
    setObjectName(QStringLiteral("HelpWindow"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    for (const auto& [page, title] : text::HELP_CONTENTS) {
        auto* item = new QListWidgetItem(qt(title), m_contents);
        item->setData(Qt::UserRole, qt(page));
    }
    connect(m_contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showTopic(item->data(Qt::UserRole).toString()); });
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showTopic(item->data(Qt::UserRole).toString()); });

    auto* back = new QPushButton(qt(text::HELP_BACK), this);
    auto* forward = new QPushButton(qt(text::HELP_FORWARD), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    // The contents list shows its longest entry whole.
    int widest = 0;
    for (const auto& entry : text::HELP_CONTENTS) {
        widest = std::max(widest, m_contents->fontMetrics().horizontalAdvance(qt(entry.second)));
    }
    const int contentsWidth = widest + 2 * m_contents->frameWidth() + 24;
    m_contents->setMinimumWidth(contentsWidth);
    splitter->setSizes({contentsWidth, 640});
    resize(contentsWidth + 680, 560);
}

QString HelpWindow::pageOfTopic(const QString& topic) {
    initGuiResources();
    const auto hash = topic.indexOf(QLatin1Char('#'));
    const QString page = hash < 0 ? topic : topic.left(hash);
    if (page.isEmpty() || !QFile::exists(QStringLiteral(":/help/%1.html").arg(page))) {
        return QStringLiteral("index.html");
    }
    return page + QStringLiteral(".html") + (hash < 0 ? QString() : topic.mid(hash));
}

void HelpWindow::showTopic(const QString& topic) {
    const QString page = pageOfTopic(topic);
    m_browser->setSource(QUrl(page));
    const QString name = page.left(page.indexOf(QStringLiteral(".html")));
    for (int i = 0; i < m_contents->count(); ++i) {
        if (m_contents->item(i)->data(Qt::UserRole).toString() == name) {
            m_contents->setCurrentRow(i);
        }
    }
    show();
    raise();
    activateWindow();
    // The keys scroll the page at once.
    m_browser->setFocus();
}

void HelpWindow::showTopicOver(const QString& topic, QWidget* owner) {
    moveTo(owner != nullptr ? owner : m_home.data());
    showTopic(topic);
}

void HelpWindow::moveTo(QWidget* owner) {
    QWidget* current = parentWidget();
    if (owner == current) {
        return;
    }
    if (current != nullptr && current != m_home) {
        current->removeEventFilter(this);
    }
    // Changing the parent hides the window: it comes back where it was.
    const bool shown = !isHidden();
    const QRect place = geometry();
    setParent(owner, windowFlags());
    if (owner != nullptr && owner != m_home) {
        owner->installEventFilter(this);
    }
    setGeometry(place);
    if (shown) {
        show();
    }
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // The modal window it was shown over closes: the help stays open with its first parent.
    if (watched == parentWidget() && watched != m_home && event->type() == QEvent::Hide) {
        moveTo(m_home);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kq70
