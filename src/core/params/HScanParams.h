#pragma once

#include "fields/HParams.h"

namespace kq70 {

enum ScanValue : std::size_t {
    SCAN_RESUME_TIME_RX = 0,
    SCAN_RESUME_TIME_TX = 1,
    SCAN_DUAL_WATCH_TIMER = 2,
    SCAN_TALK_BACK = 3,
    SCAN_REVERT_CHANNEL = 4,
    SCAN_GROUP_SCAN = 5,
    SCAN_PRIORITY_CHECK = 6,
    SCAN_PRIORITY_CH = 7,
    SCAN_BEEP = 8,
    SCAN_POWER_ON_SCAN = 9,
    SCAN_DISPLAY = 10,
};
constexpr std::size_t SCAN_VALUE_COUNT = 11;
constexpr std::int32_t PRIORITY_CHECK_ENABLE = 3;

// How the radio scans and watches its priority channel. Priority Check covers bits 5–3 of
// 0x0206, over the Dual Watch Timer bit and the channel data's priority flag; values are
// written in index order, so Priority Check decides those bits.
constexpr FieldDescriptor SCAN_FIELDS[] = {
    numberField(0x0264, 4, 4, 3), // 0 Scan Resume Time 1 (RX)
    numberField(0x0264, 0, 4, 3), // 1 Scan Resume Time 2 (TX)
    numberField(0x0206, 3, 1, 0), // 2 Dual Watch Timer
    numberField(0x0206, 2, 1, 0), // 3 Talk Back
    numberField(0x0206, 0, 2, 0), // 4 Revert Channel
    numberField(0x0207, 3, 1, 0), // 5 Group Scan
    numberField(0x0206, 3, 3, 0), // 6 Priority Check
    numberField(0x0263, 0, 8, 0), // 7 Priority CH
    numberField(0x0207, 4, 1, 0), // 8 Scan Beep
    numberField(0x0202, 0, 2, 0), // 9 Power ON Scan
    numberField(0x0207, 2, 1, 0), // 10 Scan Display
};
static_assert(allValid(SCAN_FIELDS));
static_assert(std::size(SCAN_FIELDS) == SCAN_VALUE_COUNT);

class HScanParams : public HParams {
public:
    HScanParams() : HParams(SCAN_FIELDS) {}
};

} // namespace kq70
