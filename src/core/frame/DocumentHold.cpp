#include "frame/DocumentHold.h"

#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

bool DocumentHold::mayChange() const {
    if (m_held) {
        m_prompt.message(text::DOCUMENT_HELD, MessageIcon::Exclamation);
    }
    return !m_held;
}

} // namespace kq70
