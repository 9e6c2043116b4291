#include "frame/CMainFrame.h"

#include "doc/CKQ70Doc.h"
#include "frame/FrameLifecycle.h"

namespace kq70 {

CMainFrame::CMainFrame(CKQ70Doc& doc, AccessMode& accessMode, FrameWindow& window)
    : m_doc(doc), m_accessMode(accessMode), m_window(window), m_menus(accessMode.value()) {
    m_menus.SetUndoHistory(&m_doc.GetUndoHistory());
    m_menus.UpdateRadioMenus(m_doc.GetMainMemory());
    m_doc.AddObserver(*this);
    m_accessMode.addListener(*this);
}

CMainFrame::~CMainFrame() {
    m_accessMode.removeListener(*this);
    m_doc.RemoveObserver(*this);
}

std::string CMainFrame::documentName() const {
    return FrameLifecycle::DocumentName(m_doc);
}

std::string CMainFrame::modeTitle() const {
    return FrameLifecycle::ModeTitle(m_accessMode.value());
}

bool CMainFrame::modified() const {
    return m_doc.GetDataModified();
}

void CMainFrame::documentChanged(const DocumentChange& change) {
    if (change.has(DocumentChange::IDENTITY)) {
        m_menus.UpdateRadioMenus(m_doc.GetMainMemory());
        m_window.menusChanged();
    }
    if (change.has(DocumentChange::IMAGE | DocumentChange::PATH | DocumentChange::MODIFIED)) {
        m_window.titleChanged();
    }
}

void CMainFrame::accessModeChanged(int mode) {
    m_menus.SetAccessMode(mode, m_doc.GetMainMemory());
    m_window.menusChanged();
    m_window.titleChanged();
}

} // namespace kq70
