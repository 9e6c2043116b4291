#include "TextGrid.h"

namespace kq70 {

void TextGrid::setRowCount(int rows) {
    m_rows = rows;
    std::erase_if(m_text, [rows](const auto& entry) { return entry.first.first >= rows; });
}

void TextGrid::setColumnCount(int columns) {
    m_columns = columns;
    std::erase_if(m_text, [columns](const auto& entry) { return entry.first.second >= columns; });
}

std::string TextGrid::textMatrix(int row, int column) const {
    const auto it = m_text.find({row, column});
    return it == m_text.end() ? std::string() : it->second;
}

void TextGrid::setTextMatrix(int row, int column, const std::string& text) {
    if (row >= 0 && row < m_rows && column >= 0 && column < m_columns) {
        m_text[{row, column}] = text;
    }
}

void TextGrid::setCheckCell(int row, int column, bool /*enabled*/, bool ticked) {
    setTextMatrix(row, column, ticked ? " " : "-");
}

bool TextGrid::columnHidden(int column) const {
    const auto it = m_hidden.find(column);
    return it != m_hidden.end() && it->second;
}

} // namespace kq70
