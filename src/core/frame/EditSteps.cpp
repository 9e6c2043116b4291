#include "frame/EditSteps.h"

#include "channel/ChannelCellTexts.h"
#include "doc/CKQ70Doc.h"
#include "frame/DocumentListener.h"
#include "ui/FrameTexts.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

std::string columnName(int column) {
    if (column < 0 || column >= CHANNEL_COLUMN_COUNT) {
        return {};
    }
    return std::string(text::COMPARE_CHANNEL_COLUMNS[static_cast<std::size_t>(column)]);
}

} // namespace

EditSteps::EditSteps(CKQ70Doc& doc, DocumentListener& view) : m_doc(doc), m_view(view) {}

EditSteps::~EditSteps() = default;

bool EditSteps::run(const std::string& description, const std::function<bool()>& step) {
    begin();
    const bool result = step();
    end(description);
    return result;
}

void EditSteps::begin() {
    m_view.viewSaveData();
    m_before = std::make_unique<RadioImage>(m_doc.GetMainMemory());
    m_flagsBefore = m_doc.editFlags();
}

bool EditSteps::end(const std::string& description) {
    if (!m_before) {
        return false;
    }
    const std::unique_ptr<RadioImage> before = std::move(m_before);
    m_view.viewSaveData();
    return m_doc.undoHistory().recordIfChanged(description, *before, m_flagsBefore,
                                               m_doc.GetMainMemory());
}

bool EditSteps::OnEditUndo() {
    return apply(true);
}

bool EditSteps::OnEditRedo() {
    return apply(false);
}

bool EditSteps::apply(bool undo) {
    // An edit still open when the command came belongs to the state being left.
    m_before.reset();
    // Whatever the view holds reaches the image first, so the state left can be redone
    // exactly as it was.
    m_view.viewSaveData();
    // The document announces the step taken back; the view, the menus and the title follow.
    return undo ? m_doc.Undo() : m_doc.Redo();
}

std::string EditSteps::cellStep(std::string_view action, int channel, int column) {
    return strprintf(text::STEP_CELL_FORMAT.data(), std::string(action).c_str(), channel + 1,
                     columnName(column).c_str());
}

std::string EditSteps::editStep(int channel, int column) {
    return strprintf(text::STEP_EDIT_FORMAT.data(), channel + 1, columnName(column).c_str());
}

std::string EditSteps::pasteStep(int channels) {
    return channels == 1 ? std::string(text::STEP_PASTE_ONE)
                         : strprintf(text::STEP_PASTE_FORMAT.data(), channels);
}

std::string EditSteps::pageStep(std::string_view pageTitle) {
    return strprintf(text::STEP_PAGE_FORMAT.data(), std::string(pageTitle).c_str());
}

} // namespace kq70
