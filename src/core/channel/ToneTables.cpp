#include "channel/ToneTables.h"

#include <algorithm>
#include <span>

namespace kq70 {

namespace {

constexpr std::int32_t octal(int digits) {
    return (digits / 100) * 64 + ((digits / 10) % 10) * 8 + digits % 10;
}

std::span<const std::int32_t> tableOf(ToneKind kind) {
    if (kind == ToneKind::Ctcss) {
        return ctcssTable;
    }
    return dcsTable;
}

} // namespace

const std::array<std::int32_t, CTCSS_COUNT> ctcssTable{
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1622, 1679, 1738, 1799, 1862, 1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503,
    1598, 1655, 1713, 1773, 1835, 1899, 1966, 1995, 2065, 2291, 2541,
};

const std::array<std::int32_t, DCS_COUNT> dcsTable{
    octal(23),  octal(25),  octal(26),  octal(31),  octal(32),  octal(36),  octal(43),  octal(47),
    octal(51),  octal(53),  octal(54),  octal(65),  octal(71),  octal(72),  octal(73),  octal(74),
    octal(114), octal(115), octal(116), octal(122), octal(125), octal(131), octal(132), octal(134),
    octal(143), octal(145), octal(152), octal(155), octal(156), octal(162), octal(165), octal(172),
    octal(174), octal(205), octal(212), octal(223), octal(225), octal(226), octal(243), octal(244),
    octal(245), octal(246), octal(251), octal(252), octal(255), octal(261), octal(263), octal(265),
    octal(266), octal(271), octal(274), octal(306), octal(311), octal(315), octal(325), octal(331),
    octal(332), octal(343), octal(346), octal(351), octal(356), octal(364), octal(365), octal(371),
    octal(411), octal(412), octal(413), octal(423), octal(431), octal(432), octal(445), octal(446),
    octal(452), octal(454), octal(455), octal(462), octal(464), octal(465), octal(466), octal(503),
    octal(506), octal(516), octal(523), octal(526), octal(532), octal(546), octal(565), octal(606),
    octal(612), octal(624), octal(627), octal(631), octal(632), octal(654), octal(662), octal(664),
    octal(703), octal(712), octal(723), octal(731), octal(732), octal(734), octal(743), octal(754),
};

std::optional<int> toneCodeNumber(ToneKind kind, std::int32_t value) {
    const auto table = tableOf(kind);
    const auto it = std::find(table.begin(), table.end(), value);
    if (it == table.end()) {
        return std::nullopt;
    }
    const int first = kind == ToneKind::Ctcss ? CTCSS_FIRST_CODE_NUMBER : DCS_FIRST_CODE_NUMBER;
    return first + static_cast<int>(it - table.begin());
}

std::int32_t snapTone(ToneKind kind, std::int32_t value) {
    const auto table = tableOf(kind);
    if (value < table.front()) {
        return table.front();
    }
    if (std::find(table.begin(), table.end(), value) != table.end()) {
        return value;
    }
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        const std::int32_t a = table[i];
        const std::int32_t b = table[i + 1];
        if (a < value && value < b) {
            return value < (a + b) / 2 ? a : b;
        }
    }
    return table.back();
}

} // namespace kq70
