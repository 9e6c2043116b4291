#pragma once

#include "doc/UndoHistory.h"
#include "image/RadioImage.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kq70 {

class CKQ70Doc;
class DocumentListener;

// The user's editing steps as Edit > Undo and Redo see them. A step is one user-level action
// (a key on a cell, an in-cell edit, a paste, a page or dialog closed with OK, the raw
// editor's OK). The channel view keeps its own copy of the channel data, so the view's data
// is committed into the image before the snapshot is taken and again before the result is
// compared; a step that changed nothing is not recorded.
class EditSteps {
public:
    // `view` commits the channel view's data (save data).
    EditSteps(CKQ70Doc& doc, DocumentListener& view);
    ~EditSteps();
    EditSteps(const EditSteps&) = delete;
    EditSteps& operator=(const EditSteps&) = delete;

    // Runs `step` as one user-level step and records it under `description` when it changed
    // the document's data. Returns what the step returned.
    bool Run(const std::string& description, const std::function<bool()>& step);

    // A step that spans several calls, as an in-cell edit from its start to its end.
    void Begin();
    // True when the step begun changed the data and was recorded.
    bool End(const std::string& description);
    bool GetPending() const { return m_before != nullptr; }

    // Edit > Undo and Redo: the image and the modified flag as they were. False when there
    // was nothing to take back or do again.
    bool OnEditUndo();
    bool OnEditRedo();

    // "Space on CH5 Sub Audio Dec": a key or click on a cell. `channel` counts from 0.
    static std::string CellStep(std::string_view action, int channel, int column);
    // "Edit CH5 RX Frequency": an in-cell edit.
    static std::string EditStep(int channel, int column);
    // "Paste into 4 channels".
    static std::string PasteStep(int channels);
    // "Hardware page": a parameter page closed with OK.
    static std::string PageStep(std::string_view pageTitle);

private:
    bool Apply(bool undo);

    CKQ70Doc& m_doc;
    DocumentListener& m_view;
    std::unique_ptr<RadioImage> m_before;
    EditFlags m_flagsBefore;
};

} // namespace kq70
