#include "support/MemoryGrid.h"

#include <utility>

#include <gtest/gtest.h>

namespace kq70::test {

void MemoryGrid::setRowCount(int rows) {
    m_rows = rows;
    std::erase_if(m_text, [rows](const auto& entry) { return entry.first.first >= rows; });
}

void MemoryGrid::setColumnCount(int columns) {
    m_columns = columns;
    std::erase_if(m_text, [columns](const auto& entry) { return entry.first.second >= columns; });
}

std::string MemoryGrid::textMatrix(int row, int column) const {
    EXPECT_TRUE(row >= 0 && row < m_rows && column >= 0 && column < m_columns)
        << "cell (" << row << "," << column << ") is outside the grid";
    const auto it = m_text.find({row, column});
    return it == m_text.end() ? std::string() : it->second;
}

void MemoryGrid::setTextMatrix(int row, int column, const std::string& text) {
    EXPECT_TRUE(row >= 0 && row < m_rows && column >= 0 && column < m_columns)
        << "cell (" << row << "," << column << ") is outside the grid";
    m_text[{row, column}] = text;
}

void MemoryGrid::setCellBackColour(std::uint32_t rgb) {
    m_back[{m_row, m_column}] = rgb;
}

void MemoryGrid::setCheckCell(int row, int column, bool enabled, bool ticked) {
    m_checks[{row, column}] = CheckCell{enabled, ticked};
    setTextMatrix(row, column, ticked ? " " : "-");
}

std::string MemoryGrid::clip() const {
    const Selection selection = getSelection();
    std::string out;
    for (int r = selection.firstRow; r <= selection.lastRow; ++r) {
        for (int c = selection.firstColumn; c <= selection.lastColumn; ++c) {
            out += textMatrix(r, c);
            if (c < selection.lastColumn) {
                out += '\t';
            }
        }
        if (r < selection.lastRow) {
            out += '\r';
        }
    }
    return out;
}

std::string MemoryGrid::comboData(int column) const {
    const auto it = m_comboData.find(column);
    return it == m_comboData.end() ? std::string() : it->second;
}

bool MemoryGrid::columnHidden(int column) const {
    const auto it = m_hidden.find(column);
    return it != m_hidden.end() && it->second;
}

std::uint32_t MemoryGrid::backColour(int row, int column) const {
    const auto it = m_back.find({row, column});
    return it == m_back.end() ? 0xFFFFFFu : it->second;
}

MemoryGrid::CheckCell MemoryGrid::checkCell(int row, int column) const {
    const auto it = m_checks.find({row, column});
    return it == m_checks.end() ? CheckCell{} : it->second;
}

bool MemoryGrid::typeInto(HGridEvents& events, int row, int column, const std::string& typed) {
    return startTyping(events, row, column, typed) && finishTyping();
}

bool MemoryGrid::startTyping(HGridEvents& events, int row, int column, const std::string& typed) {
    m_row = row;
    m_column = column;
    m_editMaxLength = 0;
    if (!events.beforeEdit(row, column)) {
        return false;
    }
    m_editText.clear();
    for (const char ch : typed) {
        const int key = events.keyPressEdit(row, column, static_cast<unsigned char>(ch));
        if (key == 0) {
            continue;
        }
        if (m_editMaxLength > 0 && static_cast<int>(m_editText.size()) >= m_editMaxLength) {
            continue;
        }
        m_editText.push_back(static_cast<char>(key));
    }
    m_openEdit = &events;
    return true;
}

bool MemoryGrid::finishTyping() {
    HGridEvents* events = std::exchange(m_openEdit, nullptr);
    if (events == nullptr || !events->validateEdit(m_row, m_column, m_editText)) {
        return false;
    }
    setTextMatrix(m_row, m_column, m_editText);
    events->afterEdit(m_row, m_column);
    return true;
}

} // namespace kq70::test
