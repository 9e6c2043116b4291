#include "link/CancelFlag.h"

#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

bool CancelFlag::requestStop(UserPrompt& prompt) {
    if (writing() && prompt.messageBox(text::STOP_WHILE_WRITING, {}, MessageButtons::YesNo,
                                       MessageIcon::Question) != MessageAnswer::Yes) {
        return false;
    }
    request();
    return true;
}

} // namespace kq70
