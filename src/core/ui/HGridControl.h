#pragma once

#include <cstdint>
#include <string>

namespace kq70 {

// What a table editor (the channel view, the raw image editor) does to its grid. Rows and
// columns count from 0; the first fixedRows rows and fixedColumns columns are headers. The
// "current cell" operations act on the cell chosen with setRow/setColumn.
class HGridControl {
public:
    struct Selection {
        int firstRow = 0;
        int firstColumn = 0;
        int lastRow = 0;
        int lastColumn = 0;
    };

    virtual ~HGridControl() = default;

    virtual int rowCount() const = 0;
    virtual void setRowCount(int rows) = 0;
    virtual int columnCount() const = 0;
    virtual void setColumnCount(int columns) = 0;
    virtual int fixedRows() const = 0;
    virtual void setFixedRows(int rows) = 0;
    virtual int fixedColumns() const = 0;
    virtual void setFixedColumns(int columns) = 0;

    virtual void setTopRow(int row) = 0;
    virtual int row() const = 0;
    virtual void setRow(int row) = 0;
    virtual int column() const = 0;
    virtual void setColumn(int column) = 0;
    // false suspends painting during bulk updates; true resumes and repaints.
    virtual void setRedraw(bool on) = 0;
    virtual int mouseRow() const = 0;

    virtual std::string textMatrix(int row, int column) const = 0;
    virtual void setTextMatrix(int row, int column, const std::string& text) = 0;
    virtual void setCellBackColour(std::uint32_t rgb) = 0;
    // A check-mark cell: the picture shows (enabled, ticked); the text is "-" when not ticked
    // and " " when ticked, which is what Copy reads.
    virtual void setCheckCell(int row, int column, bool enabled, bool ticked) = 0;

    // The text of the selected cells, as Copy takes it.
    virtual std::string clip() const = 0;
    virtual Selection getSelection() const = 0;
    // The text in the cell editor while an edit is being validated, or while it is open.
    virtual std::string editText() const = 0;
    // An in-cell edit is open on the current cell (the user is still typing). A grid without
    // an editor of its own never has one.
    virtual bool editing() const { return false; }
    // Ends the open edit as Enter would: its text goes through validateEdit and afterEdit.
    virtual void commitEdit() {}
    virtual void setEditState(int state) = 0;
    virtual void setEditMaxLength(int length) = 0;
    virtual void setMergeRow(int row, bool merge) = 0;

    // Drop-down lists: "#0;W5|#1;W4|" style, and the item data of the entry just chosen.
    virtual void setColumnComboList(int column, const std::string& list) = 0;
    virtual std::string comboData(int column) const = 0;
    virtual void setColumnHidden(int column, bool hidden) = 0;
    virtual std::uint32_t foreColour() const = 0;
};

// What the grid tells its editor while the user edits a cell. The editor decides; the grid
// only reports.
class HGridEvents {
public:
    virtual ~HGridEvents() = default;

    // May the cell be edited? The handler may set the editor's maximum length.
    virtual bool beforeEdit(int row, int column) = 0;
    // A typed character: the character to insert, or 0 to drop it.
    virtual int keyPressEdit(int row, int column, int key) = 0;
    // The edit is about to end with `text`; false keeps the old value.
    virtual bool validateEdit(int row, int column, const std::string& text) = 0;
    virtual void afterEdit(int row, int column) = 0;
};

} // namespace kq70
