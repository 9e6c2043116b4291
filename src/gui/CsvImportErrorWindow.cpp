#include "CsvImportErrorWindow.h"
#include "QtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kq70 {

namespace {

constexpr int WINDOW_WIDTH = 720;
constexpr int WINDOW_HEIGHT = 360;

} // namespace

CsvImportErrorWindow::CsvImportErrorWindow(const CsvImportErrorList& errors, QWidget* parent)
    : QDialog(parent), m_summary(new QLabel(this)),
      m_table(new QTableWidget(static_cast<int>(errors.rows.size()), 3, this)) {
    setObjectName(QStringLiteral("CsvImportErrorWindow"));
    setWindowTitle(QString::fromStdString(errors.title));
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_summary->setText(QString::fromStdString(errors.summary));

    m_table->setObjectName(QStringLiteral("errors"));
    QStringList headers;
    for (std::string_view header : CsvImportErrorList::Headers()) {
        headers.append(qt(header));
    }
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(true);
    int row = 0;
    for (const CsvImportErrorList::Row& error : errors.rows) {
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(error[column]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setToolTip(item->text()); // a long reason in full
            m_table->setItem(row, column, item);
        }
        ++row;
    }
    // Line and column as wide as their texts; the reason takes the rest and wraps.
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(WINDOW_WIDTH, WINDOW_HEIGHT);
    close->setFocus();
}

// The rows are as high as their wrapped reasons once the columns have their widths.
void CsvImportErrorWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_table->resizeRowsToContents();
}

QString CsvImportErrorWindow::summary() const {
    return m_summary->text();
}

} // namespace kq70
