#include "params/HHardwareParams.h"

#include "image/RadioImage.h"
#include "params/HKeyFuncParams.h"

#include <algorithm>
#include <limits>

namespace kq70 {

namespace {

// Entries 34–41 name where the derived values come from; the object never reads or writes
// them through the table (it hands the field table only the first 34 entries).
constexpr FieldDescriptor unusedCopyOf(FieldDescriptor d) {
    d.readOnly = true;
    return d;
}

constexpr FieldDescriptor REF_XTAL_40K = numberField(0x2713, 0, 12, 420);
constexpr FieldDescriptor FIRST_IF_5K = numberField(0x272C, 0, 16, 10170);
constexpr FieldDescriptor FIRST_IF_6250 = numberField(0x272E, 0, 16, 8136);
constexpr FieldDescriptor FIRST_IF_2500 = numberField(0x2730, 0, 16, 20340);
constexpr FieldDescriptor FIRST_IF_1250 = numberField(0x2732, 0, 16, 40680);
constexpr FieldDescriptor REF_XTAL_50K = numberField(0x2719, 0, 12, 336);
constexpr FieldDescriptor REF_XTAL_20K = numberField(0x271F, 0, 12, 840);
constexpr FieldDescriptor REF_XTAL_10K = numberField(0x2725, 0, 12, 1680);

constexpr FieldDescriptor HARDWARE_FIELDS[HARDWARE_TABLE_SIZE] = {
    numberField(0x26E9, 4, 3, 3),     // 0 Radio Channel
    numberField(0x26E8, 0, 4, 0),     // 1 Frequency Band
    numberField(0x29E8, 0, 8, 6),     // 2 Product Type
    numberField(0x26E9, 0, 1, 1),     // 3 LCD Type
    numberField(0x272B, 0, 1, 0),     // 4 Local Offset
    numberField(0x26EA, 6, 2, 0),     // 5 Channel Step
    numberField(0x2742, 0, 3, 6),     // 6 Squelch Release Time, 40 msec units
    numberField(0x2743, 4, 4, 3),     // 7 Noise Squelch Attack Time, 5 msec units
    numberField(0x2743, 0, 4, 12),    // 8 Noise Squelch Hysteresis
    numberField(0x26EA, 4, 1, 0),     // 9 DCS Receive Data Polarity
    numberField(0x26EA, 5, 1, 0),     // 10 DCS Transmit Data Polarity
    numberField(0x0203, 7, 1, 0),     // 11 KeyPad
    numberField(0x26E9, 1, 2, 1),     // 12 CTCSS Release Time
    REF_XTAL_40K,                     // 13 reference oscillator, 40 kHz units
    FIRST_IF_5K,                      // 14 first IF, 5 kHz units
    numberField(0x2734, 0, 16, 1340), // 15 band lower limit, 100 kHz units
    numberField(0x2736, 0, 16, 1740), // 16 band upper limit, 100 kHz units
    numberField(0x26EB, 0, 8, 150),   // 17 Scan PLL B Register
    FIRST_IF_6250,                    // 18 first IF, 6.25 kHz units
    FIRST_IF_2500,                    // 19 first IF, 2.5 kHz units
    FIRST_IF_1250,                    // 20 first IF, 1.25 kHz units
    REF_XTAL_50K,                     // 21 reference oscillator, 50 kHz units
    REF_XTAL_20K,                     // 22 reference oscillator, 20 kHz units
    REF_XTAL_10K,                     // 23 reference oscillator, 10 kHz units
    numberField(0x26EA, 2, 1, 1),     // 24 adjustment items 9/10 or 11/12 for value 45
    numberField(0x26EE, 0, 8, 0),     // 25 receive tuning offset, step rows 0–1
    numberField(0x26F2, 0, 8, 0),     // 26 receive tuning offset, step row 2
    numberField(0x26F6, 0, 8, 0),     // 27 receive tuning offset, step row 3
    numberField(0x26FA, 0, 8, 0),     // 28 transmit D/A offset CTCSS/none, rows 0–1
    numberField(0x2702, 0, 8, 0),     // 29 transmit D/A offset CTCSS/none, row 2
    numberField(0x270A, 0, 8, 0),     // 30 transmit D/A offset CTCSS/none, row 3
    numberField(0x26FE, 0, 8, 0),     // 31 transmit D/A offset DCS, rows 0–1
    numberField(0x2706, 0, 8, 0),     // 32 transmit D/A offset DCS, row 2
    numberField(0x270E, 0, 8, 0),     // 33 transmit D/A offset DCS, row 3
    unusedCopyOf(REF_XTAL_40K),       // 34 derived: reference oscillator in Hz
    unusedCopyOf(REF_XTAL_50K),       // 35
    unusedCopyOf(REF_XTAL_20K),       // 36
    unusedCopyOf(REF_XTAL_10K),       // 37
    unusedCopyOf(FIRST_IF_5K),        // 38 derived: first IF in Hz
    unusedCopyOf(FIRST_IF_6250),      // 39
    unusedCopyOf(FIRST_IF_2500),      // 40
    unusedCopyOf(FIRST_IF_1250),      // 41
};
static_assert(allValid(HARDWARE_FIELDS));

// Derived value 34 + k is stored value `source` times `unitHz`.
struct DerivedValue {
    std::size_t source;
    std::int32_t unitHz;
};

constexpr std::array<DerivedValue, HARDWARE_DERIVED_COUNT> DERIVED_VALUES = {{
    {HW_REF_XTAL, 40000},
    {HW_REF_XTAL_50K, 50000},
    {HW_REF_XTAL_20K, 20000},
    {HW_REF_XTAL_10K, 10000},
    {HW_FIRST_IF, 5000},
    {HW_FIRST_IF_6250, 6250},
    {HW_FIRST_IF_2500, 2500},
    {HW_FIRST_IF_1250, 1250},
}};

constexpr std::array<std::size_t, 2> LIMIT_INDICES = {HW_FREQUENCY_MIN, HW_FREQUENCY_MAX};

// Index of the derived value that `index` reads and writes, or the count when none.
constexpr std::size_t derivedSlot(std::size_t index) {
    if (index == HW_REF_XTAL) {
        return HW_REF_XTAL_HZ - HARDWARE_VALUE_COUNT;
    }
    if (index == HW_FIRST_IF) {
        return HW_FIRST_IF_HZ - HARDWARE_VALUE_COUNT;
    }
    if (index >= HARDWARE_VALUE_COUNT && index < HARDWARE_TABLE_SIZE) {
        return index - HARDWARE_VALUE_COUNT;
    }
    return HARDWARE_DERIVED_COUNT;
}

// A 16-bit limit of 0xFFFF (erased memory) is 6.5 GHz, beyond 32 bits: it reads as the
// largest value instead of wrapping round to a plausible-looking frequency.
std::int32_t limitInHz(std::int32_t stored) {
    const std::int64_t hz = std::int64_t{stored} * FREQUENCY_LIMIT_UNIT;
    constexpr std::int64_t largest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(hz > largest ? largest : hz);
}

} // namespace

void clearKeysWithoutDisplay(RadioImage& image) {
    if (lcdTypeOf(image) != 0) {
        return;
    }
    HKeyFuncParams keys;
    keys.extract(image);
    keys.clearLcdKeySlots();
    keys.store(image);
}

HHardwareParams::HHardwareParams()
    : HParams(std::span<const FieldDescriptor>(HARDWARE_FIELDS).first(HARDWARE_VALUE_COUNT)) {
    deriveFromStored();
}

// Expects values 15 and 16 in stored units, as extract and the defaults leave them.
void HHardwareParams::deriveFromStored() {
    for (std::size_t k = 0; k < DERIVED_VALUES.size(); ++k) {
        m_derived[k] = HParams::get(DERIVED_VALUES[k].source) * DERIVED_VALUES[k].unitHz;
    }
    for (std::size_t j = 0; j < LIMIT_INDICES.size(); ++j) {
        m_limitStored[j] = HParams::get(LIMIT_INDICES[j]);
        m_limitHz[j] = limitInHz(m_limitStored[j]);
        HParams::set(LIMIT_INDICES[j], m_limitHz[j]);
    }
}

void HHardwareParams::resetToDefaults() {
    HParams::resetToDefaults();
    deriveFromStored();
}

void HHardwareParams::extract(const RadioImage& image) {
    HParams::extract(image);
    deriveFromStored();
}

std::int32_t HHardwareParams::get(std::size_t index) const {
    const std::size_t slot = derivedSlot(index);
    return slot < m_derived.size() ? m_derived[slot] : HParams::get(index);
}

void HHardwareParams::set(std::size_t index, std::int32_t value) {
    const std::size_t slot = derivedSlot(index);
    if (slot < m_derived.size()) {
        m_derived[slot] = value;
    } else {
        HParams::set(index, value);
    }
}

std::int32_t HHardwareParams::storedValue(std::size_t index) const {
    if (index >= HARDWARE_VALUE_COUNT) {
        return -1;
    }
    for (std::size_t k = 0; k < DERIVED_VALUES.size(); ++k) {
        if (DERIVED_VALUES[k].source == index) {
            return m_derived[k] / DERIVED_VALUES[k].unitHz;
        }
    }
    for (std::size_t j = 0; j < LIMIT_INDICES.size(); ++j) {
        if (LIMIT_INDICES[j] == index) {
            const std::int32_t hz = HParams::get(index);
            return hz == m_limitHz[j] ? m_limitStored[j] : hz / FREQUENCY_LIMIT_UNIT;
        }
    }
    return HParams::get(index);
}

void HHardwareParams::setStoredValue(std::size_t index, std::int32_t value) {
    constexpr std::int64_t largest = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t smallest = std::numeric_limits<std::int32_t>::min();
    const auto inHz = [&](std::int64_t unitHz) {
        return static_cast<std::int32_t>(std::clamp(value * unitHz, smallest, largest));
    };
    if (index >= HARDWARE_VALUE_COUNT) {
        return;
    }
    for (std::size_t k = 0; k < DERIVED_VALUES.size(); ++k) {
        if (DERIVED_VALUES[k].source == index) {
            m_derived[k] = inHz(DERIVED_VALUES[k].unitHz);
            return;
        }
    }
    const bool limit = index == HW_FREQUENCY_MIN || index == HW_FREQUENCY_MAX;
    HParams::set(index, limit ? inHz(FREQUENCY_LIMIT_UNIT) : value);
}

void HHardwareParams::store(RadioImage& image) const {
    HParams plain(descriptors());
    for (std::size_t i = 0; i < HARDWARE_VALUE_COUNT; ++i) {
        plain.set(i, storedValue(i));
    }
    plain.store(image);
    // The radio keeps a copy of the band and radio channel bytes in EEPROM word 3.
    image.copyWithin(HARDWARE_BLOCK_OFFSET, HARDWARE_MIRROR_OFFSET, 2);
}

int HHardwareParams::channelCapacity() const {
    return channelCapacityForRadioChannel(get(HW_RADIO_CHANNEL));
}

} // namespace kq70
