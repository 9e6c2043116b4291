#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

// A row of a CSV file: the line it starts on (counted from 1) and its cells.
struct CsvRow {
    int line = 0;
    std::vector<std::string> cells;

    // The cell at `k`, or an empty one past the end (spreadsheets drop trailing empty cells).
    const std::string& cell(std::size_t k) const;
    // No cell holds anything but blanks.
    bool blank() const;
};

// Reads CSV text as Export to CSV writes it and as spreadsheet programs save it again: cells
// apart by commas, semicolons or tabs (whichever the file uses most outside quotes), with or
// without quotes (a doubled quote inside stands for one; a lone quote that does not end the
// cell is kept, since the export never doubles its quotes), an optional UTF-8 byte-order
// mark, and CR LF, LF or CR line ends.
class CsvReader {
public:
    static std::vector<CsvRow> rows(std::string_view text);
    static char separatorOf(std::string_view text);
    // Text has no control characters besides tab, line feed and carriage return; a binary
    // file (or a UTF-16 one, full of zero bytes) has.
    static bool isText(std::string_view bytes);
    static std::string_view withoutByteOrderMark(std::string_view text);
};

// `text` without blanks at either end.
std::string trimmed(std::string_view text);

} // namespace kq70
