#pragma once

#include "RadioSimulator.h"
#include "SimulatorLink.h"
#include "SimulatorSeed.h"
#include "platform/ManualClock.h"

namespace kq70 {

// A simulated radio at the end of an in-process link, on virtual time: hand `link` to an
// HSerialPort and `clock` to whatever sleeps, and a whole job runs without waiting.
struct InProcessRadio {
    explicit InProcessRadio(const RadioImage& memory = makeSimulatorSeedImage())
        : radio(memory), link(radio, clock) {}

    ManualClock clock;
    RadioSimulator radio;
    SimulatorLink link;
};

} // namespace kq70
