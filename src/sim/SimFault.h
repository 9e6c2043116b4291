#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kq70 {

// Something the simulated radio is told to get wrong.
enum class SimFaultKind {
    BadChecksum,        // answer to frame N with a wrong checksum
    WrongCommand,       // answer to frame N with a wrong command byte
    Silence,            // no answer to frame N
    Nak,                // NAK (0x15) instead of the answer to frame N
    LostWrite,          // write frame N acknowledged but not kept, like a failing memory cell
    GarbageBeforeCheck, // `count` bytes of line noise before the first check byte
    NeverOffer,         // switched on, the radio never offers a connection
    WrongProductCode,   // the radio reports a product code of another model
    CorruptStore,       // write frame N is acknowledged, but byte `count` of the unit is
                        // stored inverted, as a failing memory cell would
    SwitchedOff,        // switched off as frame N arrives: nothing stored, nothing answered
};

// A scripted fault. Frames are numbered from 1 in the order the radio takes them in clone
// or adjustment mode, over the simulator's whole life.
struct SimFault {
    SimFaultKind kind = SimFaultKind::Silence;
    unsigned frameNumber = 0;
    unsigned count = 0;

    bool operator==(const SimFault&) const = default;
};

// Parses the command line's fault words: "checksum@N", "command@N", "silence@N", "nak@N",
// "lost@N", "off@N", "corrupt@N" or "corrupt@N:K" (byte K of the unit), "garbage:N",
// "nooffer", "product". Nothing for anything else.
std::optional<SimFault> parseSimFault(std::string_view word);
// The word parseSimFault reads back, for messages.
std::string describeSimFault(const SimFault& fault);

} // namespace kq70
