#include "frame/AdjustmentUnlock.h"

#include "app/AccessMode.h"
#include "app/Passwords.h"

namespace kq70 {

bool AdjustmentUnlock::Run(AccessMode& mode, UserPrompt& prompt) {
    // Only normal mode unlocks; the other modes were chosen at start-up and stay.
    return mode.is(ACCESS_NORMAL) && unlockAdjustmentMode(mode, prompt);
}

} // namespace kq70
