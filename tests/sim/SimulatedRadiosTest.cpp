#include "SimulatedRadios.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(SimulatedRadiosTest, FaultWordsNameTheirRadio) {
    const struct {
        const char* text;
        std::optional<RadioFaultWord> split;
    } cases[] = {
        {"nak@5", RadioFaultWord{0, "nak@5"}},
        {"2:nak@5", RadioFaultWord{2, "nak@5"}},
        {"garbage:3", RadioFaultWord{0, "garbage:3"}},
        {"12:corrupt@278:5", RadioFaultWord{12, "corrupt@278:5"}},
        {"0:nak@5", std::nullopt},
        {"3:", std::nullopt},
        {"99999999999:nak@5", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto split = splitRadioFaultWord(c.text);
        ASSERT_EQ(split.has_value(), c.split.has_value()) << c.text;
        if (split) {
            EXPECT_EQ(split->radio, c.split->radio) << c.text;
            EXPECT_EQ(split->word, c.split->word) << c.text;
        }
    }
    EXPECT_TRUE(RadioFaultWord({0, "x"}).appliesTo(3));
    EXPECT_FALSE(RadioFaultWord({2, "x"}).appliesTo(3));
}

} // namespace
} // namespace kq70
