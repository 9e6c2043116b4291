#include "TextGrid.h"

namespace kq70 {

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
