#include "SimFault.h"
#include "SimulatedRadios.h"

#include <gtest/gtest.h>

#include <vector>

namespace kq70 {
namespace {

TEST(SimFaultTest, ParsesTheFaultWordsAndRefusesOthers) {
    struct Case {
        std::string word;
        std::optional<SimFault> fault;
    };
    const std::vector<Case> cases = {
        {"checksum@3", SimFault{SimFaultKind::BadChecksum, 3, 0}},
        {"command@12", SimFault{SimFaultKind::WrongCommand, 12, 0}},
        {"silence@1", SimFault{SimFaultKind::Silence, 1, 0}},
        {"nak@40", SimFault{SimFaultKind::Nak, 40, 0}},
        {"lost@7", SimFault{SimFaultKind::LostWrite, 7, 0}},
        {"corrupt@7", SimFault{SimFaultKind::CorruptStore, 7, 0}},
        {"corrupt@290:127", SimFault{SimFaultKind::CorruptStore, 290, 127}},
        {"corrupt@3:", std::nullopt},
        {"nak@3:1", std::nullopt},
        {"off@9", SimFault{SimFaultKind::SwitchedOff, 9, 0}},
        {"garbage:5", SimFault{SimFaultKind::GarbageBeforeCheck, 0, 5}},
        {"nooffer", SimFault{SimFaultKind::NeverOffer, 0, 0}},
        {"product", SimFault{SimFaultKind::WrongProductCode, 0, 0}},
        {"nak@0", std::nullopt},
        {"nak@", std::nullopt},
        {"nak@3x", std::nullopt},
        {"nak@-1", std::nullopt},
        {"garbage:", std::nullopt},
        {"loud@3", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseSimFault(c.word), c.fault) << c.word;
        if (c.fault) {
            EXPECT_EQ(describeSimFault(*c.fault), c.word);
        }
    }
}

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
