#pragma once

#include <functional>
#include <memory>
#include <string_view>

namespace kq70 {

class AccessMode;
class CKQ70Doc;
class DocumentListener;
class HDialog;
class UserPrompt;

// The Common menu: each command opens its parameter page over the document's image, and
// after OK the frame carries out what the page's change means for the rest of the document
// (channel data regrouped, signalling and encryption reset, the document marked modified).
// The document announces the result; the view and the menus follow it.
class CommonCommands {
public:
    // Shows a page modally; true when the user closed it with OK and the page stored its
    // values.
    using PageRunner = std::function<bool(HDialog& page, std::string_view title)>;

    // `view` commits the channel view's data around the page.
    CommonCommands(CKQ70Doc& doc, const AccessMode& accessMode, UserPrompt& prompt,
                   DocumentListener& view);

    // True when the page was closed with OK.
    bool OnMenuCommon(int commandId, const PageRunner& run);

    // The page of a Common command; nothing for a command without one.
    static std::unique_ptr<HDialog> CreatePage(int commandId, CKQ70Doc& doc, int accessMode,
                                               UserPrompt& prompt);
    static std::string_view PageTitle(int commandId);

    // A change of the option unit invalidates every channel's signalling and encryption.
    static void ApplyOptionUnitChange(CKQ70Doc& doc, int newOptionUnit);
    // A change of the Radio Channel value changes the capacity: the groups are allotted again.
    static void RegroupChannels(CKQ70Doc& doc);

private:
    CKQ70Doc& m_doc;
    const AccessMode& m_accessMode;
    UserPrompt& m_prompt;
    DocumentListener& m_listener;
};

} // namespace kq70
