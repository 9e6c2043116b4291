#pragma once

#include "fields/HParams.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kq70 {

class RadioImage;

// One of the ten paging code records: a code of three DTMF digits, what the radio does when
// it decodes the code, and whether it decodes at all. A record whose three digit nibbles are
// all 0xF is erased memory: it is not defined and has no code text.
class HPagingCodeParams : public HParams {
public:
    static constexpr std::size_t PAGING_CODE_RECORDS = 10;
    static constexpr std::size_t PAGING_CODE_OFFSET = 0x26D4; // record k at + 2·k
    static constexpr std::size_t PAGING_CODE_RECORD_SIZE = 2;

    static constexpr std::size_t DIGIT_1 = 0; // nibble value of the first digit
    static constexpr std::size_t DECODE_ACTION = 1;
    static constexpr std::size_t DECODE_STATUS = 2;
    static constexpr std::size_t FLAG = 3; // carried with the record, unused here
    static constexpr std::size_t DIGIT_2 = 4;
    static constexpr std::size_t DIGIT_3 = 5;
    static constexpr std::size_t VALUE_COUNT = 6;
    static constexpr std::size_t CODE_LENGTH = 3;

    static constexpr std::int32_t DECODE_ACTION_NORMAL = 0;
    static constexpr std::int32_t DECODE_ACTION_ALARM = 1;
    static constexpr std::int32_t DECODE_ACTION_STUN = 2;
    static constexpr std::int32_t DECODE_ACTION_KILL = 3;
    static constexpr std::int32_t DECODE_STATUS_ENC_ONLY = 0;
    static constexpr std::int32_t DECODE_STATUS_ENC_AND_DEC = 1;
    static constexpr std::array<std::string_view, 4> DECODE_ACTION_TEXTS{"Normal", "Alarm", "Stun",
                                                                         "Kill"};
    static constexpr std::array<std::string_view, 2> DECODE_STATUS_TEXTS{"ENC Only", "ENC & DEC"};
    // A digit nibble v stands for the character at position v.
    static constexpr std::string_view DTMF_CHARACTERS = "0123456789ABCD*#";
    static constexpr std::int32_t ERASED_DIGIT = 0xF;

    // A record number at or beyond PAGING_CODE_RECORDS gives an object that reads nothing
    // (it stays undefined) and writes nothing.
    explicit HPagingCodeParams(std::size_t record);

    void extract(const RadioImage& image) override;
    void store(RadioImage& image) const override;

    std::size_t record() const { return m_record; }
    bool isDefined() const;
    // The three digits, or an empty text when the record is not defined.
    std::string codeText() const;
    // Three characters of DTMF_CHARACTERS (letters in either case); an empty text erases
    // the record. False, and nothing changed, for any other text.
    bool setCodeText(std::string_view code);
    std::string_view decodeActionText() const;
    std::string_view decodeStatusText() const;

    static bool isDefinedIn(const RadioImage& image, std::size_t record);

private:
    bool isUsable() const { return m_record < PAGING_CODE_RECORDS; }

    std::size_t m_record;
};

} // namespace kq70
