#pragma once

namespace kq70 {

class UserPrompt;

// Held while radios are programmed from the document: nothing may change it then, so every
// radio gets the data the record names. The main window's command gate and the channel grid's
// input both ask it before they change the document.
class DocumentHold {
public:
    explicit DocumentHold(UserPrompt& prompt) : m_prompt(prompt) {}

    void set(bool held) { m_held = held; }
    bool held() const { return m_held; }
    // True when the document may change; while it is held, false after telling the user why.
    bool mayChange() const;

private:
    UserPrompt& m_prompt;
    bool m_held = false;
};

} // namespace kq70
