#include "frame/DocumentGate.h"

#include "doc/CKQ70Doc.h"
#include "frame/DocumentHold.h"
#include "frame/DocumentListener.h"
#include "frame/MainMenuModel.h"
#include "log/HLogPrint.h"

namespace kq70 {

DocumentGate::DocumentGate(CKQ70Doc& doc, DocumentListener& view) : m_doc(doc), m_view(view) {}

bool DocumentGate::run(const std::function<void()>& command, int commandId) {
    if (m_hold != nullptr && !readsOnly(commandId) && !m_hold->mayChange()) {
        return false;
    }
    if (!m_view.commitPendingEdit()) {
        return false;
    }
    m_view.viewSaveData();
    KQ70_LOG(LOG_D2, 0, "[%s]%03d", "SendMessage", DocumentListener::WM_VIEW_SAVEDATA);
    const CKQ70Doc::ChangeScope scope(m_doc);
    command();
    return true;
}

bool DocumentGate::gated(int commandId) {
    switch (MainMenuModel::CanonicalCommand(commandId)) {
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

bool DocumentGate::readsOnly(int commandId) {
    if (!gated(commandId)) {
        return true;
    }
    const int id = MainMenuModel::CanonicalCommand(commandId);
    if (id >= ID_VIEW_ITEM_FIRST && id <= ID_VIEW_ITEM_LAST) {
        return true;
    }
    switch (id) {
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_FILE_EXPORT_CSV:
    case ID_FILE_EXPORT_PDF:
    case ID_FILE_COMPARE:
    case ID_VIEW_ITEM_VISIBLE:
        return true;
    default:
        return false;
    }
}

} // namespace kq70
