#include "channel/ToneTables.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kq70 {
namespace {

TEST(ToneTablesTest, SnapWalksTheStoredOrder) {
    const std::tuple<ToneKind, std::int32_t, std::int32_t> cases[] = {
        {ToneKind::Ctcss, 2520, 2541}, // between 229.1 and 254.1 in stored order
        {ToneKind::Ctcss, 100, 670},
        {ToneKind::Ctcss, 670, 670},
        {ToneKind::Ctcss, 680, 670},
        {ToneKind::Ctcss, 682, 693},
        {ToneKind::Ctcss, 1600, 1622},
        {ToneKind::Ctcss, 2600, 2541}, // 1600: first pair 156.7–162.2
        {ToneKind::Dcs, 5, 19},
        {ToneKind::Dcs, 19, 19},
        {ToneKind::Dcs, 20, 21},
        {ToneKind::Dcs, 600, 492},
    };
    for (const auto& [kind, value, snapped] : cases) {
        EXPECT_EQ(snapTone(kind, value), snapped) << value;
    }
}

} // namespace
} // namespace kq70
