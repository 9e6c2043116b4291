#pragma once

#include "frame/CMainFrame.h"

namespace kq70::test {

// A main window that counts how often the frame asks it to rebuild its menus and its title.
struct CountingWindow : FrameWindow {
    int menus = 0;
    int titles = 0;
    void menusChanged() override { ++menus; }
    void titleChanged() override { ++titles; }
};

} // namespace kq70::test
