#pragma once

#include <cstdint>
#include <string_view>

namespace kq70 {

// The radio's one-byte character set for alpha tags: 0–9 digits, 10–35 "A"–"Z", 36–48 the
// symbols " <>+-=*/[\]:_"; 49 and above end a text.
class RadioCharacterCode {
public:
    static constexpr std::uint8_t SPACE = 36;
    static constexpr std::uint8_t END_OF_TEXT = 49; // the first code that is no character
    static constexpr std::string_view SYMBOLS = " <>+-=*/[\\]:_";

    // Anything the radio cannot show is stored as a space.
    static std::uint8_t encode(char character);
    // '\0' for a code of 49 or more.
    static char decode(std::uint8_t code);
};

} // namespace kq70
