#include "frame/AdjustmentUnlock.h"

#include "app/AccessMode.h"
#include "app/Passwords.h"
#include "channel/CKQ70View.h"
#include "frame/CommonCommands.h"
#include "frame/DocumentListener.h"
#include "frame/FrameLifecycle.h"

namespace kq70 {

bool AdjustmentUnlock::Run(AccessMode& mode, UserPrompt& prompt, CKQ70View& view,
                           CommonCommands& common, DocumentListener& frame) {
    // Only normal mode unlocks; the other modes were chosen at start-up and stay.
    if (!mode.is(ACCESS_NORMAL) || !unlockAdjustmentMode(mode, prompt)) {
        return false;
    }
    view.setAccessMode(mode.value());
    common.setAccessMode(mode.value());
    frame.titleChanged(FrameLifecycle::ModeTitle(mode.value()));
    frame.radioMenusChanged();
    return true;
}

} // namespace kq70
