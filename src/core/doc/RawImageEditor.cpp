#include "doc/RawImageEditor.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "ui/AsciiText.h"
#include "ui/StrPrintf.h"

namespace kq70 {

namespace {

constexpr int HEADER_ROWS = 1;
constexpr int LABEL_COLUMNS = 1;
constexpr int MAX_DIGITS = 2;
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
constexpr unsigned FLASH_ROW_ADDRESS = 0xD000;
constexpr unsigned WORDS_PER_LABEL = 0x10;

bool isHexDigit(int key) {
    return isAsciiHexDigit(key);
}

} // namespace

RawImageEditor::RawImageEditor(const RadioImage& image, int accessMode, HGridControl& grid)
    : m_copy(image), m_accessMode(accessMode), m_grid(grid),
      m_shownSize(accessMode == ACCESS_MANUFACTURE ? IMAGE_SIZE : TRANSFER_SIZE) {}

int RawImageEditor::dataRows() const {
    return static_cast<int>((m_shownSize + BYTES_PER_ROW - 1) / BYTES_PER_ROW);
}

std::string RawImageEditor::rowLabel(int dataRow) {
    if (dataRow < EEPROM_ROWS) {
        if (dataRow % 2 != 0) {
            return {};
        }
        return strprintf("%05Xh", static_cast<unsigned>(dataRow / 2) * WORDS_PER_LABEL);
    }
    return strprintf("%05Xh", FLASH_ROW_ADDRESS +
                                  static_cast<unsigned>(dataRow - EEPROM_ROWS) * BYTES_PER_ROW);
}

void RawImageEditor::fillGrid() {
    m_grid.setRedraw(false);
    m_grid.setRowCount(HEADER_ROWS + dataRows());
    m_grid.setColumnCount(LABEL_COLUMNS + BYTES_PER_ROW);
    m_grid.setFixedRows(HEADER_ROWS);
    m_grid.setFixedColumns(LABEL_COLUMNS);
    for (int c = 0; c < BYTES_PER_ROW; ++c) {
        m_grid.setTextMatrix(0, LABEL_COLUMNS + c, strprintf("%02X", c));
    }
    for (int r = 0; r < dataRows(); ++r) {
        const int row = HEADER_ROWS + r;
        m_grid.setTextMatrix(row, 0, rowLabel(r));
        for (int c = 0; c < BYTES_PER_ROW; ++c) {
            const long offset = offsetOfCell(row, LABEL_COLUMNS + c);
            m_grid.setTextMatrix(
                row, LABEL_COLUMNS + c,
                offset < 0 ? std::string()
                           : strprintf("%02X", m_copy.byteAt(static_cast<std::size_t>(offset))));
        }
    }
    m_grid.setRedraw(true);
}

long RawImageEditor::offsetOfCell(int row, int column) const {
    if (row < HEADER_ROWS || column < LABEL_COLUMNS || column >= LABEL_COLUMNS + BYTES_PER_ROW) {
        return -1;
    }
    const long offset =
        static_cast<long>(row - HEADER_ROWS) * BYTES_PER_ROW + (column - LABEL_COLUMNS);
    return offset < static_cast<long>(m_shownSize) ? offset : -1;
}

bool RawImageEditor::beforeEdit(int row, int column) {
    if (m_accessMode == ACCESS_NORMAL || offsetOfCell(row, column) < 0) {
        return false;
    }
    m_grid.setEditMaxLength(MAX_DIGITS);
    return true;
}

int RawImageEditor::keyPressEdit(int /*row*/, int /*column*/, int key) {
    if (key == KEY_BACKSPACE || key == KEY_ENTER || key == KEY_ESCAPE) {
        return key;
    }
    return isHexDigit(key) ? asciiUpperKey(key) : 0;
}

bool RawImageEditor::validateEdit(int row, int column, const std::string& text) {
    const long offset = offsetOfCell(row, column);
    if (offset < 0 || m_accessMode == ACCESS_NORMAL || text.empty() ||
        text.size() > static_cast<std::size_t>(MAX_DIGITS)) {
        return false;
    }
    unsigned value = 0;
    for (const char ch : text) {
        if (!isHexDigit(static_cast<unsigned char>(ch))) {
            return false;
        }
        value = value * 16 +
                static_cast<unsigned>(isAsciiDigit(ch) ? ch - '0' : asciiUpper(ch) - 'A' + 10);
    }
    m_copy.setByte(static_cast<std::size_t>(offset), static_cast<std::uint8_t>(value));
    return true;
}

void RawImageEditor::afterEdit(int row, int column) {
    const long offset = offsetOfCell(row, column);
    if (offset >= 0) {
        m_grid.setTextMatrix(row, column,
                             strprintf("%02X", m_copy.byteAt(static_cast<std::size_t>(offset))));
    }
}

void RawImageEditor::applyTo(CKQ70Doc& doc) const {
    RadioImage& image = doc.GetMainMemory();
    // Closing without a changed byte (always so in normal mode, where nothing is editable)
    // leaves the document as it was.
    if (m_copy == image) {
        return;
    }
    const CKQ70Doc::ChangeScope scope(doc);
    doc.SetDataModified(true);
    if (m_copy.be16(PRODUCTION_CODE_OFFSET) != image.be16(PRODUCTION_CODE_OFFSET)) {
        doc.SetWord1Edited(true);
    }
    image = m_copy;
}

} // namespace kq70
