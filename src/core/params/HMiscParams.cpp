#include "params/HMiscParams.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::array<FieldDescriptor, HMiscParams::VALUE_COUNT> MISC_FIELDS{{
    /*  0 Option Unit              0x0265 bits 3-0 */ numberField(0x0265, 0, 4, 0),
    /*  1 Power ON Condition       0x0202 bits 1-0 */ numberField(0x0202, 0, 2, 0),
    /*  2 Bell                     0x0207 bit 5    */ numberField(0x0207, 5, 1, 0),
    /*  3 CTCSS Tail Elimination   0x0205 bits 6-5 */ numberField(0x0205, 5, 2, 0),
    /*  4 Radio to Radio Clone     0x0204 bit 4    */ numberField(0x0204, 4, 1, 1),
    /*  5 ARTS Mode                0x0262 bits 7-6 */ numberField(0x0262, 6, 2, 0),
    /*  6 ARTS Beep                0x0262 bit 5    */ numberField(0x0262, 5, 1, 0),
    /*  7 ARTS TX Time             0x0262 bit 4    */ numberField(0x0262, 4, 1, 0),
    /*  8 External Jack            0x0205 bit 4    */ numberField(0x0205, 4, 1, 0),
    /*  9 Key Holding Time         0x0206 bit 7    */ numberField(0x0206, 7, 1, 0),
    /* 10 LED Lighting             0x0205 bit 7    */ numberField(0x0205, 7, 1, 0),
    /* 11 Beep                     0x0204 bit 7    */ numberField(0x0204, 7, 1, 1),
    /* 12 Default Split (Hz)       0x2A00 32 bits  */ numberField(0x2A00, 0, 32, 0),
}};
static_assert(allValid(MISC_FIELDS));

} // namespace

HMiscParams::HMiscParams() : HParams(MISC_FIELDS) {}

std::int32_t HMiscParams::optionUnitOf(const RadioImage& image) {
    HMiscParams params;
    params.extract(image);
    return params.optionUnit();
}

} // namespace kq70
