#pragma once

#include "channel/ToneTables.h"

#include <cstdint>
#include <optional>

namespace kq70 {

// The small modal choosers of the channel grid. The desktop shows dialogs; tests script the
// answers. Every chooser returns nothing when the user cancels.
class ChannelChoosers {
public:
    struct Tone {
        ToneKind kind = ToneKind::Ctcss;
        std::int32_t code = 670; // tenths of a hertz, or the DCS code's octal value
    };

    virtual ~ChannelChoosers() = default;

    // A PMR446 channel 1–8, preset to `preset`.
    virtual std::optional<int> choosePmrChannel(int preset) = 0;
    // A tone from the CTCSS and DCS tables (shown with their code numbers), preset to
    // `current`.
    virtual std::optional<Tone> chooseTone(const Tone& current) = 0;
    // A signalling (type 1), paging (type 2) or option (type 3) number as the grid shows it,
    // preset to `preset`.
    virtual std::optional<int> chooseSignalNumber(int type, int preset) = 0;
};

} // namespace kq70
