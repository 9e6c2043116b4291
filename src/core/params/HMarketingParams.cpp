#include "params/HMarketingParams.h"

#include "image/RadioImage.h"
#include "ui/AsciiText.h"
#include "ui/StrPrintf.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::array<FieldDescriptor, HMarketingParams::VALUE_COUNT> MARKETING_FIELDS{{
    /* 0 Market Application, 4 BCD digits  0x0000-0x0001 */ bcdField(0x0000, 0, 16, 100),
    /* 1 firmware version, 4 BCD digits    0x29EC-0x29ED */ bcdField(0x29EC, 0, 16, 0),
    /* 2 Serial Number, 8 characters       0x29EE-0x29F1 */ numberField(0x29EE, 0, 32, 0),
    /* 3 its EEPROM copy, 8 characters     0x016C-0x016F */ numberField(0x016C, 0, 32, 0),
}};
static_assert(allValid(MARKETING_FIELDS));

} // namespace

HMarketingParams::HMarketingParams() : HParams(MARKETING_FIELDS) {}

void HMarketingParams::store(RadioImage& image) const {
    HRecordFieldTable table = positionedTable();
    table.init(image);
    for (std::size_t i = 0; i < count(); ++i) {
        if (table.getValue(i) != get(i)) {
            table.setValue(i, get(i));
        }
    }
}

std::int32_t HMarketingParams::firmwareVersionOf(const RadioImage& image) {
    HMarketingParams params;
    params.extract(image);
    return params.firmwareVersion();
}

std::string HMarketingParams::serialNumberText(std::int32_t value) {
    return strprintf("%08X", static_cast<unsigned>(value));
}

std::optional<std::int32_t> HMarketingParams::serialNumberFromText(std::string_view text) {
    if (text.empty() || text.size() > SERIAL_NUMBER_CHARACTERS) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char ch : text) {
        const int digit = isAsciiDigit(ch)         ? ch - '0'
                          : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                          : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                                                   : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

} // namespace kq70
