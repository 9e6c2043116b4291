#include "frame/DocumentGate.h"

#include "doc/CKQ70Doc.h"
#include "frame/DocumentListener.h"
#include "frame/MainMenuModel.h"
#include "log/HLogPrint.h"

namespace kq70 {

DocumentGate::DocumentGate(CKQ70Doc& doc, DocumentListener& view) : m_doc(doc), m_view(view) {}

bool DocumentGate::run(const std::function<void()>& command) {
    if (!m_view.commitPendingEdit()) {
        return false;
    }
    m_view.viewSaveData();
    KQ70_LOG(LOG_D2, 0, "[%s]%03d", "SendMessage", DocumentListener::WM_VIEW_SAVEDATA);
    const CKQ70Doc::ChangeScope scope(m_doc);
    command();
    return true;
}

bool DocumentGate::Gated(int commandId) {
    switch (MainMenuModel::canonicalCommand(commandId)) {
    case ID_HELP:
    case ID_HELP_TOPICS:
    case ID_HELP_GET_STARTED:
    case ID_HELP_COMMON_PROBLEMS:
    case ID_APP_ABOUT:
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_FILE_PRINT_SETUP:
    case ID_EDIT_COPY:
        return false;
    default:
        return true;
    }
}

} // namespace kq70
