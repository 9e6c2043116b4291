#pragma once

#include "RadioSimulator.h"
#include "SimAdjustmentModel.h"
#include "SimulatorLink.h"
#include "SimulatorSeed.h"
#include "platform/ManualClock.h"

namespace kq70 {

// A simulated radio at the end of an in-process link, on virtual time: hand `link` to an
// HSerialPort and `clock` to whatever sleeps, and a whole job runs without waiting. In
// adjustment mode `adjustment` answers the service commands.
struct InProcessRadio {
    explicit InProcessRadio(const RadioImage& memory = makeSimulatorSeedImage())
        : radio(memory), link(radio, clock) {
        adjustment.attachTo(radio);
    }
    InProcessRadio(const InProcessRadio&) = delete;
    InProcessRadio& operator=(const InProcessRadio&) = delete;

    ManualClock clock;
    RadioSimulator radio;
    SimulatorLink link;
    SimAdjustmentModel adjustment;
};

} // namespace kq70
