#include "params/HPagingCodeParams.h"

#include "ui/AsciiText.h"

namespace kq70 {

namespace {

using P = HPagingCodeParams;

// Offsets within the record.
constexpr std::array<FieldDescriptor, P::VALUE_COUNT> PAGING_CODE_FIELDS{{
    /* 0 digit 1        byte 0 bits 3-0 */ numberField(0, 0, 4, P::ERASED_DIGIT),
    /* 1 decode action  byte 0 bits 5-4 */ numberField(0, 4, 2, P::DECODE_ACTION_NORMAL),
    /* 2 decode status  byte 0 bit 6    */ numberField(0, 6, 1, P::DECODE_STATUS_ENC_ONLY),
    /* 3 flag           byte 0 bit 7    */ numberField(0, 7, 1, 0),
    /* 4 digit 2        byte 1 bits 7-4 */ numberField(1, 4, 4, P::ERASED_DIGIT),
    /* 5 digit 3        byte 1 bits 3-0 */ numberField(1, 0, 4, P::ERASED_DIGIT),
}};
static_assert(allValid(PAGING_CODE_FIELDS));

constexpr std::array<std::size_t, P::CODE_LENGTH> DIGITS{P::DIGIT_1, P::DIGIT_2, P::DIGIT_3};

RecordPlace placeOf(std::size_t record) {
    RecordPlace place;
    place.layout.base = P::PAGING_CODE_OFFSET;
    place.layout.strideBytes = P::PAGING_CODE_RECORD_SIZE;
    place.record = record;
    return place;
}

std::string_view textOf(std::span<const std::string_view> texts, std::int32_t value) {
    return value >= 0 && static_cast<std::size_t>(value) < texts.size()
               ? texts[static_cast<std::size_t>(value)]
               : std::string_view();
}

} // namespace

HPagingCodeParams::HPagingCodeParams(std::size_t record)
    : HParams(PAGING_CODE_FIELDS, placeOf(record)), m_record(record) {}

void HPagingCodeParams::extract(const RadioImage& image) {
    if (isUsable()) {
        HParams::extract(image);
    }
}

void HPagingCodeParams::store(RadioImage& image) const {
    if (isUsable()) {
        HParams::store(image);
    }
}

bool HPagingCodeParams::isDefined() const {
    for (const std::size_t digit : DIGITS) {
        if (get(digit) != ERASED_DIGIT) {
            return true;
        }
    }
    return false;
}

std::string HPagingCodeParams::codeText() const {
    std::string code;
    if (!isDefined()) {
        return code;
    }
    for (const std::size_t digit : DIGITS) {
        code.push_back(DTMF_CHARACTERS[static_cast<std::size_t>(get(digit)) & 0xF]);
    }
    return code;
}

bool HPagingCodeParams::setCodeText(std::string_view code) {
    if (code.empty()) {
        for (const std::size_t digit : DIGITS) {
            set(digit, ERASED_DIGIT);
        }
        return true;
    }
    if (code.size() != CODE_LENGTH) {
        return false;
    }
    std::array<std::int32_t, CODE_LENGTH> values{};
    for (std::size_t k = 0; k < CODE_LENGTH; ++k) {
        const char ch = asciiUpper(code[k]);
        const std::size_t position = DTMF_CHARACTERS.find(ch);
        if (position == std::string_view::npos) {
            return false;
        }
        values[k] = static_cast<std::int32_t>(position);
    }
    for (std::size_t k = 0; k < CODE_LENGTH; ++k) {
        set(DIGITS[k], values[k]);
    }
    return true;
}

std::string_view HPagingCodeParams::decodeActionText() const {
    return textOf(DECODE_ACTION_TEXTS, get(DECODE_ACTION));
}

std::string_view HPagingCodeParams::decodeStatusText() const {
    return textOf(DECODE_STATUS_TEXTS, get(DECODE_STATUS));
}

bool HPagingCodeParams::isDefinedIn(const RadioImage& image, std::size_t record) {
    HPagingCodeParams params(record);
    if (!params.isUsable()) {
        return false;
    }
    params.extract(image);
    return params.isDefined();
}

} // namespace kq70
