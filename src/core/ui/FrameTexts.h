#pragma once

#include <string_view>

namespace kq70::text {

// Texts of the desktop program's main window that carry no string id: the menu bar titles,
// the Common menu entries, and the desktop's own messages.

inline constexpr std::string_view MENU_FILE = "&File";
inline constexpr std::string_view MENU_EDIT = "&Edit";
inline constexpr std::string_view MENU_VIEW = "&View";
inline constexpr std::string_view MENU_VIEW_ITEM = "&Item";
inline constexpr std::string_view MENU_COMMON = "&Common";
inline constexpr std::string_view MENU_RADIO = "&Radio";
inline constexpr std::string_view MENU_HELP = "&Help";
inline constexpr std::string_view MENU_COMMON_SCANNING = "&Scanning";           // 32774
inline constexpr std::string_view MENU_COMMON_POWER_SAVING = "&Power Saving";   // 32775
inline constexpr std::string_view MENU_COMMON_KEY_FUNCTION = "&Key Function";   // 32777
inline constexpr std::string_view MENU_COMMON_MISCELLANEOUS = "Misce&llaneous"; // 32780
inline constexpr std::string_view MENU_HELP_CONTENTS = "Help";                  // toolbar 57664
inline constexpr std::string_view KEY_FUNCTION_TITLE = "Key Function";
inline constexpr std::string_view MENU_RAW_EDITOR = "File &Data...\tShift+F9";

inline constexpr std::string_view NOT_AVAILABLE_YET =
    "This command is not available in this version of KQ70 yet.";
inline constexpr std::string_view CLOSE_WHILE_PRINTING =
    "KQ70 is printing. Close the program when the print job has finished.";
inline constexpr std::string_view NO_FILE_TITLE = "<none>";
inline constexpr std::string_view SIMULATED_RADIO = "Simulated radio";
// %1 = the device, %2 = the group that owns it.
inline constexpr std::string_view PORT_PERMISSION_HINT =
    "You may not use %1: add your user to the group \"%2\" (sudo usermod -aG %2 $USER), "
    "then log out and in again.";
inline constexpr std::string_view STATUS_READY = "Ready";
inline constexpr std::string_view OPEN_FILE_FAILED_FORMAT = "The file %s could not be opened.";

} // namespace kq70::text
