#pragma once

#include "PtyRadioRunner.h"
#include "RadioSimulator.h"
#include "SimAdjustmentModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kq70 {

class Clock;

// One of the radios kq70-radiosim serves: the radio, its adjustment-mode model and the runner
// that puts it on a pseudo-terminal of its own.
struct PtyRadio {
    PtyRadio(const RadioImage& memory, std::uint32_t noiseSeed, Clock& clock)
        : radio(memory), adjustment(noiseSeed), runner(radio, clock) {
        adjustment.attachTo(radio);
    }
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    RadioSimulator radio;
    SimAdjustmentModel adjustment;
    PtyRadioRunner runner;
};

// A fault word for one of several radios: "2:nak@5" is "nak@5" for radio 2; a word without
// a radio number ("nak@5", "garbage:3") is for every radio.
struct RadioFaultWord {
    unsigned radio = 0; // from 1; 0 for every radio
    std::string word;

    bool appliesTo(unsigned radioNumber) const { return radio == 0 || radio == radioNumber; }
};

// Nothing for a radio number of 0 or one without a fault word after it.
std::optional<RadioFaultWord> splitRadioFaultWord(std::string_view text);

} // namespace kq70
