#pragma once

#include "image/RadioImage.h"
#include "ui/HGridControl.h"

#include <string>

namespace kq70 {

class CKQ70Doc;

// The "File Data" service dialog: the image as a hexadecimal dump of 16 bytes a row, editable
// byte by byte outside normal mode. It edits a private copy; only OK puts the copy into the
// document.
class RawImageEditor : public HGridEvents {
public:
    static constexpr int BYTES_PER_ROW = 16;
    static constexpr int EEPROM_ROWS = 32;

    RawImageEditor(const RadioImage& image, int accessMode, HGridControl& grid);

    // Fills the grid: one header row, one label column, the dump.
    void fillGrid();

    // The dump's size: the whole image in manufacture mode, else everything but the trailer.
    std::size_t shownSize() const { return m_shownSize; }
    int dataRows() const;
    // "%05Xh" labels: EEPROM word addresses on every second of the first 32 rows, then radio
    // flash addresses from 0xD000. Empty for the unlabelled rows.
    static std::string rowLabel(int dataRow);

    bool beforeEdit(int row, int column) override;
    int keyPressEdit(int row, int column, int key) override;
    bool validateEdit(int row, int column, const std::string& text) override;
    void afterEdit(int row, int column) override;

    const RadioImage& copy() const { return m_copy; }

    // OK: the document takes the copy and is modified when a byte changed; the word-1 edited
    // flag is set when bytes 0x0002–0x0003 changed.
    void applyTo(CKQ70Doc& doc) const;

private:
    // The image offset of a data cell, or -1 when the cell shows no byte.
    long offsetOfCell(int row, int column) const;

    RadioImage m_copy;
    int m_accessMode;
    HGridControl& m_grid;
    std::size_t m_shownSize;
};

} // namespace kq70
