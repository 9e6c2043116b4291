#include "HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

// The help pages and icons are compiled into the window library.
static void initGuiResources() {
    Q_INIT_RESOURCE(gui);
}

namespace kq70 {

namespace {

struct Topic {
    const char* page;
    const char* title;
};

constexpr Topic CONTENTS[] = {
    {"index", "Contents"},
    {"getting-started", "Getting started"},
    {"main-window", "The main window"},
    {"pages", "Parameter pages"},
    {"radio", "Radio commands and their messages"},
    {"problems", "Common problems"},
    {"alignment", "Alignment"},
};

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent), m_contents(new QListWidget(this)), m_browser(new QTextBrowser(this)) {
    initGuiResources();
    setWindowTitle(QStringLiteral("KQ70 Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    for (const Topic& topic : CONTENTS) {
        auto* item = new QListWidgetItem(QString::fromLatin1(topic.title), m_contents);
        item->setData(Qt::UserRole, QString::fromLatin1(topic.page));
    }
    connect(m_contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showTopic(item->data(Qt::UserRole).toString()); });
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showTopic(item->data(Qt::UserRole).toString()); });

    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
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
    splitter->setSizes({200, 600});
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resize(820, 560);
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
}

} // namespace kq70
