#pragma once

// Parts the main window's command objects are built with in the frame tests.

#include "InProcessRadio.h"
#include "frame/DocumentListener.h"
#include "frame/RadioCommands.h"
#include "link/LastPortKind.h"
#include "support/RecordingProgress.h"

namespace kq70::test {

// Counts the view's commits: a command that reads or replaces the document commits first.
struct SaveCounter : DocumentListener {
    void viewSaveData() override { ++saves; }
    int saves = 0;
};

// A simulated radio in this process and what the radio commands reach it through.
struct SimulatedRadioLink {
    InProcessRadio sim;
    LastPortKind lastKind;
    RecordingProgress progress;

    RadioLink link() { return RadioLink{sim.link, sim.clock, lastKind, progress}; }
};

} // namespace kq70::test
