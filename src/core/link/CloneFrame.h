#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kq70 {

// The bytes of the clone protocol, shared by the program and the simulated radio.
//
// A frame is command, length, body, checksum; the length counts the bytes after it and the
// checksum is the low byte of the sum of every byte before it. The one exception is the
// single ACK byte that answers a flash page write.

constexpr std::uint8_t CMD_EEPROM_READ = 0xF0;
constexpr std::uint8_t CMD_EEPROM_WRITE = 0xF1;
constexpr std::uint8_t CMD_FLASH_READ = 0xF2;
constexpr std::uint8_t CMD_FLASH_WRITE = 0xF3;

constexpr std::uint8_t CHECK_COMMAND = 0x50;    // radio → PC: switched on, offers a link
constexpr std::uint8_t POWER_ON_COMMAND = 0x40; // PC → radio: enter clone mode
constexpr std::uint8_t ADJ_MODE_COMMAND = 0x30; // PC → radio: enter adjustment mode
constexpr std::uint8_t ACK = 0x06;
constexpr std::uint8_t NAK = 0x15;
constexpr std::uint8_t RESET_COMMAND_BYTE = 0x38;
// Ends the connection and restarts the radio; it is itself a well-formed frame.
constexpr std::array<std::uint8_t, 3> RESET_COMMAND = {0x38, 0x01, 0x39};

constexpr std::size_t READ_REQUEST_SIZE = 4;        // F0/F2, 02, address, checksum
constexpr std::size_t EEPROM_READ_ANSWER_SIZE = 5;  // F0, length, 2 data, checksum
constexpr std::size_t FLASH_READ_ANSWER_SIZE = 131; // F2, length, 128 data, checksum
constexpr std::size_t EEPROM_WRITE_FRAME_SIZE = 6;  // F1, 04, address, 2 data, checksum
constexpr std::size_t EEPROM_WRITE_ANSWER_SIZE = 5; // F1, length, 2 data, checksum
constexpr std::size_t FLASH_WRITE_FRAME_SIZE = 132; // F3, 82, page, 128 data, checksum
constexpr std::size_t FLASH_WRITE_ANSWER_SIZE = 1;  // ACK
constexpr std::size_t EEPROM_WORD_SIZE = 2;

// Low byte of the sum of `bytes`.
constexpr std::uint8_t frameChecksum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t byte : bytes) {
        sum += byte;
    }
    return static_cast<std::uint8_t>(sum & 0xFF);
}

} // namespace kq70
