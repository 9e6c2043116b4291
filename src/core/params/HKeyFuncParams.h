#pragma once

#include "fields/HParams.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kq70 {

// The function codes of the programmable keys, one byte per key slot. Slots 0–5 are the
// keys pressed ([SIDE1], [SIDE2], [A]–[D]), slots 6–11 the same keys pressed and held.
class HKeyFuncParams : public HParams {
public:
    static constexpr std::size_t KEY_SLOT_COUNT = 12;
    static constexpr std::size_t PRESS_SLOT_COUNT = 6;
    // Press slot k and press-and-hold slot k + this belong to the same key.
    static constexpr std::size_t HOLD_SLOT_DISTANCE = 6;
    static constexpr std::size_t KEY_FUNCTION_OFFSET = 0x0269;

    static constexpr std::size_t SIDE1_PRESS = 0;
    static constexpr std::size_t SIDE2_PRESS = 1;
    static constexpr std::size_t SIDE1_HOLD = 6;
    static constexpr std::size_t SIDE2_HOLD = 7;
    // The [A]–[D] keys exist on radios with a display only; the hardware page clears these
    // slots when the display type is set to "NON-LCD".
    static constexpr std::array<std::size_t, 8> LCD_KEY_SLOTS{2, 3, 4, 5, 8, 9, 10, 11};

    // The function codes the program itself relies on.
    static constexpr std::int32_t KEY_NONE = 0;
    static constexpr std::int32_t KEY_MON = 1;
    static constexpr std::int32_t KEY_SCAN = 3;
    static constexpr std::int32_t KEY_OPTION_SWITCH1 = 27;
    static constexpr std::int32_t KEY_SQL_OFF = 53;

    HKeyFuncParams();

    static constexpr bool isPressSlot(std::size_t slot) { return slot < PRESS_SLOT_COUNT; }
    // Sets the [A]–[D] slots to "None"; store to write them.
    void clearLcdKeySlots();
};

} // namespace kq70
