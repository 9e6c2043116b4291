#pragma once

#include "ui/HGridControl.h"

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QTableWidget>

#include <array>
#include <functional>
#include <vector>

namespace kq70 {

// The grid of the table editors over a QTableWidget. The fixed rows are drawn by the table's
// own header (equal adjacent texts of a row merged into one cell where the editor asks for
// it), and a fixed column becomes the row header, so both stay in view while the rest
// scrolls; row and column numbers are the editor's, headers included. Edits go through the
// editor's grid events: it decides which cells may be edited, which keys count, and what is
// kept; the grid never changes a cell's text on its own.
class FlexGridWidget : public QTableWidget, public HGridControl {
public:
    // A check-mark cell's picture by (enabled, ticked).
    enum CheckPicture { CHECK_DISABLED_EMPTY, CHECK_DISABLED_TICK, CHECK_EMPTY, CHECK_TICK };
    // Item data role that holds a cell's CheckPicture.
    static constexpr int CHECK_PICTURE_ROLE = Qt::UserRole + 1;

    explicit FlexGridWidget(QWidget* parent = nullptr);

    void setEvents(HGridEvents* events) { m_events = events; }
    HGridEvents* events() const { return m_events; }
    int editMaxLength() const { return m_editMaxLength; }
    void setEditorText(const QString& text) { m_editorText = text; }
    // The cell editor now open; the delegate says when it makes one.
    void setOpenEditor(QWidget* editor) { m_openEditor = editor; }
    // Told whenever the user moves the current cell (the editor's rowColumnChange).
    void setCurrentCellHandler(std::function<void()> handler) {
        m_currentCellHandler = std::move(handler);
    }

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
    void setMouseRow(int row) { m_mouseRow = row; }

    std::string textMatrix(int row, int column) const override;
    void setTextMatrix(int row, int column, const std::string& text) override;
    void setCellBackColour(std::uint32_t rgb) override;
    void setCheckCell(int row, int column, bool enabled, bool ticked) override;

    std::string clip() const override;
    Selection getSelection() const override;
    std::string editText() const override;
    bool editing() const override { return isEditing(); }
    void commitEdit() override;
    void setEditState(int state) override { m_editState = state; }
    void setEditMaxLength(int length) override { m_editMaxLength = length; }
    void setMergeRow(int row, bool merge) override;

    void setColumnComboList(int column, const std::string& list) override;
    std::string comboData(int column) const override;
    void setColumnHidden(int column, bool hidden) override;
    std::uint32_t foreColour() const override;

    // Layout: a column's width in twips, scaled to the screen's resolution.
    void setColumnWidthTwips(int column, int twips);
    static int pixelsOfTwips(int twips, double dotsPerInch);

    // What the header draws for fixed row `row` at `column`, and the run of columns that
    // share its cell (the column itself when the row is not merged).
    QString headerText(int row, int column) const;
    std::pair<int, int> mergedRun(int row, int column) const;
    bool isFixedColumnHidden() const { return m_fixedColumns == 0; }
    const QPixmap& checkPicture(CheckPicture picture) const {
        return m_checkPictures[static_cast<std::size_t>(picture)];
    }
    // The drop-down entries of a column: item data and text.
    const std::vector<std::pair<int, QString>>& comboEntries(int column) const;
    void setChosenComboData(int column, int itemData) { m_comboData.insert(column, itemData); }
    QColor backgroundOfFixedCell(int row) const;

    bool isEditing() const { return state() == EditingState; }
    // Starts the in-cell editor on the current cell, as the editor asked through a key.
    bool editCurrentCell();
    // The current cell as the user left it (Qt's current index), in editor numbers.
    void takeCurrentCell();

    // Table cell of an editor cell; row or column -1 for a header.
    int tableRow(int row) const { return row - headerRows(); }
    int tableColumn(int column) const { return column - headerColumns(); }
    int editorRow(int tableRow) const { return tableRow + headerRows(); }
    int editorColumn(int tableColumn) const { return tableColumn + headerColumns(); }

    // Typing never moves the current cell: a key the editor does not take does nothing.
    void keyboardSearch(const QString&) override {}

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int headerRows() const { return m_fixedRows; }
    int headerColumns() const { return m_fixedColumns > 0 ? 1 : 0; }
    QTableWidgetItem* cellItem(int row, int column, bool create);
    void buildCheckPictures();
    void updateHeaderHeight();

    HGridEvents* m_events = nullptr;
    std::function<void()> m_currentCellHandler;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_row = 0;
    int m_column = 0;
    int m_mouseRow = 0;
    int m_editState = 0;
    int m_editMaxLength = 0;
    bool m_syncing = false;
    QString m_editorText;
    QPointer<QWidget> m_openEditor;
    // Texts of the fixed rows, by editor row and column.
    std::vector<QStringList> m_headerTexts;
    std::vector<bool> m_mergedRows;
    QHash<int, std::vector<std::pair<int, QString>>> m_comboLists;
    QHash<int, int> m_comboData;
    std::array<QPixmap, 4> m_checkPictures;
};

} // namespace kq70
