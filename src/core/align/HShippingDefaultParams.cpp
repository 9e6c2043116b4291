#include "align/HShippingDefaultParams.h"

#include "align/AdjustmentData.h"
#include "image/RadioImage.h"

#include <array>

namespace kq70 {

namespace {

// Items 0–89 copy the adjustment block byte for byte (flash items 8–97, 0x287E lower),
// items 90–97 the thresholds (flash items 0–7); the checksum sits between the two.
constexpr std::array<FieldDescriptor, SHIPPING_ITEM_COUNT> SHIPPING_ITEMS = {{
    /*   0 point 0 frequency (100 kHz)        */ adjustmentWord(0x0104),
    /*   1 point 1 frequency (100 kHz)        */ adjustmentWord(0x0106),
    /*   2 point 2 frequency (100 kHz)        */ adjustmentWord(0x0102),
    /*   3 point 3 frequency (100 kHz)        */ adjustmentWord(0x0108),
    /*   4 point 4 frequency (100 kHz)        */ adjustmentWord(0x010A),
    /*   5 RX tune D/A, low                   */ adjustmentByte(0x010D),
    /*   6 RX tune D/A, middle                */ adjustmentByte(0x010C),
    /*   7 RX tune D/A, high                  */ adjustmentByte(0x010E),
    /*   8 TX power high, point 0             */ adjustmentByte(0x0110),
    /*   9 TX power high, point 1             */ adjustmentByte(0x0111),
    /*  10 TX power high, point 2             */ adjustmentByte(0x010F),
    /*  11 TX power high, point 3             */ adjustmentByte(0x0112),
    /*  12 TX power high, point 4             */ adjustmentByte(0x0113),
    /*  13 TX power low, point 0              */ adjustmentByte(0x0115),
    /*  14 TX power low, point 1              */ adjustmentByte(0x0116),
    /*  15 TX power low, point 2              */ adjustmentByte(0x0114),
    /*  16 TX power low, point 3              */ adjustmentByte(0x0117),
    /*  17 TX power low, point 4              */ adjustmentByte(0x0118),
    /*  18 max deviation wide, point 0        */ adjustmentByte(0x011A),
    /*  19 max deviation wide, point 1        */ adjustmentByte(0x011B),
    /*  20 max deviation wide, point 2        */ adjustmentByte(0x0119),
    /*  21 max deviation wide, point 3        */ adjustmentByte(0x011C),
    /*  22 max deviation wide, point 4        */ adjustmentByte(0x011D),
    /*  23 max deviation narrow, point 0      */ adjustmentByte(0x011F),
    /*  24 max deviation narrow, point 1      */ adjustmentByte(0x0120),
    /*  25 max deviation narrow, point 2      */ adjustmentByte(0x011E),
    /*  26 max deviation narrow, point 3      */ adjustmentByte(0x0121),
    /*  27 max deviation narrow, point 4      */ adjustmentByte(0x0122),
    /*  28 CTCSS deviation wide, point 0      */ adjustmentByte(0x0124),
    /*  29 CTCSS deviation wide, point 1      */ adjustmentByte(0x0125),
    /*  30 CTCSS deviation wide, point 2      */ adjustmentByte(0x0123),
    /*  31 CTCSS deviation wide, point 3      */ adjustmentByte(0x0126),
    /*  32 CTCSS deviation wide, point 4      */ adjustmentByte(0x0127),
    /*  33 CTCSS deviation narrow, point 0    */ adjustmentByte(0x0129),
    /*  34 CTCSS deviation narrow, point 1    */ adjustmentByte(0x012A),
    /*  35 CTCSS deviation narrow, point 2    */ adjustmentByte(0x0128),
    /*  36 CTCSS deviation narrow, point 3    */ adjustmentByte(0x012B),
    /*  37 CTCSS deviation narrow, point 4    */ adjustmentByte(0x012C),
    /*  38 DCS deviation wide, point 0        */ adjustmentByte(0x012E),
    /*  39 DCS deviation wide, point 1        */ adjustmentByte(0x012F),
    /*  40 DCS deviation wide, point 2        */ adjustmentByte(0x012D),
    /*  41 DCS deviation wide, point 3        */ adjustmentByte(0x0130),
    /*  42 DCS deviation wide, point 4        */ adjustmentByte(0x0131),
    /*  43 DCS deviation narrow, point 0      */ adjustmentByte(0x0133),
    /*  44 DCS deviation narrow, point 1      */ adjustmentByte(0x0134),
    /*  45 DCS deviation narrow, point 2      */ adjustmentByte(0x0132),
    /*  46 DCS deviation narrow, point 3      */ adjustmentByte(0x0135),
    /*  47 DCS deviation narrow, point 4      */ adjustmentByte(0x0136),
    /*  48 modulation balance 1, point 0      */ adjustmentByte(0x0138),
    /*  49 modulation balance 1, point 1      */ adjustmentByte(0x0139),
    /*  50 modulation balance 1, point 2      */ adjustmentByte(0x0137),
    /*  51 modulation balance 1, point 3      */ adjustmentByte(0x013A),
    /*  52 modulation balance 1, point 4      */ adjustmentByte(0x013B),
    /*  53 modulation balance 2, point 0      */ adjustmentByte(0x013D),
    /*  54 modulation balance 2, point 1      */ adjustmentByte(0x013E),
    /*  55 modulation balance 2, point 2      */ adjustmentByte(0x013C),
    /*  56 modulation balance 2, point 3      */ adjustmentByte(0x013F),
    /*  57 modulation balance 2, point 4      */ adjustmentByte(0x0140),
    /*  58 sub-audio balance wide, point 0    */ adjustmentByte(0x0142),
    /*  59 sub-audio balance wide, point 1    */ adjustmentByte(0x0143),
    /*  60 sub-audio balance wide, point 2    */ adjustmentByte(0x0141),
    /*  61 sub-audio balance wide, point 3    */ adjustmentByte(0x0144),
    /*  62 sub-audio balance wide, point 4    */ adjustmentByte(0x0145),
    /*  63 sub-audio balance narrow, point 0  */ adjustmentByte(0x0147),
    /*  64 sub-audio balance narrow, point 1  */ adjustmentByte(0x0148),
    /*  65 sub-audio balance narrow, point 2  */ adjustmentByte(0x0146),
    /*  66 sub-audio balance narrow, point 3  */ adjustmentByte(0x0149),
    /*  67 sub-audio balance narrow, point 4  */ adjustmentByte(0x014A),
    /*  68 further group 1, point 0           */ adjustmentByte(0x014C),
    /*  69 further group 1, point 1           */ adjustmentByte(0x014D),
    /*  70 further group 1, point 2           */ adjustmentByte(0x014B),
    /*  71 further group 1, point 3           */ adjustmentByte(0x014E),
    /*  72 further group 1, point 4           */ adjustmentByte(0x014F),
    /*  73 further group 2, point 0           */ adjustmentByte(0x0151),
    /*  74 further group 2, point 1           */ adjustmentByte(0x0152),
    /*  75 further group 2, point 2           */ adjustmentByte(0x0150),
    /*  76 further group 2, point 3           */ adjustmentByte(0x0153),
    /*  77 further group 2, point 4           */ adjustmentByte(0x0154),
    /*  78 RX VCO D/A, low                    */ adjustmentByte(0x0156),
    /*  79 RX VCO D/A, middle                 */ adjustmentByte(0x0155),
    /*  80 RX VCO D/A, high                   */ adjustmentByte(0x0157),
    /*  81 TX VCO D/A, low                    */ adjustmentByte(0x0159),
    /*  82 TX VCO D/A, middle                 */ adjustmentByte(0x0158),
    /*  83 TX VCO D/A, high                   */ adjustmentByte(0x015A),
    /*  84 DTMF level                         */ adjustmentByte(0x015B),
    /*  85 Freq DA                            */ adjustmentByte(0x015C),
    /*  86 mic gain                           */ adjustmentByte(0x015D),
    /*  87 low battery level                  */ adjustmentByte(0x015E),
    /*  88 EEPROM protect level               */ adjustmentByte(0x015F),
    /*  89 sequential tone deviation          */ adjustmentByte(0x0160),
    /*  90 Tight RSSI, wide                   */ adjustmentByte(0x0164),
    /*  91 TX SAVE, wide                      */ adjustmentByte(0x0165),
    /*  92 Threshold NSQ, wide                */ adjustmentByte(0x0166),
    /*  93 Tight NSQ, wide                    */ adjustmentByte(0x0167),
    /*  94 Tight RSSI, narrow                 */ adjustmentByte(0x0168),
    /*  95 TX SAVE, narrow                    */ adjustmentByte(0x0169),
    /*  96 Threshold NSQ, narrow              */ adjustmentByte(0x016A),
    /*  97 Tight NSQ, narrow                  */ adjustmentByte(0x016B),
    /*  98 checksum of the shipping block     */ adjustmentWord(0x0162),
}};
static_assert(allValid(SHIPPING_ITEMS));

} // namespace

HShippingDefaultParams::HShippingDefaultParams() : HParams(SHIPPING_ITEMS) {}

void HShippingDefaultParams::recomputeChecksum(RadioImage& image) {
    store(image);
    set(SHIPPING_CHECKSUM_ITEM, adjustmentBlockSum(image, SHIPPING_ADJUSTMENT_OFFSET));
    store(image);
}

bool HShippingDefaultParams::verifyChecksum(const RadioImage& image) {
    extract(image);
    return adjustmentBlockSum(image, SHIPPING_ADJUSTMENT_OFFSET) ==
           static_cast<std::uint32_t>(get(SHIPPING_CHECKSUM_ITEM));
}

} // namespace kq70
