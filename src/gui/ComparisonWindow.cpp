#include "ComparisonWindow.h"

#include "QtText.h"
#include "ui/Strings.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kq70 {

namespace {

QTableWidgetItem* cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

ComparisonWindow::ComparisonWindow(const ComparisonResult& result, QWidget* parent)
    : QDialog(parent), m_summary(new QLabel(this)), m_sections(new QTabWidget(this)) {
    setObjectName(QStringLiteral("ComparisonWindow"));
    setWindowTitle(QStringLiteral("%1 - %2 / %3")
                       .arg(qt(text::COMPARE_WINDOW_TITLE), QString::fromStdString(result.nameA),
                            QString::fromStdString(result.nameB)));
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    QString summary = QString::fromStdString(CompareCommands::Summary(result.comparison));
    if (!result.scope.empty()) {
        summary += QLatin1Char('\n') + QString::fromStdString(result.scope);
    }
    m_summary->setText(summary);
    m_sections->setObjectName(QStringLiteral("sections"));
    for (const ComparisonTable& table : CompareCommands::Tables(result.comparison)) {
        m_sections->addTab(makeTable(table, result), QStringLiteral("%1 (%2)")
                                                         .arg(QString::fromStdString(table.title))
                                                         .arg(table.rows.size()));
    }
    m_sections->setVisible(m_sections->count() > 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_sections, 1);
    layout->addWidget(buttons);
    resize(640, m_sections->count() > 0 ? 480 : 120);
}

QTableWidget* ComparisonWindow::makeTable(const ComparisonTable& table,
                                          const ComparisonResult& result) {
    auto* widget = new QTableWidget(static_cast<int>(table.rows.size()), 3, m_sections);
    widget->setHorizontalHeaderLabels({qt(text::COMPARE_CAPTION_HEADER),
                                       QString::fromStdString(result.nameA),
                                       QString::fromStdString(result.nameB)});
    widget->verticalHeader()->setVisible(false);
    widget->setSelectionBehavior(QAbstractItemView::SelectRows);
    widget->setAlternatingRowColors(true);
    int row = 0;
    for (const ComparisonEntry& entry : table.rows) {
        widget->setItem(row, 0, cell(entry.caption));
        widget->setItem(row, 1, cell(entry.valueA));
        widget->setItem(row, 2, cell(entry.valueB));
        ++row;
    }
    // The item as wide as its longest caption; the two sides share the rest equally.
    QHeaderView* header = widget->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    return widget;
}

QString ComparisonWindow::summary() const {
    return m_summary->text();
}

QTableWidget* ComparisonWindow::table(int section) const {
    return qobject_cast<QTableWidget*>(m_sections->widget(section));
}

} // namespace kq70
