#include "SimFault.h"

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

} // namespace
} // namespace kq70
