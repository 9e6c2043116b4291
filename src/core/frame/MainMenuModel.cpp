#include "frame/MainMenuModel.h"

#include "app/AccessMode.h"
#include "doc/UndoHistory.h"
#include "frame/FleetWindowModel.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>

namespace kq70 {

namespace {

constexpr int SIGNALLING_POSITION = 4;
constexpr int CHANNEL_POSITION_AT_CREATION = 5; // in the bar without the Signalling menu
constexpr int CHANNEL_POSITION = 6;
constexpr int COMMON_POSITION = 3;
constexpr int CHANNEL_MENU_RADIO_CHANNEL = 4;
constexpr int ALLOCATION_MIN_CAPACITY = 17;

MenuEntry command(int id, std::string_view text) {
    return MenuEntry{id, text, {}};
}
MenuEntry separator() {
    return MenuEntry{};
}

Menu fileMenu() {
    return {text::MENU_FILE,
            {command(ID_FILE_NEW, text::MENU_FILE_NEW), command(ID_FILE_OPEN, text::MENU_FILE_OPEN),
             command(ID_FILE_SAVE, text::MENU_FILE_SAVE),
             command(ID_FILE_SAVE_AS, text::MENU_FILE_SAVE_AS), separator(),
             command(ID_FILE_PRINT, text::MENU_FILE_PRINT),
             command(ID_FILE_PRINT_PREVIEW, text::MENU_FILE_PRINT_PREVIEW),
             command(ID_FILE_PRINT_SETUP, text::MENU_FILE_PRINT_SETUP), separator(),
             command(ID_FILE_EXPORT_CSV, text::MENU_FILE_EXPORT_CSV),
             command(ID_FILE_IMPORT_CSV, text::MENU_FILE_IMPORT_CSV),
             command(ID_FILE_EXPORT_PDF, text::MENU_FILE_EXPORT_PDF),
             command(ID_FILE_COMPARE, text::MENU_FILE_COMPARE), separator(),
             command(ID_FILE_CONFIGURE, text::MENU_FILE_CONFIGURE), separator(),
             command(ID_FILE_MRU_FILE1, text::MENU_FILE_RECENT), separator(),
             command(ID_APP_EXIT, text::MENU_FILE_EXIT)}};
}

Menu viewMenu() {
    MenuEntry items{ID_SEPARATOR, text::MENU_VIEW_ITEM, {}};
    items.popup.push_back(command(ID_VIEW_ITEM_VISIBLE, text::MENU_VIEW_ITEM_VISIBLE));
    items.popup.push_back(separator());
    for (std::size_t i = 0; i < text::MENU_VIEW_ITEMS.size(); ++i) {
        items.popup.push_back(
            command(ID_VIEW_ITEM_FIRST + static_cast<int>(i), text::MENU_VIEW_ITEMS[i]));
    }
    return {text::MENU_VIEW,
            {command(ID_VIEW_TOOLBAR, text::MENU_VIEW_TOOLBAR),
             command(ID_VIEW_STATUS_BAR, text::MENU_VIEW_STATUS_BAR), items}};
}

Menu commonMenu() {
    return {text::MENU_COMMON,
            {command(ID_COMMON_HARDWARE, text::MENU_COMMON_HARDWARE),
             command(ID_COMMON_OPTION, text::MENU_COMMON_OPTION),
             command(ID_COMMON_SCANNING, text::MENU_COMMON_SCANNING),
             command(ID_COMMON_POWER_SAVING, text::MENU_COMMON_POWER_SAVING),
             command(ID_COMMON_FRONT_PANEL, text::MENU_COMMON_FRONT_PANEL),
             command(ID_COMMON_KEY_FUNCTION, text::MENU_COMMON_KEY_FUNCTION),
             command(ID_COMMON_EMERGENCY, text::MENU_COMMON_EMERGENCY),
             command(ID_COMMON_MARKETING, text::MENU_COMMON_MARKETING),
             command(ID_COMMON_MISCELLANEOUS, text::MENU_COMMON_MISCELLANEOUS),
             command(ID_COMMON_PASSWORD, text::MENU_COMMON_PASSWORD),
             command(ID_COMMON_DIRECT_CH, text::MENU_COMMON_DIRECT_CH)}};
}

Menu radioMenu() {
    return {text::MENU_RADIO,
            {command(ID_RADIO_UPLOAD, text::MENU_RADIO_UPLOAD),
             command(ID_RADIO_DOWNLOAD, text::MENU_RADIO_DOWNLOAD),
             command(ID_RADIO_COMPARE, text::MENU_RADIO_COMPARE),
             command(ID_RADIO_FLEET, text::MENU_RADIO_FLEET), separator(),
             command(ID_RADIO_ALIGNMENT, text::MENU_RADIO_ALIGNMENT),
             command(ID_RADIO_CH_FINE_ALIGNMENT, text::MENU_RADIO_CH_FINE_ALIGNMENT),
             command(ID_RADIO_ADJ_RECOVER, text::MENU_RADIO_ADJ_RECOVER),
             command(ID_RADIO_ADJ_DEFAULT, text::MENU_RADIO_ADJ_DEFAULT)}};
}

Menu channelMenu() {
    return {text::MENU_CHANNEL, {command(ID_CHANNEL_ALLOCATIONS, text::MENU_CHANNEL_ALLOCATIONS)}};
}

Menu helpMenu() {
    return {text::MENU_HELP,
            {command(ID_HELP_TOPICS, text::MENU_HELP_TOPICS),
             command(ID_HELP_GET_STARTED, text::MENU_HELP_GET_STARTED),
             command(ID_HELP_COMMON_PROBLEMS, text::MENU_HELP_COMMON_PROBLEMS), separator(),
             command(ID_APP_ABOUT, text::MENU_HELP_ABOUT)}};
}

bool removeFrom(std::vector<MenuEntry>& entries, int commandId) {
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->commandId == commandId && it->popup.empty()) {
            entries.erase(it);
            return true;
        }
        if (removeFrom(it->popup, commandId)) {
            return true;
        }
    }
    return false;
}

