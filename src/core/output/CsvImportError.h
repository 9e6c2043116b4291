#pragma once

#include <string>

namespace kq70 {

// One thing wrong in a file being imported: its line (counted from 1; 0 for the file as a
// whole), the title of its column or the caption of its row (may be empty) and why.
struct CsvImportError {
    int line = 0;
    std::string column;
    std::string reason;

    // "line 12, SQ: ...", "line 3: ..." or the reason alone.
    std::string text() const;
};

} // namespace kq70
