#pragma once

#include "output/HTextFileWriter.h"

#include <string>
#include <vector>

namespace kq70 {

// Writes rows of cells as CSV lines: each cell between "Quotes", cells apart by "Separator",
// the line ended by "DataEnd". Nothing inside a cell is escaped, so the cells stand in the
// file exactly as the program shows them. Lines end with CR LF, the form these files have
// always had and the tools that read them expect.
class HCsvFileWriter : public HTextFileWriter {
public:
    static constexpr std::string_view SEPARATOR = "Separator";
    static constexpr std::string_view QUOTES = "Quotes";
    static constexpr std::string_view DATA_END = "DataEnd";

    explicit HCsvFileWriter(UserPrompt& prompt);

    // The line of `cells` with the current settings.
    std::string csvLine(const std::vector<std::string>& cells) const;
    // Writes the line with one write; false and "ErrorCode" "01" when it fails.
    bool writeRow(const std::vector<std::string>& cells);
};

} // namespace kq70
