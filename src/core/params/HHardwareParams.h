#pragma once

#include "fields/HParams.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kq70 {

class RadioImage;

// Value indices of the hardware parameters. 0–33 are stored in the hardware block; 34–41 are
// derived in hertz from the synthesizer constants. Indices 13 and 14 read and write the hertz
// values (34 and 38), so every user of the object sees the reference oscillator and the first
// IF in Hz; the frequency limits 15 and 16 are held in Hz as well.
enum HardwareValue : std::size_t {
    HW_RADIO_CHANNEL = 0,
    HW_FREQUENCY_BAND = 1,
    HW_PRODUCT_TYPE = 2,
    HW_LCD_TYPE = 3,
    HW_LOCAL_OFFSET = 4,
    HW_CHANNEL_STEP = 5,
    HW_SQL_RELEASE_TIME = 6,
    HW_SQL_ATTACK_TIME = 7,
    HW_SQL_HYSTERESIS = 8,
    HW_RX_DCS_POLARITY = 9,
    HW_TX_DCS_POLARITY = 10,
    HW_KEYPAD = 11,
    HW_CTCSS_RELEASE_TIME = 12,
    HW_REF_XTAL = 13,      // Hz (derived 34); stored in 40 kHz units
    HW_FIRST_IF = 14,      // Hz (derived 38); stored in 5 kHz units
    HW_FREQUENCY_MIN = 15, // Hz; stored in 100 kHz units
    HW_FREQUENCY_MAX = 16, // Hz; stored in 100 kHz units
    HW_SCAN_PLL_B = 17,
    HW_FIRST_IF_6250 = 18, // first IF in 6.25 kHz units
    HW_FIRST_IF_2500 = 19, // in 2.5 kHz units
    HW_FIRST_IF_1250 = 20, // in 1.25 kHz units
    HW_REF_XTAL_50K = 21,  // reference oscillator in 50 kHz units
    HW_REF_XTAL_20K = 22,  // in 20 kHz units
    HW_REF_XTAL_10K = 23,  // in 10 kHz units
    HW_ALIGN_ITEM_SELECT = 24,
    HW_RX_TUNE_OFFSET_0 = 25, // receive tuning offsets, step rows 0–1, 2, 3
    HW_TX_DA_OFFSET_CTCSS_0 = 28,
    HW_TX_DA_OFFSET_DCS_0 = 31,
    HW_REF_XTAL_HZ = 34,
    HW_REF_XTAL_50K_HZ = 35,
    HW_REF_XTAL_20K_HZ = 36,
    HW_REF_XTAL_10K_HZ = 37,
    HW_FIRST_IF_HZ = 38,
    HW_FIRST_IF_6250_HZ = 39,
    HW_FIRST_IF_2500_HZ = 40,
    HW_FIRST_IF_1250_HZ = 41,
};

// HW_RADIO_CHANNEL of the 256-channel radio, the only one with a Direct Channel page.
constexpr int RADIO_CHANNEL_256 = 6;
// HW_LCD_TYPE of a radio with a display.
constexpr int LCD_TYPE_LCD = 1;

constexpr std::size_t HARDWARE_VALUE_COUNT = 34;      // stored values
constexpr std::size_t HARDWARE_DERIVED_COUNT = 8;     // derived values 34–41
constexpr std::size_t HARDWARE_TABLE_SIZE = 42;       // descriptor table entries
constexpr std::int32_t FREQUENCY_LIMIT_UNIT = 100000; // Hz per stored unit of 15 and 16

// A radio without a display has no A, B, C and D keys: when the image's hardware says there
// is no display (LCD type 0), their key functions become "None". Every store that can leave a
// radio without a display (the hardware page, a download's merge, a patch) ends with this.
void clearKeysWithoutDisplay(RadioImage& image);

// The hardware block: the radio's build (channel capacity, band, display, synthesizer
// constants, band limits, squelch and DCS behaviour). Built without an image it holds the
// defaults with the derived values already in Hz, so storing it writes the defaults.
class HHardwareParams : public HParams {
public:
    HHardwareParams();

    void extract(const RadioImage& image) override;
    // Writes the 34 stored values and copies 0x26E8–0x26E9 into the mirror at 0x0006–0x0007.
    void store(RadioImage& image) const override;

    // Indices 0–41; 13 and 14 map onto 34 and 38.
    std::int32_t get(std::size_t index) const override;
    void set(std::size_t index, std::int32_t value) override;
    void resetToDefaults() override;

    // Value `index` (0–33) as the image holds it: the hertz values divided back into their
    // units (truncating). What store writes.
    std::int32_t storedValue(std::size_t index) const;
    // Sets value `index` (0–33) from the units the image holds it in; what storedValue reads.
    void setStoredValue(std::size_t index, std::int32_t value);

    // Channel capacity of the Radio Channel value.
    int channelCapacity() const;

private:
    void deriveFromStored();

    std::array<std::int32_t, HARDWARE_DERIVED_COUNT> m_derived{};
    // The limits as read, in stored units and in Hz: an unchanged limit is written back as
    // read, also where its hertz value did not fit (erased memory reads 0xFFFF).
    std::array<std::int32_t, 2> m_limitStored{};
    std::array<std::int32_t, 2> m_limitHz{};
};

} // namespace kq70
