#pragma once

#include <string>

namespace kq70 {

// Who hears what the document's commands do: the channel view commits its edits before the
// image is read (save data) and rebuilds itself afterwards (update data); the frame shows the
// title and rebuilds the radio menus. Every notification may be ignored.
class DocumentListener {
public:
    static constexpr int WM_VIEW_UPDATEDATA = 2024;
    static constexpr int WM_VIEW_SAVEDATA = 2025;

    virtual ~DocumentListener() = default;
    virtual void viewSaveData() {}
    virtual void viewUpdateData() {}
    virtual void titleChanged(const std::string& /*title*/) {}
    virtual void radioMenusChanged() {}
};

} // namespace kq70
