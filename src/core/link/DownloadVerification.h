#pragma once

#include "link/BlockRange.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kq70 {

class RadioImage;

// What a download reads back before it lets the radio call its memory whole: every EEPROM
// word and flash page it wrote, each once, in address order, compared byte for byte with
// what was sent.
class DownloadVerification {
public:
    // Where the read-back first disagreed with what was sent, or which unit gave no answer.
    struct Failure {
        int area = 0;           // AREA_EEPROM or AREA_FLASH
        std::uint8_t unit = 0;  // word or page number
        std::size_t offset = 0; // image offset of the first differing byte, or of the unit
        bool unanswered = false;

        bool operator==(const Failure&) const = default;
    };

    // `eepromWritten` and `flashWritten` are the write lists as they were sent (flash lasts
    // resolved); `extraWords` are words written outside the lists, such as the marker.
    DownloadVerification(const RangeList& eepromWritten, const RangeList& flashWritten,
                         std::span<const std::uint8_t> extraWords);

    const std::vector<std::uint8_t>& words() const { return m_words; }
    const std::vector<std::uint8_t>& pages() const { return m_pages; }

    // The first byte of the unit that differs between what was sent and what came back.
    static std::optional<Failure> compareUnit(int area, std::uint8_t unit, const RadioImage& sent,
                                              const RadioImage& readBack);
    // A unit that gave no good answer to its read.
    static Failure unanswered(int area, std::uint8_t unit);
    // "Verify failed" with the address the way the raw image editor labels it: the EEPROM
    // word, or the radio's flash address.
    static std::string message(const Failure& failure);

private:
    std::vector<std::uint8_t> m_words;
    std::vector<std::uint8_t> m_pages;
};

} // namespace kq70
