#pragma once

#include "app/AccessMode.h"
#include "doc/DocumentObserver.h"
#include "frame/MainMenuModel.h"

#include <string>

namespace kq70 {

class CKQ70Doc;

// What the main window renders again when the frame's state changes.
class FrameWindow {
public:
    virtual ~FrameWindow() = default;
    // The menu model's bar changed: show it again.
    virtual void menusChanged() = 0;
    // The caption, the modified mark or the information strip changed.
    virtual void titleChanged() = 0;
};

// The main window's state behind the widgets. It follows the document and the run's access
// mode: the menu bar becomes the one the mode and the radio in the document allow, and the
// window is told what to show again. Nothing is pushed to it by hand, so no command can
// forget to.
class CMainFrame : public DocumentObserver, public AccessModeListener {
public:
    CMainFrame(CKQ70Doc& doc, AccessMode& accessMode, FrameWindow& window);
    ~CMainFrame() override;
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    const MainMenuModel& menus() const { return m_menus; }
    // The caption's parts: the document's file name (or "<none>") and the mode's title.
    std::string documentName() const;
    std::string modeTitle() const;
    bool modified() const;

    void documentChanged(const DocumentChange& change) override;
    void accessModeChanged(int mode) override;

private:
    CKQ70Doc& m_doc;
    AccessMode& m_accessMode;
    FrameWindow& m_window;
    MainMenuModel m_menus;
};

} // namespace kq70
