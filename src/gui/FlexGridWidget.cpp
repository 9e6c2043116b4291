#include "FlexGridWidget.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace kq70 {

namespace {

// The cell editor: each typed character goes past the editor's keyPressEdit, and the
// finished text past validateEdit; the cell keeps only what the editor accepted.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(FlexGridWidget& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        if (m_grid.editMaxLength() > 0) {
            editor->setMaxLength(m_grid.editMaxLength());
        }
        editor->setProperty("editorRow", m_grid.editorRow(index.row()));
        editor->setProperty("editorColumn", m_grid.editorColumn(index.column()));
        editor->installEventFilter(const_cast<GridDelegate*>(this));
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const QString text = static_cast<QLineEdit*>(editor)->text();
        HGridEvents* events = m_grid.events();
        const int row = m_grid.editorRow(index.row());
        const int column = m_grid.editorColumn(index.column());
        m_grid.setEditorText(text);
        if (events == nullptr) {
            model->setData(index, text);
            return;
        }
        if (events->validateEdit(row, column, text.toStdString())) {
            model->setData(index, text);
            events->afterEdit(row, column);
        }
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QLineEdit*>(object);
        HGridEvents* events = m_grid.events();
        if (editor != nullptr && events != nullptr && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString typed = key->text();
            if (typed.size() == 1 && typed.at(0).isPrint()) {
                const int row = editor->property("editorRow").toInt();
                const int column = editor->property("editorColumn").toInt();
                const int kept = events->keyPressEdit(row, column, typed.at(0).unicode());
                if (kept != 0) {
                    editor->insert(QString(QChar(kept)));
                }
                m_grid.setEditorText(editor->text());
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    FlexGridWidget& m_grid;
};

} // namespace

FlexGridWidget::FlexGridWidget(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new GridDelegate(*this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setMouseTracking(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
}

int FlexGridWidget::rowCount() const {
    return QTableWidget::rowCount() + headerRows();
}

void FlexGridWidget::setRowCount(int rows) {
    QTableWidget::setRowCount(std::max(0, rows - headerRows()));
}

int FlexGridWidget::columnCount() const {
    return QTableWidget::columnCount() + headerColumns();
}

void FlexGridWidget::setColumnCount(int columns) {
    QTableWidget::setColumnCount(std::max(0, columns - headerColumns()));
}

void FlexGridWidget::setFixedRows(int rows) {
    const int total = rowCount();
    m_fixedRows = rows;
    horizontalHeader()->setVisible(rows > 0);
    setRowCount(total);
}

void FlexGridWidget::setFixedColumns(int columns) {
    const int total = columnCount();
    m_fixedColumns = columns;
    verticalHeader()->setVisible(columns > 0);
    setColumnCount(total);
}

void FlexGridWidget::setTopRow(int row) {
    if (QTableWidgetItem* item = cellItem(row, headerColumns(), true)) {
        scrollToItem(item, QAbstractItemView::PositionAtTop);
    }
}

void FlexGridWidget::setRedraw(bool on) {
    setUpdatesEnabled(on);
    if (on) {
        viewport()->update();
    }
}

QTableWidgetItem* FlexGridWidget::cellItem(int row, int column, bool create) {
    const int r = tableRow(row);
    const int c = tableColumn(column);
    if (r < 0 || c < 0 || r >= QTableWidget::rowCount() || c >= QTableWidget::columnCount()) {
        return nullptr;
    }
    QTableWidgetItem* cell = item(r, c);
    if (cell == nullptr && create) {
        cell = new QTableWidgetItem;
        setItem(r, c, cell);
    }
    return cell;
}

std::string FlexGridWidget::textMatrix(int row, int column) const {
    const int r = tableRow(row);
    const int c = tableColumn(column);
    const QTableWidgetItem* cell = nullptr;
    if (r < 0 && c >= 0) {
        cell = horizontalHeaderItem(c);
    } else if (c < 0 && r >= 0) {
        cell = verticalHeaderItem(r);
    } else if (r >= 0 && c >= 0) {
        cell = item(r, c);
    }
    return cell != nullptr ? cell->text().toStdString() : std::string();
}

void FlexGridWidget::setTextMatrix(int row, int column, const std::string& text) {
    const int r = tableRow(row);
    const int c = tableColumn(column);
    const QString value = QString::fromStdString(text);
    if (r < 0 && c >= 0 && c < QTableWidget::columnCount()) {
        setHorizontalHeaderItem(c, new QTableWidgetItem(value));
    } else if (c < 0 && r >= 0 && r < QTableWidget::rowCount()) {
        setVerticalHeaderItem(r, new QTableWidgetItem(value));
    } else if (QTableWidgetItem* cell = cellItem(row, column, true)) {
        cell->setText(value);
    }
}

void FlexGridWidget::setCellBackColour(std::uint32_t rgb) {
    if (QTableWidgetItem* cell = cellItem(m_row, m_column, true)) {
        cell->setBackground(QColor(static_cast<int>(rgb & 0xFF),
                                   static_cast<int>((rgb >> 8) & 0xFF),
                                   static_cast<int>((rgb >> 16) & 0xFF)));
    }
}

void FlexGridWidget::setCheckCell(int row, int column, bool enabled, bool ticked) {
    if (QTableWidgetItem* cell = cellItem(row, column, true)) {
        cell->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        cell->setText(ticked ? QStringLiteral(" ") : QStringLiteral("-"));
        cell->setFlags(enabled ? cell->flags() | Qt::ItemIsEnabled
                               : cell->flags() & ~Qt::ItemIsEnabled);
    }
}

std::string FlexGridWidget::clip() const {
    const Selection s = getSelection();
    std::string text;
    for (int row = s.firstRow; row <= s.lastRow; ++row) {
        for (int column = s.firstColumn; column <= s.lastColumn; ++column) {
            text += textMatrix(row, column);
            if (column < s.lastColumn) {
                text += '\t';
            }
        }
        text += "\r\n";
    }
    return text;
}

HGridControl::Selection FlexGridWidget::getSelection() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) {
        return {m_row, m_column, m_row, m_column};
    }
    const QTableWidgetSelectionRange& range = ranges.first();
    return {editorRow(range.topRow()), editorColumn(range.leftColumn()),
            editorRow(range.bottomRow()), editorColumn(range.rightColumn())};
}

void FlexGridWidget::setColumnHidden(int column, bool hidden) {
    const int c = tableColumn(column);
    if (c >= 0) {
        QTableWidget::setColumnHidden(c, hidden);
    }
}

bool FlexGridWidget::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid()) {
        return false;
    }
    if (trigger & (DoubleClicked | EditKeyPressed | AnyKeyPressed)) {
        m_row = editorRow(index.row());
        m_column = editorColumn(index.column());
        m_editMaxLength = 0;
        if (m_events != nullptr && !m_events->beforeEdit(m_row, m_column)) {
            return false;
        }
    }
    return QTableWidget::edit(index, trigger, event);
}

void FlexGridWidget::mouseMoveEvent(QMouseEvent* event) {
    m_mouseRow = editorRow(rowAt(event->position().toPoint().y()));
    QTableWidget::mouseMoveEvent(event);
}

} // namespace kq70
