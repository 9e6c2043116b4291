#include "params/HDirectChParams.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::array<FieldDescriptor, HDirectChParams::VALUE_COUNT> DIRECT_CH_FIELDS{{
    /* 0 Direct CH 1 group    0x0279 bits 3-0 */ numberField(0x0279, 0, 4, 0),
    /* 1 Direct CH 1 channel  0x027A          */ numberField(0x027A, 0, 8, 1),
    /* 2 Direct CH 2 group    0x027B bits 3-0 */ numberField(0x027B, 0, 4, 0),
    /* 3 Direct CH 2 channel  0x027C          */ numberField(0x027C, 0, 8, 1),
}};
static_assert(allValid(DIRECT_CH_FIELDS));

} // namespace

HDirectChParams::HDirectChParams() : HParams(DIRECT_CH_FIELDS) {}

} // namespace kq70
