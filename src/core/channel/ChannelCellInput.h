#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kq70 {

// What the channel grid accepts as text: the keys each column's cell editor keeps, and the
// reading of typed or pasted text back into values.
class ChannelCellInput {
public:
    static constexpr int KEY_BACKSPACE = 8;
    static constexpr int KEY_ENTER = 13;
    static constexpr int KEY_ESCAPE = 27;
    static constexpr std::size_t TAG_LENGTH = 8;

    // A tone as a sub-audio cell shows it. `polarity` is the DCS letter after the code: 'I'
    // inverted, 'B' both, 'N' normal.
    struct Tone {
        int mode = 0; // 0 off, 1 CTCSS, 2 DCS
        std::int32_t code = 0;
        char polarity = 'N';
    };

    // The character the cell editor of `column` keeps for a typed key, or 0 to drop it.
    // Backspace, Escape and Enter always pass; the tag is upper-cased.
    static int filteredKey(int column, int key);
    // Digits with at most one point; nothing for any other text.
    static std::optional<double> parseDecimal(std::string_view text);
    // "-----", "C-" and hertz, or "D-" and three octal digits with an optional polarity
    // letter, as the decode and encode cells show them; only codes of the tone tables.
    static std::optional<Tone> parseTone(std::string_view text);
    // The first cell of clipboard text: up to the first tab or line break.
    static std::string firstCell(const std::string& text);
    // Pasted text made ready for a column: a frequency cell takes what stands in brackets
    // (a PMR channel's frequency), and every column keeps only what its own editor accepts,
    // so a frequency keeps its decimal point. Tone cells are read as they are.
    static std::string pasteText(int column, const std::string& text);
    // A tag cut or filled with blanks to its eight characters.
    static std::string paddedTag(std::string_view text);
};

} // namespace kq70
