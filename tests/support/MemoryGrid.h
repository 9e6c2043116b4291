#pragma once

#include "ui/HGridControl.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace kq70::test {

// An in-memory grid for tests: it keeps every property the editors set and can play a user's
// edit of one cell through an editor's event handlers, as a grid widget would.
class MemoryGrid : public HGridControl {
public:
    struct CheckCell {
        bool enabled = false;
        bool ticked = false;
    };

    int rowCount() const override { return m_rows; }
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
    int mouseRow() const override { return m_mouseRow; }

    std::string textMatrix(int row, int column) const override;
    void setTextMatrix(int row, int column, const std::string& text) override;
    void setCellBackColour(std::uint32_t rgb) override;
    void setCheckCell(int row, int column, bool enabled, bool ticked) override;

    std::string clip() const override;
    // Like the widget: the cells selected, or the current cell while nothing is.
    Selection getSelection() const override {
        return m_selection.value_or(Selection{m_row, m_column, m_row, m_column});
    }
    std::string editText() const override { return m_editText; }
    void setEditState(int /*state*/) override {}
    void setEditMaxLength(int length) override { m_editMaxLength = length; }
    void setMergeRow(int /*row*/, bool /*merge*/) override {}

    void setColumnComboList(int /*column*/, const std::string& /*list*/) override {}
    std::string comboData(int column) const override;
    void setColumnHidden(int column, bool hidden) override { m_hidden[column] = hidden; }
    std::uint32_t foreColour() const override { return 0xFFFFFF; }

    void setMouseRow(int row) { m_mouseRow = row; }
    void select(Selection selection) { m_selection = selection; }
    void chooseComboData(int column, std::string data) { m_comboData[column] = std::move(data); }
    bool columnHidden(int column) const;
    std::uint32_t backColour(int row, int column) const;
    CheckCell checkCell(int row, int column) const;
    int editMaxLength() const { return m_editMaxLength; }

    // A user's edit of one cell: beforeEdit, every typed key through keyPressEdit (keys the
    // editor drops vanish; the cell editor keeps at most editMaxLength characters), then
    // validateEdit and afterEdit. False when the editor refused the edit at any step.
    bool typeInto(HGridEvents& events, int row, int column, const std::string& typed);
    // The same edit left open (the user has not pressed Enter yet), and Enter.
    bool startTyping(HGridEvents& events, int row, int column, const std::string& typed);
    bool finishTyping();

    bool editing() const override { return m_openEdit != nullptr; }
    void commitEdit() override { finishTyping(); }

private:
    using Cell = std::pair<int, int>;

    int m_rows = 0;
    int m_columns = 0;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_row = 0;
    int m_column = 0;
    int m_mouseRow = 0;
    int m_editMaxLength = 0;
    std::string m_editText;
    HGridEvents* m_openEdit = nullptr;
    std::optional<Selection> m_selection;
    std::map<Cell, std::string> m_text;
    std::map<Cell, std::uint32_t> m_back;
    std::map<Cell, CheckCell> m_checks;
    std::map<int, std::string> m_comboData;
    std::map<int, bool> m_hidden;
};

} // namespace kq70::test