const MenuEntry* findEntry(const std::vector<MenuEntry>& entries, int commandId) {
    for (const MenuEntry& entry : entries) {
        if (entry.commandId == commandId && entry.popup.empty()) {
            return &entry;
        }
        if (const MenuEntry* inner = findEntry(entry.popup, commandId)) {
            return inner;
        }
    }
    return nullptr;
}

// A description is shown as it is: an ampersand in it marks no mnemonic, and a tab in it
// would split off a false accelerator.
std::string menuSafe(const std::string& description) {
    std::string safe;
    for (const char c : description) {
        if (c == '&') {
            safe += "&&";
        } else {
            safe += c == '\t' ? ' ' : c;
        }
    }
    return safe;
}

bool containsCommand(const std::vector<MenuEntry>& entries, int commandId) {
    return std::any_of(entries.begin(), entries.end(), [commandId](const MenuEntry& entry) {
        return (entry.commandId == commandId && entry.popup.empty()) ||
               containsCommand(entry.popup, commandId);
    });
}

// Separators that no longer separate anything: at either end, or two in a row.
void tidySeparators(std::vector<MenuEntry>& entries) {
    std::vector<MenuEntry> kept;
    for (MenuEntry& entry : entries) {
        const bool isSeparator = entry.commandId == ID_SEPARATOR && entry.popup.empty();
        if (isSeparator && (kept.empty() ||
                            (kept.back().commandId == ID_SEPARATOR && kept.back().popup.empty()))) {
            continue;
        }
        kept.push_back(std::move(entry));
    }
    while (!kept.empty() && kept.back().commandId == ID_SEPARATOR && kept.back().popup.empty()) {
        kept.pop_back();
    }
    entries = std::move(kept);
}

} // namespace

MainMenuModel::MainMenuModel(int accessMode)
    : m_menus{fileMenu(),
              {text::MENU_EDIT,
               {command(ID_EDIT_UNDO, text::MENU_EDIT_UNDO),
                command(ID_EDIT_REDO, text::MENU_EDIT_REDO), separator(),
                command(ID_EDIT_COPY, text::MENU_EDIT_COPY),
                command(ID_EDIT_PASTE, text::MENU_EDIT_PASTE)}},
              viewMenu(),
              commonMenu(),
              {text::MENU_SIGNALLING,
               {command(ID_SIGNALLING_TYPE, text::MENU_SIGNALLING_TYPE),
                command(ID_SIGNALLING_5TONE_ENCODE, text::MENU_SIGNALLING_5TONE_ENCODE)}},
              radioMenu(),
              channelMenu(),
              helpMenu()} {
    if (accessMode != ACCESS_MANUFACTURE) {
        RemoveCommand(ID_COMMON_HARDWARE);
        RemoveCommand(ID_COMMON_MARKETING);
        // Recovery rewrites the radio's adjustment data: a factory task.
        RemoveCommand(ID_RADIO_ADJ_RECOVER);
    }
    // Alignment drives the radio's RF circuits; it is offered only once the adjustment mode
    // has been unlocked.
    if (accessMode != ACCESS_ADJUSTMENT) {
        RemoveCommand(ID_RADIO_ALIGNMENT);
    }
    for (int id : {ID_COMMON_OPTION, ID_COMMON_FRONT_PANEL, ID_COMMON_EMERGENCY, ID_COMMON_PASSWORD,
                   ID_COMMON_DIRECT_CH, ID_RADIO_CH_FINE_ALIGNMENT, ID_RADIO_ADJ_DEFAULT}) {
        RemoveCommand(id);
    }
    m_menus.erase(m_menus.begin() + SIGNALLING_POSITION);
    m_menus.erase(m_menus.begin() + CHANNEL_POSITION_AT_CREATION);
    for (int item : {1, 2, 3, 7, 12, 15, 16}) { // Pri, W/N, TAG, Power, ANI, Page/Signal, Clock
        RemoveCommand(ID_VIEW_ITEM_FIRST + item - 1);
    }
    for (Menu& each : m_menus) {
        tidySeparators(each.entries);
        for (MenuEntry& entry : each.entries) {
            tidySeparators(entry.popup);
        }
    }
}

