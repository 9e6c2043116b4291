#pragma once

#include "ui/HGridControl.h"

#include <QTableWidget>

namespace kq70 {

// The grid of the table editors over a QTableWidget. A first fixed row and a first fixed
// column become the table's headers, so they stay in view while the rest scrolls; row and
// column numbers are the editor's, headers included. Edits go through the editor's grid
// events: it decides which cells may be edited, which keys count, and what is kept.
class FlexGridWidget : public QTableWidget, public HGridControl {
public:
    explicit FlexGridWidget(QWidget* parent = nullptr);

    void setEvents(HGridEvents* events) { m_events = events; }
    HGridEvents* events() const { return m_events; }
    int editMaxLength() const { return m_editMaxLength; }
    void setEditorText(const QString& text) { m_editorText = text; }

    int rowCount() const override;
    void setRowCount(int rows) override;
    int columnCount() const override;
    void setColumnCount(int columns) override;
    int fixedRows() const override { return m_fixedRows; }
    void setFixedRows(int rows) override;
    int fixedColumns() const override { return m_fixedColumns; }
    void setFixedColumns(int columns) override;

    void setTopRow(int row) override;
    int row() const override { return m_row; }
    void setRow(int row) override { m_row = row; }
    int column() const override { return m_column; }
    void setColumn(int column) override { m_column = column; }
    void setRedraw(bool on) override;
    int mouseRow() const override { return m_mouseRow; }

    std::string textMatrix(int row, int column) const override;
    void setTextMatrix(int row, int column, const std::string& text) override;
    void setCellBackColour(std::uint32_t rgb) override;
    void setCheckCell(int row, int column, bool enabled, bool ticked) override;

    std::string clip() const override;
    Selection getSelection() const override;
    std::string editText() const override { return m_editorText.toStdString(); }
    void setEditState(int state) override { m_editState = state; }
    void setEditMaxLength(int length) override { m_editMaxLength = length; }
    void setMergeRow(int /*row*/, bool /*merge*/) override {}

    void setColumnComboList(int /*column*/, const std::string& /*list*/) override {}
    std::string comboData(int /*column*/) const override { return {}; }
    void setColumnHidden(int column, bool hidden) override;
    std::uint32_t foreColour() const override { return 0x000000; }

    // Table cell of an editor cell; row or column -1 for a header.
    int tableRow(int row) const { return row - headerRows(); }
    int tableColumn(int column) const { return column - headerColumns(); }
    int editorRow(int tableRow) const { return tableRow + headerRows(); }
    int editorColumn(int tableColumn) const { return tableColumn + headerColumns(); }

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int headerRows() const { return m_fixedRows > 0 ? 1 : 0; }
    int headerColumns() const { return m_fixedColumns > 0 ? 1 : 0; }
    QTableWidgetItem* cellItem(int row, int column, bool create);

    HGridEvents* m_events = nullptr;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_row = 0;
    int m_column = 0;
    int m_mouseRow = 0;
    int m_editState = 0;
    int m_editMaxLength = 0;
    QString m_editorText;
};

} // namespace kq70
