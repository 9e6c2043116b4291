#pragma once

#include "channel/ChannelChoosers.h"

#include <deque>
#include <optional>
#include <vector>

namespace kq70::test {

// Choosers that answer from a script, in order, and remember how they were asked. An empty
// script cancels.
class ScriptedChoosers : public ChannelChoosers {
public:
    std::deque<std::optional<int>> pmrAnswers;
    std::deque<std::optional<Tone>> toneAnswers;
    std::deque<std::optional<int>> signalAnswers;

    std::vector<int> pmrPresets;
    std::vector<Tone> tonePresets;
    std::vector<std::pair<int, int>> signalPresets; // type, preset

    std::optional<int> choosePmrChannel(int preset) override {
        pmrPresets.push_back(preset);
        return next(pmrAnswers);
    }
    std::optional<Tone> chooseTone(const Tone& current) override {
        tonePresets.push_back(current);
        return next(toneAnswers);
    }
    std::optional<int> chooseSignalNumber(int type, int preset) override {
        signalPresets.emplace_back(type, preset);
        return next(signalAnswers);
    }

private:
    template <typename T> static std::optional<T> next(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace kq70::test
