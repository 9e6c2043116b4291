#pragma once

#include "channel/CKQ70View.h"
#include "frame/DocumentListener.h"
#include "frame/EditSteps.h"
#include "ui/HGridControl.h"

#include <functional>
#include <string>

namespace kq70 {

class CKQ70Doc;
class HChannelAllocationDialog;

// Ties the channel view to the document: the view works on the document's image, every change
// it makes marks the document modified, and the document commands' save and reload requests
// reach it. Title and radio-menu notifications go on to the frame's own listener.
//
// The grid's input goes through here, so that each key, click, paste and in-cell edit is one
// step Edit > Undo can take back; as the grid's edit events it forwards to the view.
class ChannelViewBinding : public DocumentListener, public HGridEvents {
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

    // The view's keys and mouse on the current cell, each recorded as one step.
    CKQ70View::KeyOutcome onEnter();
    CKQ70View::KeyOutcome onSpace();
    CKQ70View::KeyOutcome onDoubleClick();
    void onF3();
    bool paste(const std::string& text);

    // The in-cell editor: from beforeEdit to afterEdit is one step.
    bool beforeEdit(int row, int column) override;
    int keyPressEdit(int row, int column, int key) override;
    bool validateEdit(int row, int column, const std::string& text) override;
    void afterEdit(int row, int column) override;

    EditSteps& editSteps() { return m_steps; }

    void viewSaveData() override;
    void viewUpdateData() override;
    void titleChanged(const std::string& title) override { m_frame.titleChanged(title); }
    void radioMenusChanged() override { m_frame.radioMenusChanged(); }

private:
    CKQ70View::KeyOutcome cellStep(std::string_view action, int row,
                                   const std::function<CKQ70View::KeyOutcome()>& input);
    int channelOfRow(int row) const { return m_view.channelOfRow(row); }

    CKQ70Doc& m_doc;
    CKQ70View& m_view;
    DocumentListener& m_frame;
    EditSteps m_steps;
};

} // namespace kq70
