#pragma once

#include "image/RadioImage.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

namespace kq70 {

// What a step puts back besides the image: the modified flag, and which of the radio's own
// values the user has edited (a download keeps the edited ones instead of the radio's, so
// taking an edit back must take its mark back too).
struct EditFlags {
    bool modified = false;
    bool word1Edited = false;
    bool hardwareEdited = false;

    bool operator==(const EditFlags&) const = default;
};

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
    // `before` and `flagsBefore` are what undoing it restores. Whatever could be redone is
    // forgotten; beyond the limit the oldest step goes.
    void record(std::string description, const RadioImage& before, EditFlags flagsBefore);
    // Records only when the step changed the image, as for a page left with OK; true when it
    // recorded.
    bool recordIfChanged(std::string description, const RadioImage& before, EditFlags flagsBefore,
                         const RadioImage& after);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The description of the step an undo or redo would take back or do again; empty when
    // there is none.
    const std::string& undoDescription() const;
    const std::string& redoDescription() const;
    std::size_t undoCount() const { return m_undo.size(); }

    // Takes back the last step: `image` and `flags` become what they were before it, and
    // their present state can be redone. False, with nothing changed, when there is nothing.
    bool undo(RadioImage& image, EditFlags& flags);
    bool redo(RadioImage& image, EditFlags& flags);

    // The document was written as `saved`: every kept state but one equal to it now counts as
    // modified, so undoing back past a save cannot claim a state the file does not hold.
    void markSaved(const RadioImage& saved);
    void clear();

private:
    struct Step {
        std::unique_ptr<RadioImage> image;
        EditFlags flags;
        std::string description;
    };

    static void swapIn(Step& step, RadioImage& image, EditFlags& flags);

    std::size_t m_maxSteps;
    std::deque<Step> m_undo; // oldest first
    std::deque<Step> m_redo; // next to redo last
};

} // namespace kq70
