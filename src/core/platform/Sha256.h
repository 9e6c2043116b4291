#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kq70 {

// SHA-256 (FIPS 180-4), so a programming record can name the exact data file a radio was
// written from. Feed the bytes in any pieces, then take the digest once.
class Sha256 {
public:
    using Digest = std::array<std::uint8_t, 32>;

    Sha256();

    void update(std::span<const std::uint8_t> bytes);
    // Ends the message; the object is spent afterwards.
    Digest finish();

    // The digest of `bytes` as 64 lower-case hexadecimal digits.
    static std::string hex(std::span<const std::uint8_t> bytes);
    static std::string hex(const Digest& digest);

private:
    void compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> m_state;
    std::array<std::uint8_t, 64> m_block{};
    std::size_t m_blockUsed = 0;
    std::uint64_t m_length = 0; // bytes
};

} // namespace kq70
