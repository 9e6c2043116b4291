#include "AutomaticAlignment.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using Steps = std::vector<AutomaticStep>;

TEST(AutomaticAlignmentTest, StepsRunInTheirOwnOrderWhateverOrderTheyAreNamedIn) {
    const std::vector<std::pair<std::string, std::optional<Steps>>> cases = {
        {"vco-rx,vco-tx,rx-tune",
         Steps{AutomaticStep::VcoRx, AutomaticStep::VcoTx, AutomaticStep::RxTune}},
        {"rx-tune,vco-rx", Steps{AutomaticStep::VcoRx, AutomaticStep::RxTune}},
        {"vco-tx", Steps{AutomaticStep::VcoTx}},
        {"", std::nullopt},
        {"vco-rx,", std::nullopt},
        {"vco-rx,vco-rx", std::nullopt},
        {"vco", std::nullopt},
        {"VCO-RX", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(AutomaticAlignment::ParseSteps(text), expected) << '"' << text << '"';
    }
}

} // namespace
} // namespace kq70
