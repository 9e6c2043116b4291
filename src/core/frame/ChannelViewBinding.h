#pragma once

#include "channel/CKQ70View.h"
#include "doc/DocumentObserver.h"
#include "frame/DocumentListener.h"
#include "frame/EditSteps.h"
#include "ui/HGridControl.h"

#include <functional>
#include <string>

namespace kq70 {

class CKQ70Doc;
class DocumentHold;
class HChannelAllocationDialog;

// Ties the channel view to the document: the view works on the document's image, every change
// it makes marks the document modified, it shows the image again whenever the document
// announces a change of it, and it commits its data, and a cell still open, when a command
// asks it to.
//
// The grid's input goes through here, so that each key, click, paste and in-cell edit is one
// step Edit > Undo can take back; as the grid's edit events it forwards to the view.
class ChannelViewBinding : public DocumentListener, public DocumentObserver, public HGridEvents {
public:
    ChannelViewBinding(CKQ70Doc& doc, CKQ70View& view);
    ~ChannelViewBinding() override;
    ChannelViewBinding(const ChannelViewBinding&) = delete;
    ChannelViewBinding& operator=(const ChannelViewBinding&) = delete;

    // Told after the view showed the image again, so a front end can paint what goes with it.
    void setShownHandler(std::function<void()> handler) { m_shown = std::move(handler); }
    // While `hold` holds the document the grid's input is refused (keys, clicks, paste, the
    // in-cell editor).
    void setHold(const DocumentHold* hold) { m_hold = hold; }

    // The document's image was replaced (start-up, New, Open, Upload): the view rebuilds itself
    // from it, and the document is marked modified when that changed a byte.
    void documentChanged();
    // The image changed under the view (a page, Undo): the view reads it again.
    void reload();

    // One undo step that changes the image itself, not through the view (the raw editor's
    // OK): the view reads the image again before the step ends, so its old data never goes
    // over what the step wrote. Returns what the step returned.
    bool runImageStep(const std::string& description, const std::function<bool()>& step);

    // Channel > Channel Allocations/Group Alpha Tag: commits the grid, opens the page and runs
    // it through `runModal`, which returns true when the page closed with OK (its OnOK stored
    // the values), then reloads the view. True when the page stored its values.
    bool runChannelAllocation(const std::function<bool(HChannelAllocationDialog&)>& runModal);

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

    // DocumentListener
    void viewSaveData() override;
    bool commitPendingEdit() override;
    void commitValidPendingEdit() override;
    // DocumentObserver
    void documentChanged(const DocumentChange& change) override;

private:
    CKQ70View::KeyOutcome cellStep(std::string_view action, int row,
                                   const std::function<CKQ70View::KeyOutcome()>& input);
    int channelOfRow(int row) const { return m_view.ChannelOfRow(row); }
    void shown();
    bool mayChange() const;

    CKQ70Doc& m_doc;
    CKQ70View& m_view;
    EditSteps m_steps;
    std::function<void()> m_shown;
    const DocumentHold* m_hold = nullptr;
    bool m_tookImage = false;
};

} // namespace kq70
