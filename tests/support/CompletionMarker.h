#pragma once

#include <cstddef>
#include <cstdint>

namespace kq70::test {

// EEPROM word 0xB8 tells whether the radio holds a whole image: 0x5AA5 once a write finished,
// 0xFFFF while one is under way.
inline constexpr std::uint8_t MARKER_WORD = 0xB8;
inline constexpr std::size_t MARKER_OFFSET = 0x0170;
inline constexpr std::uint16_t MARKER_DONE = 0x5AA5;
inline constexpr std::uint16_t MARKER_IN_PROGRESS = 0xFFFF;

} // namespace kq70::test
