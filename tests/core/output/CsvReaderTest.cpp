#include "output/CsvReader.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

struct Row {
    int line;
    std::vector<std::string> cells;
    bool operator==(const Row&) const = default;
};

std::vector<Row> read(std::string_view text) {
    std::vector<Row> rows;
    for (const CsvRow& row : CsvReader::rows(text)) {
        rows.push_back({row.line, row.cells});
    }
    return rows;
}

// What the export writes and what spreadsheet programs save again, read into the same cells.
TEST(CsvReaderTest, ReadsTheExportAndWhatSpreadsheetsSaveAgain) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<Row> rows;
    };
    const std::vector<Case> cases = {
        {"the export", "\"a\",\"b\"\r\n\"c\",\"\"\r\n", {{1, {"a", "b"}}, {2, {"c", ""}}}},
        {"semicolons, no quotes, LF", "a;b\nc;\n", {{1, {"a", "b"}}, {2, {"c", ""}}}},
        {"tabs, a comma in a cell", "a\tb\tc,d\n", {{1, {"a", "b", "c,d"}}}},
        {"a byte-order mark", "\xEF\xBB\xBF\"a\",\"b\"\r\n", {{1, {"a", "b"}}}},
        {"doubled quotes", "\"say \"\"hi\"\"\",x\n", {{1, {"say \"hi\"", "x"}}}},
        {"a quote the export did not double",
         "\"Name\",\"my \"best\" radio.k70\"\r\n",
         {{1, {"Name", "my \"best\" radio.k70"}}}},
        {"a separator and a line break in quotes",
         "\"a;b\",\"c\nd\"\r\n\"e\",f\n",
         {{1, {"a;b", "c\nd"}}, {3, {"e", "f"}}}},
        {"CR line ends", "a,b\rc,d\r", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"trailing empty cells and rows",
         "a,b,,\n,,\n\n",
         {{1, {"a", "b", "", ""}}, {2, {"", "", ""}}, {3, {""}}}},
        {"a file without a last line end", "a,b", {{1, {"a", "b"}}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read(c.text), c.rows) << c.what;
    }
}

TEST(CsvReaderTest, TextHasNoControlCharactersButTabAndLineEnds) {
    EXPECT_TRUE(CsvReader::isText("\"a\",\"b\"\r\n\tc\xC3\xA9\n"));
    for (const std::string& bad :
         {std::string("a\0b", 3), std::string("a\x1A"), std::string("\x7F")}) {
        EXPECT_FALSE(CsvReader::isText(bad));
    }
}

} // namespace
} // namespace kq70
