#include "output/HCsvFileWriter.h"

#include "ui/Strings.h"

namespace kq70 {

HCsvFileWriter::HCsvFileWriter(UserPrompt& prompt) : HTextFileWriter(prompt) {
    setSetting(SEPARATOR, ",");
    setSetting(QUOTES, "\"");
    setSetting(DATA_END, "\r\n");
    setSetting(EXTENSION, ".csv");
    setSetting(FILTER, text::CSV_FILE_FILTER);
}

std::string HCsvFileWriter::csvLine(const std::vector<std::string>& cells) const {
    const std::string separator = getSetting(SEPARATOR);
    const std::string quotes = getSetting(QUOTES);
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != 0) {
            line += separator;
        }
        line += quotes;
        line += cells[i];
        line += quotes;
    }
    line += getSetting(DATA_END);
    return line;
}

bool HCsvFileWriter::writeRow(const std::vector<std::string>& cells) {
    return writeString(csvLine(cells));
}

} // namespace kq70
