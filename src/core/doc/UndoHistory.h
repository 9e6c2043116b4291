#pragma once

#include "image/RadioImage.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

namespace kq70 {

// Undo and redo of the user's editing steps as whole snapshots of the image, each with the
// document's modified flag and a short description of the step ("Space on CH5 Sub Audio",
// "Hardware page"). The front end records one step per user-level action, with the image as
// it was before the action; undoing puts the image and the flag back and the view reloads.
// New, Open and Upload clear it: their image is no continuation of the old one.
class UndoHistory {
public:
    static constexpr std::size_t DEFAULT_STEPS = 100;

    explicit UndoHistory(std::size_t maxSteps = DEFAULT_STEPS);

    // One user-level step is about to change the image (or just did, with `before` kept):
    // `before` and `modifiedBefore` are what undoing it restores. Whatever could be redone is
    // forgotten; beyond the limit the oldest step goes.
    void record(std::string description, const RadioImage& before, bool modifiedBefore);
    // Records only when the step changed the image, as for a page left with OK; true when it
    // recorded.
    bool recordIfChanged(std::string description, const RadioImage& before, bool modifiedBefore,
                         const RadioImage& after);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The description of the step an undo or redo would take back or do again; empty when
    // there is none.
    const std::string& undoDescription() const;
    const std::string& redoDescription() const;
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }

    // Takes back the last step: `image` and `modified` become what they were before it, and
    // their present state can be redone. False, with nothing changed, when there is nothing.
    bool undo(RadioImage& image, bool& modified);
    bool redo(RadioImage& image, bool& modified);

    // The document was written as `saved`: every kept state but one equal to it now counts as
    // modified, so undoing back past a save cannot claim a state the file does not hold.
    void markSaved(const RadioImage& saved);
    void clear();

private:
    struct Step {
        std::unique_ptr<RadioImage> image;
        bool modified = false;
        std::string description;
    };

    static void swapIn(Step& step, RadioImage& image, bool& modified);

    std::size_t m_maxSteps;
    std::deque<Step> m_undo; // oldest first
    std::deque<Step> m_redo; // next to redo last
};

} // namespace kq70
