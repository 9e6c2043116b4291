#pragma once

namespace kq70 {

class AccessMode;
class CKQ70View;
class CommonCommands;
class DocumentListener;
class UserPrompt;

// Shift+F10 in the channel grid while the run is in normal mode: asks for the adjustment
// keyword. With it the run goes on in the adjustment mode for good: the channel view and the
// common commands take the new mode, and the frame is told to show its title and rebuild the
// radio menus. Without it nothing changes and nothing is said.
class AdjustmentUnlock {
public:
    static bool Run(AccessMode& mode, UserPrompt& prompt, CKQ70View& view, CommonCommands& common,
                    DocumentListener& frame);
};

} // namespace kq70
