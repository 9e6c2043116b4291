#include "output/CsvImportError.h"

#include "ui/StrPrintf.h"
#include "ui/Strings.h"

namespace kq70 {

std::string CsvImportError::text() const {
    if (line <= 0) {
        return reason;
    }
    if (column.empty()) {
        return strprintf(text::CSV_IMPORT_LINE_ERROR.data(), line, reason.c_str());
    }
    return strprintf(text::CSV_IMPORT_CELL_ERROR.data(), line, column.c_str(), reason.c_str());
}

} // namespace kq70