void MainMenuModel::UpdateRadioMenus(const RadioImage& image) {
    HHardwareParams hardware;
    hardware.extract(image);
    UpdateRadioMenus(hardware.get(HW_RADIO_CHANNEL));
}

void MainMenuModel::SetAccessMode(int accessMode, const RadioImage& image) {
    const UndoHistory* history = m_undoHistory;
    *this = MainMenuModel(accessMode);
    m_undoHistory = history;
    UpdateRadioMenus(image);
}

void MainMenuModel::UpdateRadioMenus(int radioChannelValue) {
    m_capacity = channelCapacityForRadioChannel(radioChannelValue);
    if (radioChannelValue < RADIO_CHANNEL_256) {
        RemoveCommand(ID_COMMON_DIRECT_CH);
    } else if (!Has(ID_COMMON_DIRECT_CH)) {
        m_menus[COMMON_POSITION].entries.push_back(
            command(ID_COMMON_DIRECT_CH, text::MENU_COMMON_DIRECT_CH));
    }
    const bool channelMenuShown = Has(ID_CHANNEL_ALLOCATIONS);
    if (radioChannelValue < CHANNEL_MENU_RADIO_CHANNEL) {
        if (channelMenuShown && static_cast<int>(m_menus.size()) > CHANNEL_POSITION) {
            m_menus.erase(m_menus.begin() + CHANNEL_POSITION);
        }
    } else if (!channelMenuShown) {
        const auto at = std::min<std::size_t>(CHANNEL_POSITION, m_menus.size());
        m_menus.insert(m_menus.begin() + static_cast<std::ptrdiff_t>(at), channelMenu());
    }
}

bool MainMenuModel::Has(int commandId) const {
    return std::any_of(m_menus.begin(), m_menus.end(), [commandId](const Menu& each) {
        return containsCommand(each.entries, commandId);
    });
}

bool MainMenuModel::IsEnabled(int commandId) const {
    if (!Has(CanonicalCommand(commandId))) {
        return commandId == ID_HELP || commandId == ID_RAW_EDITOR;
    }
    if (commandId == ID_CHANNEL_ALLOCATIONS) {
        return m_capacity >= ALLOCATION_MIN_CAPACITY;
    }
    if (commandId == ID_EDIT_UNDO) {
        return m_undoHistory != nullptr && m_undoHistory->canUndo();
    }
    if (commandId == ID_EDIT_REDO) {
        return m_undoHistory != nullptr && m_undoHistory->canRedo();
    }
    return true;
}

std::string MainMenuModel::CommandText(int commandId) const {
    const MenuEntry* found = nullptr;
    for (const Menu& each : m_menus) {
        if ((found = findEntry(each.entries, commandId)) != nullptr) {
            break;
        }
    }
    if (found == nullptr) {
        return {};
    }
    if (m_undoHistory != nullptr && IsEnabled(commandId) &&
        (commandId == ID_EDIT_UNDO || commandId == ID_EDIT_REDO)) {
        const bool undo = commandId == ID_EDIT_UNDO;
        return strprintf(
            (undo ? text::MENU_EDIT_UNDO_FORMAT : text::MENU_EDIT_REDO_FORMAT).data(),
            menuSafe(undo ? m_undoHistory->undoDescription() : m_undoHistory->redoDescription())
                .c_str());
    }
    return std::string(found->text);
}

int MainMenuModel::Position(std::string_view title) const {
    for (std::size_t i = 0; i < m_menus.size(); ++i) {
        if (m_menus[i].title == title) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MainMenuModel::CanonicalCommand(int commandId) {
    switch (commandId) {
    case ID_TOOLBAR_UPLOAD:
        return ID_RADIO_UPLOAD;
    case ID_TOOLBAR_DOWNLOAD:
        return ID_RADIO_DOWNLOAD;
    default:
        return commandId;
    }
}

std::vector<std::string_view> MainMenuModel::ExtraAccelerators(int commandId) {
    switch (commandId) {
    case ID_EDIT_COPY:
        return {"Ctrl+Insert"};
    case ID_EDIT_PASTE:
        return {"Shift+Insert"};
    case ID_EDIT_UNDO:
        return {"Alt+Backspace"};
    case ID_EDIT_REDO:
        return {"Ctrl+Shift+Z"};
    default:
        return {};
    }
}

const std::vector<int>& MainMenuModel::ToolbarCommands() {
    static const std::vector<int> buttons{
        ID_FILE_NEW,       ID_FILE_OPEN,        ID_SEPARATOR, ID_FILE_SAVE,  ID_SEPARATOR,
        ID_EDIT_COPY,      ID_EDIT_PASTE,       ID_SEPARATOR, ID_FILE_PRINT, ID_SEPARATOR,
        ID_TOOLBAR_UPLOAD, ID_TOOLBAR_DOWNLOAD, ID_HELP};
    return buttons;
}

bool MainMenuModel::RemoveCommand(int commandId) {
    for (Menu& each : m_menus) {
        if (removeFrom(each.entries, commandId)) {
            return true;
        }
    }
    return false;
}

} // namespace kq70
