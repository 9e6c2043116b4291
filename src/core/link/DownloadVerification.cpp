#include "link/DownloadVerification.h"

#include "image/RadioImage.h"
#include "link/CloneFrame.h"
#include "link/HKqCommonCommunication.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>
#include <bitset>

namespace kq70 {

namespace {

constexpr std::size_t UNIT_ADDRESSES = 256;

// Each unit of `ranges` (and of `extra`) once, in address order, up to `last`.
std::vector<std::uint8_t> distinctUnits(const RangeList& ranges,
                                        std::span<const std::uint8_t> extra, int last) {
    std::bitset<UNIT_ADDRESSES> seen;
    for (const BlockRange& range : ranges) {
        for (int unit = range.first; unit <= std::min<int>(range.last, last); ++unit) {
            seen.set(static_cast<std::size_t>(unit));
        }
    }
    for (const std::uint8_t unit : extra) {
        if (unit <= last) {
            seen.set(unit);
        }
    }
    std::vector<std::uint8_t> units;
    for (std::size_t unit = 0; unit < UNIT_ADDRESSES; ++unit) {
        if (seen.test(unit)) {
            units.push_back(static_cast<std::uint8_t>(unit));
        }
    }
    return units;
}

std::size_t unitOffset(int area, std::uint8_t unit) {
    return area == AREA_EEPROM ? eepromWordOffset(unit) : flashPageOffset(unit);
}

} // namespace

DownloadVerification::DownloadVerification(const RangeList& eepromWritten,
                                           const RangeList& flashWritten,
                                           std::span<const std::uint8_t> extraWords)
    : m_words(distinctUnits(eepromWritten, extraWords, EEPROM_WORDS - 1)),
      m_pages(distinctUnits(flashWritten, {}, HKqCommonCommunication::LAST_FLASH_PAGE)) {}

DownloadVerification::Failure DownloadVerification::unanswered(int area, std::uint8_t unit) {
    return Failure{area, unit, unitOffset(area, unit), true};
}

std::optional<DownloadVerification::Failure>
DownloadVerification::compareUnit(int area, std::uint8_t unit, const RadioImage& sent,
                                  const RadioImage& readBack) {
    const std::size_t first = unitOffset(area, unit);
    const std::size_t size = area == AREA_EEPROM ? EEPROM_WORD_SIZE : FLASH_PAGE_SIZE;
    for (std::size_t offset = first; offset < first + size; ++offset) {
        if (sent.byteAt(offset) != readBack.byteAt(offset)) {
            return Failure{area, unit, offset, false};
        }
    }
    return std::nullopt;
}

std::string DownloadVerification::message(const Failure& failure) {
    const char* unanswered = failure.unanswered ? text::VERIFY_NO_ANSWER.data() : "";
    if (failure.area == AREA_EEPROM) {
        return strprintf(text::VERIFY_FAILED_EEPROM_FORMAT.data(),
                         static_cast<unsigned>(failure.unit), unanswered);
    }
    return strprintf(text::VERIFY_FAILED_FLASH_FORMAT.data(),
                     static_cast<unsigned>(failure.offset + FLASH_RADIO_ADDRESS_OFFSET),
                     unanswered);
}

} // namespace kq70
