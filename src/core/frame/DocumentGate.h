#pragma once

#include <functional>

namespace kq70 {

class CKQ70Doc;
class DocumentListener;

// The one way into a document command of the main window (the menus, the toolbar, the keys,
// a dropped file, closing the window): first whatever the user is still typing in a cell
// goes into the document, or the command is refused while the cell holds no value; then the
// view's data is committed; then the command runs in one change scope of the document, so
// all it did is announced once, when it is done.
class DocumentGate {
public:
    DocumentGate(CKQ70Doc& doc, DocumentListener& view);

    // True when the command ran; false when the open cell refused it.
    bool run(const std::function<void()>& command);

    // Commands that neither read nor change the document (help, the bars, Print Setup, Copy)
    // need not pass the gate; every other command does.
    static bool Gated(int commandId);

private:
    CKQ70Doc& m_doc;
    DocumentListener& m_view;
};

} // namespace kq70
