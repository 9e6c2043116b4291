#include "frame/ChannelViewBinding.h"

#include "doc/CKQ70Doc.h"
#include "frame/DocumentHold.h"
#include "log/HLogPrint.h"
#include "pages/HChannelAllocationDialog.h"
#include "ui/Strings.h"

#include <cstdint>

namespace kq70 {

ChannelViewBinding::ChannelViewBinding(CKQ70Doc& doc, CKQ70View& view)
    : m_doc(doc), m_view(view), m_steps(doc, *this) {
    m_view.SetModifiedHandler([this] { m_doc.SetDataModified(true); });
    m_doc.AddObserver(*this);
}

ChannelViewBinding::~ChannelViewBinding() {
    m_doc.RemoveObserver(*this);
}

void ChannelViewBinding::documentChanged() {
    RadioImage& image = m_doc.GetMainMemory();
    if (!m_tookImage) {
        // The image's address stays the same for the document's life: said once.
        KQ70_LOG(LOG_D1, 0, "GetMainMemory()\tm_pMainMemory = [%X]",
                 static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(&image)));
        m_tookImage = true;
    }
    KQ70_LOG(LOG_D2, 0, "[%s]%03d", "SendMessage", WM_VIEW_SAVEDATA);
    m_view.OnUpdate(image);
    shown();
}

void ChannelViewBinding::reload() {
    KQ70_LOG(LOG_D2, 0, "[%s]%03d", "SendMessage", WM_VIEW_UPDATEDATA);
    KQ70_LOG(LOG_D1, 0, "%s", "View OnUpdateData Start");
    m_view.OnUpdateData(false);
    shown();
}

void ChannelViewBinding::shown() {
    if (m_shown) {
        m_shown();
    }
}

void ChannelViewBinding::documentChanged(const DocumentChange& change) {
    if (change.replaced()) {
        documentChanged();
    } else if (change.has(DocumentChange::IMAGE)) {
        reload();
    }
}

void ChannelViewBinding::viewSaveData() {
    KQ70_LOG(LOG_D4, 0, "[FUNC IN]%s", "OnSaveData");
    m_view.OnSaveData();
    KQ70_LOG(LOG_D4, 0, "[FUNC OUT]%s", "OnSaveData");
}

bool ChannelViewBinding::commitPendingEdit() {
    return m_view.CommitPendingEdit();
}

void ChannelViewBinding::commitValidPendingEdit() {
    m_view.CommitValidPendingEdit();
}

bool ChannelViewBinding::runImageStep(const std::string& description,
                                      const std::function<bool()>& step) {
    return m_steps.Run(description, [&] {
        const bool result = step();
        reload();
        return result;
    });
}

bool ChannelViewBinding::runChannelAllocation(
    const std::function<bool(HChannelAllocationDialog&)>& runModal) {
    return runImageStep(std::string(text::STEP_CHANNEL_ALLOCATION), [&] {
        HChannelAllocationDialog dialog(m_doc.GetMainMemory(), m_view.GetAccessMode());
        dialog.OnInitDialog();
        const bool stored = runModal(dialog);
        if (stored) {
            m_doc.SetDataModified(true);
        }
        return stored;
    });
}

CKQ70View::KeyOutcome
ChannelViewBinding::cellStep(std::string_view action, int row,
                             const std::function<CKQ70View::KeyOutcome()>& input) {
    if (!mayChange()) {
        return CKQ70View::KeyOutcome::Handled;
    }
    const std::string description =
        EditSteps::CellStep(action, channelOfRow(row), m_view.GetGrid().column());
    CKQ70View::KeyOutcome outcome = CKQ70View::KeyOutcome::Handled;
    m_steps.Run(description, [&] {
        outcome = input();
        return true;
    });
    return outcome;
}

CKQ70View::KeyOutcome ChannelViewBinding::onEnter() {
    return cellStep(text::STEP_KEY_ENTER, m_view.GetGrid().row(),
                    [this] { return m_view.OnEnter(); });
}

CKQ70View::KeyOutcome ChannelViewBinding::onSpace() {
    return cellStep(text::STEP_KEY_SPACE, m_view.GetGrid().row(),
                    [this] { return m_view.OnSpace(); });
}

CKQ70View::KeyOutcome ChannelViewBinding::onDoubleClick() {
    return cellStep(text::STEP_DOUBLE_CLICK, m_view.GetGrid().mouseRow(),
                    [this] { return m_view.OnDoubleClick(); });
}

void ChannelViewBinding::onF3() {
    cellStep(text::STEP_KEY_F3, m_view.GetGrid().row(), [this] {
        m_view.OnF3();
        return CKQ70View::KeyOutcome::Handled;
    });
}

bool ChannelViewBinding::paste(const std::string& text) {
    if (!mayChange()) {
        return false;
    }
    // The step is named after the programmed channels of the selection, the ones paste fills.
    const HGridControl::Selection selection = m_view.GetGrid().getSelection();
    int channels = 0;
    for (int row = selection.firstRow; row <= selection.lastRow; ++row) {
        const int channel = channelOfRow(row);
        channels += channel >= 0 && m_view.GetChannelData().isInUse(channel) ? 1 : 0;
    }
    return m_steps.Run(EditSteps::PasteStep(channels), [&] { return m_view.Paste(text); });
}

bool ChannelViewBinding::mayChange() const {
    return m_hold == nullptr || m_hold->mayChange();
}

bool ChannelViewBinding::beforeEdit(int row, int column) {
    if (!mayChange()) {
        return false;
    }
    const bool editable = m_view.beforeEdit(row, column);
    if (editable) {
        m_steps.Begin();
    }
    return editable;
}

int ChannelViewBinding::keyPressEdit(int row, int column, int key) {
    return m_view.keyPressEdit(row, column, key);
}

bool ChannelViewBinding::validateEdit(int row, int column, const std::string& text) {
    return m_view.validateEdit(row, column, text);
}

void ChannelViewBinding::afterEdit(int row, int column) {
    m_view.afterEdit(row, column);
    m_steps.End(EditSteps::EditStep(channelOfRow(row), column));
}

} // namespace kq70
