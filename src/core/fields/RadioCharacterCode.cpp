#include "fields/RadioCharacterCode.h"

namespace kq70 {

namespace {

constexpr std::uint8_t FIRST_LETTER = 10;

} // namespace

std::uint8_t RadioCharacterCode::encode(char character) {
    if (character >= '0' && character <= '9') {
        return static_cast<std::uint8_t>(character - '0');
    }
    if (character >= 'A' && character <= 'Z') {
        return static_cast<std::uint8_t>(FIRST_LETTER + (character - 'A'));
    }
    const std::size_t symbol = SYMBOLS.find(character);
    if (symbol == std::string_view::npos) {
        return SPACE;
    }
    return static_cast<std::uint8_t>(SPACE + symbol);
}

char RadioCharacterCode::decode(std::uint8_t code) {
    if (code < FIRST_LETTER) {
        return static_cast<char>('0' + code);
    }
    if (code < SPACE) {
        return static_cast<char>('A' + (code - FIRST_LETTER));
    }
    if (code < END_OF_TEXT) {
        return SYMBOLS[code - SPACE];
    }
    return '\0';
}

} // namespace kq70
