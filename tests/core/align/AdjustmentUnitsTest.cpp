#include "align/AdjustmentUnits.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kq70 {
namespace {

TEST(AdjustmentUnitsTest, LevelsInEveryUnit) {
    const std::pair<std::int32_t, std::array<const char*, LEVEL_UNIT_COUNT>> cases[] = {
        {0x85, {"-5 dBuV (EMF)", "-11 dBuV (PD)", "0.56 uV (EMF)", "0.28 uV (PD)", "-118 dBm"}},
        {0x14, {"20 dBuV (EMF)", "14 dBuV (PD)", "10.00 uV (EMF)", "5.01 uV (PD)", "-93 dBm"}},
        {0x80, {"0 dBuV (EMF)", "-6 dBuV (PD)", "1.00 uV (EMF)", "0.50 uV (PD)", "-113 dBm"}},
        {0x7C,
         {"124 dBuV (EMF)", "118 dBuV (PD)", "1584893.19 uV (EMF)", "794328.23 uV (PD)", "11 dBm"}},
    };
    for (const auto& [stored, shown] : cases) {
        for (std::size_t unit = 0; unit < LEVEL_UNIT_COUNT; ++unit) {
            EXPECT_EQ(formatLevel(signedLevel(stored), static_cast<int>(unit)), shown[unit])
                << "stored " << stored << " unit " << unit;
        }
    }
    EXPECT_EQ(formatLevel(-5, 9), "-5 dBuV (EMF)");
    // A level field needs room for seven digits before the point.
    EXPECT_EQ(longestLevelText().size(), formatLevel(127, 2).size());
}

TEST(AdjustmentUnitsTest, DeviationSettingsInTenthsOfKilohertz) {
    EXPECT_EQ(formatTenthsKhz(0x23), " 3.5 kHz");
    EXPECT_EQ(formatTenthsKhz(0x8F), "-1.5 kHz");
    EXPECT_EQ(formatTenthsKhz(0x7F), "12.7 kHz");
}

} // namespace
} // namespace kq70
