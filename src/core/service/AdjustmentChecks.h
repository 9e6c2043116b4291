#pragma once

#include <cstdint>

namespace kq70 {

class RadioImage;
class UserPrompt;

// The soundness checks of the two adjustment copies of an image read from a radio: the
// shipping-default copy in the EEPROM part and the working copy in the flash part, each with
// the identity bytes that must travel with it. Every failure is logged with the address and
// value that failed.
class AdjustmentChecks {
public:
    // What ReliabilityTest finds.
    enum Reliability : int {
        BOTH_RIGHT = 0,
        EEPROM_RIGHT = 1,
        FLASH_RIGHT = 2,
        BOTH_WRONG = 3,
    };

    static constexpr std::uint16_t PRODUCT_CODE = 0xC083;
    static constexpr std::uint8_t PRODUCTION_CODE = 0x0C;
    static constexpr std::uint8_t FLASH_HARDWARE_MARK = 0x80; // byte 0x26ED of a sound radio
    // Copies whose lot numbers differ by more than this belong to different radios.
    static constexpr int MAX_LOT_DIFFERENCE = 10;

    // The shipping-default checksum, the hardware data word, product and production codes.
    static bool EepromCheck(const RadioImage& image);
    // The adjustment block checksum, product and production codes, the hardware bytes.
    static bool FlashCheck(const RadioImage& image);
    // Both checks, as a Reliability value.
    static int ReliabilityTest(const RadioImage& image);

    // True when the two copies carry the same manufacture date and lot, or when the lots are
    // close and the user agrees to go on. Lots far apart are refused with a message.
    static bool SerialNumberCheck(const RadioImage& image, UserPrompt& prompt);
    // True when a saved file is of the radio's band and Radio Channel value; otherwise the
    // user is told and the file is refused.
    static bool FileCheckOnRecovery(const RadioImage& radio, const RadioImage& file,
                                    UserPrompt& prompt);

    // A lot number byte as the two decimal digits it holds.
    static int LotNumber(std::uint8_t bcd);
};

} // namespace kq70
