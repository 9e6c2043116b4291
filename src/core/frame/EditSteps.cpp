#include "frame/EditSteps.h"

#include "channel/ChannelCellTexts.h"
#include "channel/ChannelColumns.h"
#include "doc/CKQ70Doc.h"
#include "frame/DocumentListener.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

std::string columnName(int column) {
    const ChannelColumnInfo* info = channelColumnInfo(column);
    return info != nullptr ? std::string(info->name) : std::string();
}

} // namespace

EditSteps::EditSteps(CKQ70Doc& doc, DocumentListener& view) : m_doc(doc), m_view(view) {}

EditSteps::~EditSteps() = default;

bool EditSteps::Run(const std::string& description, const std::function<bool()>& step) {
    Begin();
    const bool result = step();
    End(description);
    return result;
}

void EditSteps::Begin() {
    m_view.viewSaveData();
    m_before = std::make_unique<RadioImage>(m_doc.GetMainMemory());
    m_flagsBefore = m_doc.GetEditFlags();
}

bool EditSteps::End(const std::string& description) {
    if (!m_before) {
        return false;
    }
    const std::unique_ptr<RadioImage> before = std::move(m_before);
    m_view.viewSaveData();
    return m_doc.GetUndoHistory().recordIfChanged(description, *before, m_flagsBefore,
                                                  m_doc.GetMainMemory());
}

bool EditSteps::OnEditUndo() {
    return Apply(true);
}

bool EditSteps::OnEditRedo() {
    return Apply(false);
}

bool EditSteps::Apply(bool undo) {
    // An edit still open when the command came belongs to the state being left.
    m_before.reset();
    // Whatever the view holds reaches the image first, so the state left can be redone
    // exactly as it was.
    m_view.viewSaveData();
    // The document announces the step taken back; the view, the menus and the title follow.
    return undo ? m_doc.Undo() : m_doc.Redo();
}

std::string EditSteps::CellStep(std::string_view action, int channel, int column) {
    return strprintf(text::STEP_CELL_FORMAT.data(), std::string(action).c_str(), channel + 1,
                     columnName(column).c_str());
}

std::string EditSteps::EditStep(int channel, int column) {
    return strprintf(text::STEP_EDIT_FORMAT.data(), channel + 1, columnName(column).c_str());
}

std::string EditSteps::PasteStep(int channels) {
    return channels == 1 ? std::string(text::STEP_PASTE_ONE)
                         : strprintf(text::STEP_PASTE_FORMAT.data(), channels);
}

std::string EditSteps::PageStep(std::string_view pageTitle) {
    return strprintf(text::STEP_PAGE_FORMAT.data(), std::string(pageTitle).c_str());
}

} // namespace kq70
