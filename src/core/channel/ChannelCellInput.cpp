#include "channel/ChannelCellInput.h"

#include "channel/ChannelCellTexts.h"
#include "channel/HChannelRecord.h"
#include "channel/ToneTables.h"
#include "ui/AsciiText.h"
#include "ui/NumberParse.h"

#include <algorithm>
#include <cmath>

namespace kq70 {

namespace {

constexpr std::string_view TAG_SYMBOLS = "_ <>*+-/=:";

bool tagCharacter(int key) {
    return isAsciiAlnum(key) || TAG_SYMBOLS.find(static_cast<char>(key)) != std::string::npos;
}

std::size_t skipOpening(std::string_view text, std::size_t p) {
    while (p < text.size() && (text[p] == ' ' || text[p] == '(')) {
        ++p;
    }
    return p;
}

std::optional<ChannelCellInput::Tone> parseCtcss(std::string_view text, std::size_t p) {
    p = skipOpening(text, p);
    const std::size_t end = text.find_first_not_of("0123456789.", p);
    const auto hz = ChannelCellInput::parseDecimal(
        text.substr(p, end == std::string_view::npos ? end : end - p));
    if (!hz) {
        return std::nullopt;
    }
    const auto tenths = static_cast<std::int32_t>(std::llround(*hz * 10.0));
    if (!isListedTone(ToneKind::Ctcss, tenths)) {
        return std::nullopt;
    }
    return ChannelCellInput::Tone{TONE_CTCSS, tenths, 'N'};
}

std::optional<ChannelCellInput::Tone> parseDcs(std::string_view text, std::size_t p) {
    p = skipOpening(text, p);
    if (p + 3 > text.size()) {
        return std::nullopt;
    }
    std::int32_t code = 0;
    for (std::size_t i = p; i < p + 3; ++i) {
        if (text[i] < '0' || text[i] > '7') {
            return std::nullopt;
        }
        code = code * 8 + (text[i] - '0');
    }
    if (!isListedTone(ToneKind::Dcs, code)) {
        return std::nullopt;
    }
    ChannelCellInput::Tone tone{TONE_DCS, code, 'N'};
    const std::size_t letter = text.find_first_of("IBN", p + 3);
    if (letter != std::string_view::npos) {
        tone.polarity = text[letter];
    }
    return tone;
}

} // namespace

int ChannelCellInput::filteredKey(int column, int key) {
    if (key == KEY_BACKSPACE || key == KEY_ESCAPE || key == KEY_ENTER) {
        return key;
    }
    switch (column) {
    case COL_TAG: {
        if (key < 32 || key > 126) {
            return 0;
        }
        const int upper = asciiUpperKey(key);
        return tagCharacter(upper) ? upper : 0;
    }
    case COL_RX_FREQUENCY:
    case COL_TX_FREQUENCY:
        return (key >= '0' && key <= '9') || key == '.' ? key : 0;
    case COL_DECODE:
    case COL_ENCODE:
        return 0;
    default:
        return key;
    }
}

std::optional<double> ChannelCellInput::parseDecimal(std::string_view text) {
    const std::string s(text);
    if (s.empty() || s.find_first_not_of("0123456789.") != std::string::npos ||
        s.find_first_of("0123456789") == std::string::npos ||
        std::count(s.begin(), s.end(), '.') > 1) {
        return std::nullopt;
    }
    // The point is the decimal separator whatever the locale the front end set.
    return parseDecimalPrefix(s);
}

std::optional<ChannelCellInput::Tone> ChannelCellInput::parseTone(std::string_view text) {
    if (text.find("-----") != std::string_view::npos) {
        return Tone{};
    }
    const std::size_t c = text.find("C-");
    if (c != std::string_view::npos) {
        return parseCtcss(text, c + 2);
    }
    const std::size_t d = text.find("D-");
    if (d != std::string_view::npos) {
        return parseDcs(text, d + 2);
    }
    return std::nullopt;
}

std::string ChannelCellInput::firstCell(const std::string& text) {
    return text.substr(0, text.find_first_of("\t\r\n"));
}

std::string ChannelCellInput::pasteText(int column, const std::string& text) {
    std::string source = firstCell(text);
    if (column == COL_RX_FREQUENCY || column == COL_TX_FREQUENCY) {
        const std::size_t open = source.find('(');
        const std::size_t close = source.find(')', open == std::string::npos ? 0 : open);
        if (open != std::string::npos && close != std::string::npos) {
            source = source.substr(open + 1, close - open - 1);
        }
    }
    if (column == COL_DECODE || column == COL_ENCODE) {
        return source;
    }
    std::string kept;
    for (const char ch : source) {
        const int key = filteredKey(column, static_cast<unsigned char>(ch));
        if (key > 0 && key != KEY_BACKSPACE && key != KEY_ESCAPE && key != KEY_ENTER) {
            kept.push_back(static_cast<char>(key));
        }
    }
    return kept;
}

std::string ChannelCellInput::paddedTag(std::string_view text) {
    std::string tag(text.substr(0, TAG_LENGTH));
    tag.resize(TAG_LENGTH, ' ');
    return tag;
}

} // namespace kq70
