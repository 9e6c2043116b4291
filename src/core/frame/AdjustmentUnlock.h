#pragma once

namespace kq70 {

class AccessMode;
class UserPrompt;

// Shift+F10 in the channel grid while the run is in normal mode: asks for the adjustment
// keyword. With it the run goes on in the adjustment mode for good; everything that depends
// on the mode reads or follows the one access-mode object. Without it nothing changes and
// nothing is said.
class AdjustmentUnlock {
public:
    static bool Run(AccessMode& mode, UserPrompt& prompt);
};

} // namespace kq70
