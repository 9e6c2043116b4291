#include "doc/UndoHistory.h"

#include <algorithm>
#include <utility>

namespace kq70 {

namespace {

const std::string NO_DESCRIPTION;

} // namespace

UndoHistory::UndoHistory(std::size_t maxSteps) : m_maxSteps(std::max<std::size_t>(maxSteps, 1)) {}

void UndoHistory::record(std::string description, const RadioImage& before, EditFlags flagsBefore) {
    m_redo.clear();
    m_undo.push_back(
        Step{std::make_unique<RadioImage>(before), flagsBefore, std::move(description)});
    while (m_undo.size() > m_maxSteps) {
        m_undo.pop_front();
    }
}

bool UndoHistory::recordIfChanged(std::string description, const RadioImage& before,
                                  EditFlags flagsBefore, const RadioImage& after) {
    if (before == after) {
        return false;
    }
    record(std::move(description), before, flagsBefore);
    return true;
}

const std::string& UndoHistory::undoDescription() const {
    return m_undo.empty() ? NO_DESCRIPTION : m_undo.back().description;
}

const std::string& UndoHistory::redoDescription() const {
    return m_redo.empty() ? NO_DESCRIPTION : m_redo.back().description;
}

// The step's snapshot and the document's present state change places, so the same step
// object moves to the other list and can be applied again the other way.
void UndoHistory::swapIn(Step& step, RadioImage& image, EditFlags& flags) {
    std::swap(*step.image, image);
    std::swap(step.flags, flags);
}

bool UndoHistory::undo(RadioImage& image, EditFlags& flags) {
    if (m_undo.empty()) {
        return false;
    }
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    swapIn(step, image, flags);
    m_redo.push_back(std::move(step));
    return true;
}

bool UndoHistory::redo(RadioImage& image, EditFlags& flags) {
    if (m_redo.empty()) {
        return false;
    }
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    swapIn(step, image, flags);
    m_undo.push_back(std::move(step));
    return true;
}

void UndoHistory::markSaved(const RadioImage& saved) {
    for (auto* steps : {&m_undo, &m_redo}) {
        for (Step& step : *steps) {
            step.flags.modified = !(*step.image == saved);
        }
    }
}

void UndoHistory::clear() {
    m_undo.clear();
    m_redo.clear();
}

} // namespace kq70
