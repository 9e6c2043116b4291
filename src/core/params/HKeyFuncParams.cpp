#include "params/HKeyFuncParams.h"

namespace kq70 {

namespace {

constexpr FieldDescriptor keySlot(std::size_t slot, std::int32_t defaultCode = 0) {
    return numberField(static_cast<std::uint32_t>(HKeyFuncParams::KEY_FUNCTION_OFFSET + slot), 0, 8,
                       defaultCode);
}

constexpr std::array<FieldDescriptor, HKeyFuncParams::KEY_SLOT_COUNT> KEY_FUNC_FIELDS{{
    /*  0 0x0269 [SIDE1] press          */ keySlot(0, HKeyFuncParams::KEY_MON),
    /*  1 0x026A [SIDE2] press          */ keySlot(1),
    /*  2 0x026B [A] press              */ keySlot(2),
    /*  3 0x026C [B] press              */ keySlot(3),
    /*  4 0x026D [C] press              */ keySlot(4),
    /*  5 0x026E [D] press              */ keySlot(5),
    /*  6 0x026F [SIDE1] press and hold */ keySlot(6, HKeyFuncParams::KEY_SQL_OFF),
    /*  7 0x0270 [SIDE2] press and hold */ keySlot(7),
    /*  8 0x0271 [A] press and hold     */ keySlot(8),
    /*  9 0x0272 [B] press and hold     */ keySlot(9),
    /* 10 0x0273 [C] press and hold     */ keySlot(10),
    /* 11 0x0274 [D] press and hold     */ keySlot(11),
}};
static_assert(allValid(KEY_FUNC_FIELDS));

} // namespace

HKeyFuncParams::HKeyFuncParams() : HParams(KEY_FUNC_FIELDS) {}

void HKeyFuncParams::clearLcdKeySlots() {
    for (const std::size_t slot : LCD_KEY_SLOTS) {
        set(slot, KEY_NONE);
    }
}

} // namespace kq70
