#include "params/HPowerSaveParams.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::array<FieldDescriptor, HPowerSaveParams::VALUE_COUNT> POWER_SAVE_FIELDS{{
    /* 0 Transmit Timer             0x0203 bits 6-4 */ numberField(0x0203, 4, 3, 1),
    /* 1 Penalty Timer              0x0203 bits 3-2 */ numberField(0x0203, 2, 2, 0),
    /* 2 Release Timer              0x0203 bits 1-0 */ numberField(0x0203, 0, 2, 1),
    /* 3 Power Save Mode            0x0204 bits 2-0 */ numberField(0x0204, 0, 3, 1),
    /* 4 LCD Lighting Mode          0x0204 bit 3    */ numberField(0x0204, 3, 1, 1),
    /* 5 Low Battery Alert          0x0265 bit 7    */ numberField(0x0265, 7, 1, 0),
    /* 6 TX Low Battery Alert       0x0265 bit 6    */ numberField(0x0265, 6, 1, 0),
    /* 7 Low Battery Alert Interval 0x0265 bits 5-4 */ numberField(0x0265, 4, 2, 1),
    /* 8 MIC Gain                   0x0207 bits 7-6 */ numberField(0x0207, 6, 2, 0),
    /* 9 Power-ON alpha tag         0x027D 8 chars  */
    textField(0x027D, HPowerSaveParams::POWER_ON_TAG_LENGTH, "SELFTEST"),
}};
static_assert(allValid(POWER_SAVE_FIELDS));

} // namespace

HPowerSaveParams::HPowerSaveParams() : HParams(POWER_SAVE_FIELDS) {}

} // namespace kq70
