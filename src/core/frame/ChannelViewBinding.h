#pragma once

#include "frame/DocumentListener.h"

#include <functional>

namespace kq70 {

class CKQ70Doc;
class CKQ70View;
class HChannelAllocationDialog;

// Ties the channel view to the document: the view works on the document's image, every change
// it makes marks the document modified, and the document commands' save and reload requests
// reach it. Title and radio-menu notifications go on to the frame's own listener.
class ChannelViewBinding : public DocumentListener {
public:
    ChannelViewBinding(CKQ70Doc& doc, CKQ70View& view, DocumentListener& frame);

    // The document's image was replaced (start-up, New, Open, Upload): the view rebuilds itself
    // from it, and the document is marked modified when that changed a byte.
    void documentChanged();

    // Channel > Channel Allocations/Group Alpha Tag: commits the grid, opens the page and runs
    // it through `runModal`, which returns true when the page closed with OK (its OnOK stored
    // the values), then reloads the view. True when the page stored its values.
    bool runChannelAllocation(int accessMode,
                              const std::function<bool(HChannelAllocationDialog&)>& runModal);

    void viewSaveData() override;
    void viewUpdateData() override;
    void titleChanged(const std::string& title) override { m_frame.titleChanged(title); }
    void radioMenusChanged() override { m_frame.radioMenusChanged(); }

private:
    CKQ70Doc& m_doc;
    CKQ70View& m_view;
    DocumentListener& m_frame;
};

} // namespace kq70
