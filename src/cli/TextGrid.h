#pragma once

#include "ui/HGridControl.h"

#include <map>
#include <string>
#include <utility>

namespace kq70 {

// A grid that only keeps what an editor puts into it, for printing: the cell texts, the hidden
// columns and the current cell. Nothing is painted and no user edits it.
class TextGrid : public HGridControl {
public:
    int rowCount() const override { return m_rows; }
    // Rows and columns cut off lose their texts, as in the window's grid.
    void setRowCount(int rows) override;
    int columnCount() const override { return m_columns; }
    void setColumnCount(int columns) override;
    int fixedRows() const override { return m_fixedRows; }
    void setFixedRows(int rows) override { m_fixedRows = rows; }
    int fixedColumns() const override { return m_fixedColumns; }
    void setFixedColumns(int columns) override { m_fixedColumns = columns; }

    void setTopRow(int /*row*/) override {}
    int row() const override { return m_row; }
    void setRow(int row) override { m_row = row; }
    int column() const override { return m_column; }
    void setColumn(int column) override { m_column = column; }
    void setRedraw(bool /*on*/) override {}
    int mouseRow() const override { return m_row; }

    std::string textMatrix(int row, int column) const override;
    void setTextMatrix(int row, int column, const std::string& text) override;
    void setCellBackColour(std::uint32_t /*rgb*/) override {}
    void setCheckCell(int row, int column, bool enabled, bool ticked) override;

    std::string clip() const override { return textMatrix(m_row, m_column); }
    Selection getSelection() const override { return {m_row, m_column, m_row, m_column}; }
    std::string editText() const override { return {}; }
    void setEditState(int /*state*/) override {}
    void setEditMaxLength(int /*length*/) override {}
    void setMergeRow(int /*row*/, bool /*merge*/) override {}

    void setColumnComboList(int /*column*/, const std::string& /*list*/) override {}
    std::string comboData(int /*column*/) const override { return {}; }
    void setColumnHidden(int column, bool hidden) override { m_hidden[column] = hidden; }
    std::uint32_t foreColour() const override { return 0xFFFFFF; }

    bool columnHidden(int column) const;

private:
    int m_rows = 0;
    int m_columns = 0;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_row = 0;
    int m_column = 0;
    std::map<std::pair<int, int>, std::string> m_text;
    std::map<int, bool> m_hidden;
};

} // namespace kq70
