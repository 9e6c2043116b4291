#pragma once

#include "ui/HGridControl.h"

#include <string>
#include <vector>

namespace kq70::test {

// What every grid control owes the editors that fill it (the channel view, the raw image
// editor), checked the same way on each one: returns the promises `grid` breaks, none when it
// keeps them all. Header-only, so the widget tests use it too.
inline std::vector<std::string> gridControlContractBreaches(HGridControl& grid) {
    std::vector<std::string> broken;
    const auto expect = [&broken](bool kept, const std::string& promise) {
        if (!kept) {
            broken.push_back(promise);
        }
    };
    // Laid out as the editors do: sizes first, then the header rows and columns.
    grid.setRowCount(6);
    grid.setColumnCount(4);
    grid.setFixedColumns(1);
    grid.setFixedRows(2);
    expect(grid.rowCount() == 6 && grid.columnCount() == 4, "sizes read back");
    expect(grid.fixedRows() == 2 && grid.fixedColumns() == 1, "header sizes read back");

    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 4; ++column) {
            grid.setTextMatrix(row, column, std::to_string(row) + ":" + std::to_string(column));
        }
    }
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 4; ++column) {
            const std::string cell = std::to_string(row) + ":" + std::to_string(column);
            expect(grid.textMatrix(row, column) == cell, "cell " + cell + " keeps its text");
        }
    }

    grid.setCheckCell(2, 2, true, true);
    expect(grid.textMatrix(2, 2) == " ", "a ticked check cell reads as a blank");
    grid.setCheckCell(3, 2, false, false);
    expect(grid.textMatrix(3, 2) == "-", "an unticked check cell reads as a dash");

    grid.setRow(4);
    grid.setColumn(3);
    expect(grid.row() == 4 && grid.column() == 3, "the current cell reads back");
    std::string clip = grid.clip();
    while (!clip.empty() && (clip.back() == '\n' || clip.back() == '\r')) {
        clip.pop_back();
    }
    expect(clip == "4:3", "Copy of the current cell alone takes its text");
    expect(!grid.editing() && grid.editText().empty(),
           "no edit is open unless the user opened one");

    grid.setColumnHidden(3, true);
    expect(grid.textMatrix(5, 3) == "5:3", "a hidden column keeps its texts");
    grid.setColumnHidden(3, false);

    // A shorter group and then a longer one: the rows in between come back empty, as the
    // editors only write the cells that have something to show.
    grid.setRow(2);
    grid.setRowCount(3);
    grid.setRowCount(6);
    expect(grid.textMatrix(2, 1) == "2:1", "rows that stay keep their texts");
    expect(grid.textMatrix(4, 1).empty() && grid.textMatrix(5, 3).empty(),
           "rows removed and added again are empty");
    return broken;
}

} // namespace kq70::test
