#include "align/HAdustmentBackUpParams.h"

#include "align/AdjustmentData.h"
#include "align/AdjustmentUnits.h"
#include "image/RadioImage.h"
#include "log/HLogPrint.h"

namespace kq70 {

namespace {

// One entry per item, in item order. Inside the block each group of five stores its
// point-2 value first, and so do the point frequencies and the three-point items.
constexpr std::array<FieldDescriptor, ADJ_ITEM_COUNT> ADJUSTMENT_ITEMS = {{
    /*   0 Tight RSSI, wide                   */ adjustmentByte(0x273A),
    /*   1 TX SAVE, wide                      */ adjustmentByte(0x273B),
    /*   2 Threshold NSQ, wide                */ adjustmentByte(0x273C),
    /*   3 Tight NSQ, wide                    */ adjustmentByte(0x273D),
    /*   4 Tight RSSI, narrow                 */ adjustmentByte(0x273E),
    /*   5 TX SAVE, narrow                    */ adjustmentByte(0x273F),
    /*   6 Threshold NSQ, narrow              */ adjustmentByte(0x2740),
    /*   7 Tight NSQ, narrow                  */ adjustmentByte(0x2741),
    /*   8 point 0 frequency (100 kHz)        */ adjustmentWord(0x2982),
    /*   9 point 1 frequency (100 kHz)        */ adjustmentWord(0x2984),
    /*  10 point 2 frequency (100 kHz)        */ adjustmentWord(0x2980),
    /*  11 point 3 frequency (100 kHz)        */ adjustmentWord(0x2986),
    /*  12 point 4 frequency (100 kHz)        */ adjustmentWord(0x2988),
    /*  13 RX tune D/A, low                   */ adjustmentByte(0x298B),
    /*  14 RX tune D/A, middle                */ adjustmentByte(0x298A),
    /*  15 RX tune D/A, high                  */ adjustmentByte(0x298C),
    /*  16 TX power high, point 0             */ adjustmentByte(0x298E),
    /*  17 TX power high, point 1             */ adjustmentByte(0x298F),
    /*  18 TX power high, point 2             */ adjustmentByte(0x298D),
    /*  19 TX power high, point 3             */ adjustmentByte(0x2990),
    /*  20 TX power high, point 4             */ adjustmentByte(0x2991),
    /*  21 TX power low, point 0              */ adjustmentByte(0x2993),
    /*  22 TX power low, point 1              */ adjustmentByte(0x2994),
    /*  23 TX power low, point 2              */ adjustmentByte(0x2992),
    /*  24 TX power low, point 3              */ adjustmentByte(0x2995),
    /*  25 TX power low, point 4              */ adjustmentByte(0x2996),
    /*  26 max deviation wide, point 0        */ adjustmentByte(0x2998),
    /*  27 max deviation wide, point 1        */ adjustmentByte(0x2999),
    /*  28 max deviation wide, point 2        */ adjustmentByte(0x2997),
    /*  29 max deviation wide, point 3        */ adjustmentByte(0x299A),
    /*  30 max deviation wide, point 4        */ adjustmentByte(0x299B),
    /*  31 max deviation narrow, point 0      */ adjustmentByte(0x299D),
    /*  32 max deviation narrow, point 1      */ adjustmentByte(0x299E),
    /*  33 max deviation narrow, point 2      */ adjustmentByte(0x299C),
    /*  34 max deviation narrow, point 3      */ adjustmentByte(0x299F),
    /*  35 max deviation narrow, point 4      */ adjustmentByte(0x29A0),
    /*  36 CTCSS deviation wide, point 0      */ adjustmentByte(0x29A2),
    /*  37 CTCSS deviation wide, point 1      */ adjustmentByte(0x29A3),
    /*  38 CTCSS deviation wide, point 2      */ adjustmentByte(0x29A1),
    /*  39 CTCSS deviation wide, point 3      */ adjustmentByte(0x29A4),
    /*  40 CTCSS deviation wide, point 4      */ adjustmentByte(0x29A5),
    /*  41 CTCSS deviation narrow, point 0    */ adjustmentByte(0x29A7),
    /*  42 CTCSS deviation narrow, point 1    */ adjustmentByte(0x29A8),
    /*  43 CTCSS deviation narrow, point 2    */ adjustmentByte(0x29A6),
    /*  44 CTCSS deviation narrow, point 3    */ adjustmentByte(0x29A9),
    /*  45 CTCSS deviation narrow, point 4    */ adjustmentByte(0x29AA),
    /*  46 DCS deviation wide, point 0        */ adjustmentByte(0x29AC),
    /*  47 DCS deviation wide, point 1        */ adjustmentByte(0x29AD),
    /*  48 DCS deviation wide, point 2        */ adjustmentByte(0x29AB),
    /*  49 DCS deviation wide, point 3        */ adjustmentByte(0x29AE),
    /*  50 DCS deviation wide, point 4        */ adjustmentByte(0x29AF),
    /*  51 DCS deviation narrow, point 0      */ adjustmentByte(0x29B1),
    /*  52 DCS deviation narrow, point 1      */ adjustmentByte(0x29B2),
    /*  53 DCS deviation narrow, point 2      */ adjustmentByte(0x29B0),
    /*  54 DCS deviation narrow, point 3      */ adjustmentByte(0x29B3),
    /*  55 DCS deviation narrow, point 4      */ adjustmentByte(0x29B4),
    /*  56 modulation balance 1, point 0      */ adjustmentByte(0x29B6),
    /*  57 modulation balance 1, point 1      */ adjustmentByte(0x29B7),
    /*  58 modulation balance 1, point 2      */ adjustmentByte(0x29B5),
    /*  59 modulation balance 1, point 3      */ adjustmentByte(0x29B8),
    /*  60 modulation balance 1, point 4      */ adjustmentByte(0x29B9),
    /*  61 modulation balance 2, point 0      */ adjustmentByte(0x29BB),
    /*  62 modulation balance 2, point 1      */ adjustmentByte(0x29BC),
    /*  63 modulation balance 2, point 2      */ adjustmentByte(0x29BA),
    /*  64 modulation balance 2, point 3      */ adjustmentByte(0x29BD),
    /*  65 modulation balance 2, point 4      */ adjustmentByte(0x29BE),
    /*  66 sub-audio balance wide, point 0    */ adjustmentByte(0x29C0),
    /*  67 sub-audio balance wide, point 1    */ adjustmentByte(0x29C1),
    /*  68 sub-audio balance wide, point 2    */ adjustmentByte(0x29BF),
    /*  69 sub-audio balance wide, point 3    */ adjustmentByte(0x29C2),
    /*  70 sub-audio balance wide, point 4    */ adjustmentByte(0x29C3),
    /*  71 sub-audio balance narrow, point 0  */ adjustmentByte(0x29C5),
    /*  72 sub-audio balance narrow, point 1  */ adjustmentByte(0x29C6),
    /*  73 sub-audio balance narrow, point 2  */ adjustmentByte(0x29C4),
    /*  74 sub-audio balance narrow, point 3  */ adjustmentByte(0x29C7),
    /*  75 sub-audio balance narrow, point 4  */ adjustmentByte(0x29C8),
    /*  76 further group 1, point 0           */ adjustmentByte(0x29CA),
    /*  77 further group 1, point 1           */ adjustmentByte(0x29CB),
    /*  78 further group 1, point 2           */ adjustmentByte(0x29C9),
    /*  79 further group 1, point 3           */ adjustmentByte(0x29CC),
    /*  80 further group 1, point 4           */ adjustmentByte(0x29CD),
    /*  81 further group 2, point 0           */ adjustmentByte(0x29CF),
    /*  82 further group 2, point 1           */ adjustmentByte(0x29D0),
    /*  83 further group 2, point 2           */ adjustmentByte(0x29CE),
    /*  84 further group 2, point 3           */ adjustmentByte(0x29D1),
    /*  85 further group 2, point 4           */ adjustmentByte(0x29D2),
    /*  86 RX VCO D/A, low                    */ adjustmentByte(0x29D4),
    /*  87 RX VCO D/A, middle                 */ adjustmentByte(0x29D3),
    /*  88 RX VCO D/A, high                   */ adjustmentByte(0x29D5),
    /*  89 TX VCO D/A, low                    */ adjustmentByte(0x29D7),
    /*  90 TX VCO D/A, middle                 */ adjustmentByte(0x29D6),
    /*  91 TX VCO D/A, high                   */ adjustmentByte(0x29D8),
    /*  92 DTMF level                         */ adjustmentByte(0x29D9),
    /*  93 Freq DA                            */ adjustmentByte(0x29DA),
    /*  94 mic gain                           */ adjustmentByte(0x29DB),
    /*  95 low battery level                  */ adjustmentByte(0x29DC),
    /*  96 EEPROM protect level               */ adjustmentByte(0x29DD),
    /*  97 sequential tone deviation          */ adjustmentByte(0x29DE),
    /*  98 further value 0                    */ adjustmentByte(0x2744),
    /*  99 further value 1                    */ adjustmentByte(0x2745),
    /* 100 further value 2                    */ adjustmentByte(0x2746),
    /* 101 further value 3                    */ adjustmentByte(0x2747),
    /* 102 further value 4                    */ adjustmentByte(0x2748),
    /* 103 further value 5                    */ adjustmentByte(0x2749),
    /* 104 further value 6                    */ adjustmentByte(0x274A),
    /* 105 further value 7                    */ adjustmentByte(0x274B),
    /* 106 further value 8                    */ adjustmentByte(0x274C),
    /* 107 further value 9                    */ adjustmentByte(0x274D),
    /* 108 further value 10                   */ adjustmentByte(0x274E),
    /* 109 further value 11                   */ adjustmentByte(0x274F),
    /* 110 further value 12                   */ adjustmentByte(0x2750),
    /* 111 further value 13                   */ adjustmentByte(0x2751),
    /* 112 further value 14                   */ adjustmentByte(0x2752),
    /* 113 checksum of the adjustment block   */ adjustmentWord(0x29DF),
    /* 114 RX tune RF level                   */ adjustmentByte(0x2A10),
    /* 115 RX tune deviation                  */ adjustmentByte(0x2A11),
    /* 116 RX tune modulation                 */ adjustmentByte(0x2A12),
    /* 117 Threshold NSQ RF level, wide       */ adjustmentByte(0x2A13),
    /* 118 Threshold NSQ RF level, narrow     */ adjustmentByte(0x2A16),
    /* 119 Threshold NSQ deviation, wide      */ adjustmentByte(0x2A14),
    /* 120 Threshold NSQ deviation, narrow    */ adjustmentByte(0x2A17),
    /* 121 Threshold NSQ modulation, wide     */ adjustmentByte(0x2A15),
    /* 122 Threshold NSQ modulation, narrow   */ adjustmentByte(0x2A18),
    /* 123 Tight NSQ RF level, wide           */ adjustmentByte(0x2A19),
    /* 124 Tight NSQ RF level, narrow         */ adjustmentByte(0x2A1C),
    /* 125 Tight NSQ deviation, wide          */ adjustmentByte(0x2A1A),
    /* 126 Tight NSQ deviation, narrow        */ adjustmentByte(0x2A1D),
    /* 127 Tight NSQ modulation, wide         */ adjustmentByte(0x2A1B),
    /* 128 Tight NSQ modulation, narrow       */ adjustmentByte(0x2A1E),
    /* 129 signal generator 129               */ adjustmentByte(0x2A1F),
    /* 130 signal generator 130               */ adjustmentByte(0x2A20),
    /* 131 TX SAVE RF level, wide             */ adjustmentByte(0x2A21),
    /* 132 TX SAVE RF level, narrow           */ adjustmentByte(0x2A22),
}};
static_assert(allValid(ADJUSTMENT_ITEMS));

} // namespace

HAdustmentBackUpParams::HAdustmentBackUpParams() : HParams(ADJUSTMENT_ITEMS) {}

void HAdustmentBackUpParams::recomputeChecksum(RadioImage& image) {
    store(image);
    set(ADJ_CHECKSUM, adjustmentBlockSum(image, WORKING_ADJUSTMENT_OFFSET));
    store(image);
}

bool HAdustmentBackUpParams::verifyChecksum(const RadioImage& image) {
    extract(image);
    for (std::size_t i = 0; i < ADJUSTMENT_DATA_SIZE; ++i) {
        KQ70_LOG(LOG_ER, 0, "CheckSum Value[ADR_ADJ_BACKUP + %02X]:[%X]", static_cast<unsigned>(i),
                 static_cast<unsigned>(image.byteAt(WORKING_ADJUSTMENT_OFFSET + i)));
    }
    const unsigned total = adjustmentBlockSum(image, WORKING_ADJUSTMENT_OFFSET);
    const auto stored = static_cast<unsigned>(get(ADJ_CHECKSUM));
    KQ70_LOG(LOG_ER, 0, "CheckSum Value Total[0x%04X]: CompareData[0x%04x]", total, stored);
    return total == stored;
}

void HAdustmentBackUpParams::setDisplayUnit(int unit) {
    if (unit >= 0 && unit < static_cast<int>(LEVEL_UNIT_COUNT)) {
        m_displayUnit = unit;
    }
}

std::string HAdustmentBackUpParams::levelText(std::size_t item) const {
    return formatLevel(signedLevel(get(item)), m_displayUnit);
}

} // namespace kq70
