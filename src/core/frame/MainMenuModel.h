#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class RadioImage;
class UndoHistory;

// Command ids of the main window.
enum MainCommand : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_EXIT = 57665,
    ID_FILE_EXPORT_CSV = 32864,
    ID_FILE_CONFIGURE = 32891,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_ITEM_VISIBLE = 32857,
    ID_VIEW_ITEM_FIRST = 32821, // ITEM1; ITEM17 is 32837
    ID_VIEW_ITEM_LAST = 32837,
    ID_COMMON_HARDWARE = 32772,
    ID_COMMON_OPTION = 32773,
    ID_COMMON_SCANNING = 32774,
    ID_COMMON_POWER_SAVING = 32775,
    ID_COMMON_FRONT_PANEL = 32776,
    ID_COMMON_KEY_FUNCTION = 32777,
    ID_COMMON_EMERGENCY = 32778,
    ID_COMMON_MARKETING = 32779,
    ID_COMMON_MISCELLANEOUS = 32780,
    ID_COMMON_PASSWORD = 32781,
    ID_COMMON_DIRECT_CH = 32782,
    ID_SIGNALLING_TYPE = 32791,
    ID_SIGNALLING_5TONE_ENCODE = 32809,
    ID_RADIO_UPLOAD = 32851,
    ID_RADIO_DOWNLOAD = 32852,
    ID_RADIO_ALIGNMENT = 32853,
    ID_RADIO_CH_FINE_ALIGNMENT = 32854,
    ID_RADIO_ADJ_RECOVER = 32855,
    ID_RADIO_ADJ_DEFAULT = 32856,
    ID_CHANNEL_ALLOCATIONS = 32862,
    ID_TOOLBAR_UPLOAD = 32871,
    ID_TOOLBAR_DOWNLOAD = 32872,
    ID_HELP_TOPICS = 57667,
    ID_HELP_GET_STARTED = 32881,
    ID_HELP_COMMON_PROBLEMS = 32882,
    ID_APP_ABOUT = 32883,
    ID_HELP = 57664,
    // The service dump of the image; Shift+F9 while the channel grid is not there to take it.
    ID_RAW_EDITOR = 32900,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_FILE_COMPARE = 32866,
    ID_RADIO_COMPARE = 32858,
    ID_FILE_EXPORT_PDF = 32865,
    ID_FILE_IMPORT_CSV = 32867,
};

constexpr int ID_SEPARATOR = 0;

// One entry of a menu: a command, a separator (id 0), or a pop-up with entries of its own.
struct MenuEntry {
    int commandId = ID_SEPARATOR;
    std::string_view text; // "&Save\tCtrl+S": the accelerator follows a tab
    std::vector<MenuEntry> popup;
};

// One menu of the menu bar.
struct Menu {
    std::string_view title;
    std::vector<MenuEntry> entries;
};

// The main window's menu bar as the access mode and the radio in the document allow it: which
// commands exist, where, and which are enabled. The window renders it and asks it again after
// every change; it never decides on its own.
class MainMenuModel {
public:
    // The bar as the window is created: the commands this access mode does not offer are gone,
    // and so are the Signalling and Channel menus.
    explicit MainMenuModel(int accessMode);

    // After a file is opened, a transfer, or a Hardware change of the Radio Channel value:
    // Direct CH from Radio Channel 6 on, the Channel menu from 4 on (at bar position 6).
    void UpdateRadioMenus(const RadioImage& image);
    void UpdateRadioMenus(int radioChannelValue);
    // Shift+F10 switched the run to another access mode: the bar becomes that mode's, for the
    // radio in the document; the Edit menu keeps following the same history.
    void SetAccessMode(int accessMode, const RadioImage& image);

    const std::vector<Menu>& GetMenus() const { return m_menus; }
    bool Has(int commandId) const;
    bool IsEnabled(int commandId) const;
    // Edit > Undo and Redo follow this history: enabled when it has a step, named after it.
    void SetUndoHistory(const UndoHistory* history) { m_undoHistory = history; }
    // The text a command's entry shows now ("&Undo Hardware page\tCtrl+Z"); empty when the
    // bar has no such command.
    std::string CommandText(int commandId) const;
    // The bar position of a menu by its title; -1 when the bar has no such menu.
    int Position(std::string_view title) const;

    // Commands that run another command's code (the toolbar's Upload and Download).
    static int CanonicalCommand(int commandId);
    // Keys that run a command besides the one its menu text shows ("Ctrl+Insert" for Copy).
    static std::vector<std::string_view> ExtraAccelerators(int commandId);
    // The toolbar's buttons in order; ID_SEPARATOR between groups.
    static const std::vector<int>& ToolbarCommands();

private:
    bool RemoveCommand(int commandId);

    std::vector<Menu> m_menus;
    int m_capacity = 0;
    const UndoHistory* m_undoHistory = nullptr;
};

} // namespace kq70
