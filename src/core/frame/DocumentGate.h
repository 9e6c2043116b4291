#pragma once

#include <functional>

namespace kq70 {

class CKQ70Doc;
class DocumentListener;
class DocumentHold;

// The one way into a document command of the main window (the menus, the toolbar, the keys,
// a dropped file, closing the window): first whatever the user is still typing in a cell
// goes into the document, or the command is refused while the cell holds no value; then the
// view's data is committed; then the command runs in one change scope of the document, so
// all it did is announced once, when it is done.
class DocumentGate {
public:
    DocumentGate(CKQ70Doc& doc, DocumentListener& view);
    // While `hold` holds the document only the commands that read it run.
    void setHold(const DocumentHold* hold) { m_hold = hold; }

    // A command with no id of its own (a dropped file, closing the window) may change the
    // document.
    static constexpr int MAY_CHANGE = 0;

    // True when the command ran; false when the open cell refused it, or the document is held
    // and the command could change it (the user is told why).
    bool run(const std::function<void()>& command, int commandId = MAY_CHANGE);

    // Commands that neither read nor change the document (help, the bars, Print Setup, Copy)
    // need not pass the gate; every other command does.
    static bool gated(int commandId);
    // Commands that only read the document or change how it is shown: they run while the
    // document is held.
    static bool readsOnly(int commandId);

private:
    CKQ70Doc& m_doc;
    DocumentListener& m_view;
    const DocumentHold* m_hold = nullptr;
};

} // namespace kq70
