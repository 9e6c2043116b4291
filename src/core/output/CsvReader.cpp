#include "output/CsvReader.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr char QUOTE = '"';
constexpr std::array<char, 3> SEPARATORS = {',', ';', '\t'};

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Reads the rows cell by cell; `at` walks the text, `line` counts its lines.
class RowScanner {
public:
    RowScanner(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    std::vector<CsvRow> scan() {
        std::vector<CsvRow> rows;
        while (m_at < m_text.size()) {
            rows.push_back(row());
        }
        return rows;
    }

private:
    CsvRow row() {
        CsvRow row;
        row.line = m_line;
        for (;;) {
            row.cells.push_back(cell());
            if (m_at < m_text.size() && m_text[m_at] == m_separator) {
                ++m_at;
                continue;
            }
            skipLineEnd();
            return row;
        }
    }

    std::string cell() {
        return m_at < m_text.size() && m_text[m_at] == QUOTE ? quotedCell() : plainCell();
    }

    std::string plainCell() {
        std::string cell;
        while (m_at < m_text.size() && m_text[m_at] != m_separator && !isLineEnd(m_text[m_at])) {
            cell += m_text[m_at++];
        }
        return cell;
    }

    // A quote ends the cell only before a separator, a line end or the end of the text.
    std::string quotedCell() {
        std::string cell;
        ++m_at;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            if (c == QUOTE) {
                const bool doubled = m_at + 1 < m_text.size() && m_text[m_at + 1] == QUOTE;
                if (doubled) {
                    cell += QUOTE;
                    m_at += 2;
                    continue;
                }
                if (endsCell(m_at + 1)) {
                    ++m_at;
                    return cell;
                }
            }
            if (c == '\n' || (c == '\r' && !nextIs(m_at + 1, '\n'))) {
                ++m_line;
            }
            cell += c;
            ++m_at;
        }
        return cell;
    }

    bool endsCell(std::size_t at) const {
        return at >= m_text.size() || m_text[at] == m_separator || isLineEnd(m_text[at]);
    }

    bool nextIs(std::size_t at, char c) const { return at < m_text.size() && m_text[at] == c; }

    void skipLineEnd() {
        if (nextIs(m_at, '\r')) {
            ++m_at;
        }
        if (nextIs(m_at, '\n')) {
            ++m_at;
        }
        ++m_line;
    }

    std::string_view m_text;
    char m_separator;
    std::size_t m_at = 0;
    int m_line = 1;
};

} // namespace

const std::string& CsvRow::cell(std::size_t k) const {
    static const std::string none;
    return k < cells.size() ? cells[k] : none;
}

bool CsvRow::blank() const {
    for (const std::string& c : cells) {
        if (c.find_first_not_of(' ') != std::string::npos) {
            return false;
        }
    }
    return true;
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string_view CsvReader::withoutByteOrderMark(std::string_view text) {
    return text.starts_with(BYTE_ORDER_MARK) ? text.substr(BYTE_ORDER_MARK.size()) : text;
}

char CsvReader::separatorOf(std::string_view text) {
    std::array<std::size_t, SEPARATORS.size()> counts{};
    bool quoted = false;
    for (const char c : text) {
        if (c == QUOTE) {
            quoted = !quoted;
        } else if (isLineEnd(c)) {
            quoted = false; // a lone quote cannot hide the rest of the file
        }
        for (std::size_t k = 0; k < SEPARATORS.size() && !quoted; ++k) {
            counts[k] += c == SEPARATORS[k] ? 1 : 0;
        }
    }
    std::size_t best = 0;
    for (std::size_t k = 1; k < SEPARATORS.size(); ++k) {
        if (counts[k] > counts[best]) {
            best = k;
        }
    }
    return SEPARATORS[best];
}

bool CsvReader::isText(std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

std::vector<CsvRow> CsvReader::rows(std::string_view text) {
    const std::string_view body = withoutByteOrderMark(text);
    return RowScanner(body, separatorOf(body)).scan();
}

} // namespace kq70
