#include "frame/ChannelViewBinding.h"

#include "channel/CKQ70View.h"
#include "doc/CKQ70Doc.h"
#include "log/HLogPrint.h"
#include "pages/HChannelAllocationDialog.h"

namespace kq70 {

ChannelViewBinding::ChannelViewBinding(CKQ70Doc& doc, CKQ70View& view, DocumentListener& frame)
    : m_doc(doc), m_view(view), m_frame(frame) {
    m_view.setModifiedHandler([this] { m_doc.setDataModified(true); });
}

void ChannelViewBinding::documentChanged() {
    KQ70_LOG(LOG_D2, 0, "[%s]%03d", "SendMessage", WM_VIEW_SAVEDATA);
    m_view.OnUpdate(m_doc.GetMainMemory());
}

void ChannelViewBinding::viewSaveData() {
    KQ70_LOG(LOG_D4, 0, "[FUNC IN]%s", "OnSaveData");
    m_view.OnSaveData();
    KQ70_LOG(LOG_D4, 0, "[FUNC OUT]%s", "OnSaveData");
}

void ChannelViewBinding::viewUpdateData() {
    KQ70_LOG(LOG_D1, 0, "%s", "View OnUpdateData Start");
    m_view.OnUpdateData(false);
}

bool ChannelViewBinding::runChannelAllocation(
    int accessMode, const std::function<bool(HChannelAllocationDialog&)>& runModal) {
    viewSaveData();
    HChannelAllocationDialog dialog(m_doc.GetMainMemory(), accessMode);
    dialog.OnInitDialog();
    const bool stored = runModal(dialog);
    if (stored) {
        m_doc.setDataModified(true);
    }
    viewUpdateData();
    return stored;
}

} // namespace kq70
