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
inline constexpr std::string_view MENU_FILE_EXPORT_PDF = "Export Listing as PDF..."; // 32865
inline constexpr std::string_view PDF_FILE_FILTER = "PDF Files(*.pdf)|*.pdf||";
inline constexpr std::string_view PRINT_SETUP_TITLE = "Print Setup";
inline constexpr std::string_view PRINT_SETUP_PRINTER = "&Printer:";
inline constexpr std::string_view PRINT_SETUP_PAPER = "P&aper:";
inline constexpr std::string_view PRINT_SETUP_NO_PRINTER = "(no printer installed)";
inline constexpr std::string_view PRINT_FAILED =
    "The listing could not be printed. Check the printer and try again.";

// Edit > Undo and Redo; the step's description goes after the command's name.
inline constexpr std::string_view MENU_EDIT_UNDO = "&Undo\tCtrl+Z"; // 57643
inline constexpr std::string_view MENU_EDIT_REDO = "&Redo\tCtrl+Y"; // 57644
inline constexpr std::string_view MENU_EDIT_UNDO_FORMAT = "&Undo %s\tCtrl+Z";
inline constexpr std::string_view MENU_EDIT_REDO_FORMAT = "&Redo %s\tCtrl+Y";
// What one editing step is called in the Undo and Redo entries.
inline constexpr std::string_view STEP_CELL_FORMAT = "%s on CH%d %s"; // key, channel, column
inline constexpr std::string_view STEP_KEY_SPACE = "Space";
inline constexpr std::string_view STEP_KEY_ENTER = "Enter";
inline constexpr std::string_view STEP_DOUBLE_CLICK = "Double-click";
inline constexpr std::string_view STEP_KEY_F3 = "F3";
inline constexpr std::string_view STEP_EDIT_FORMAT = "Edit CH%d %s";
inline constexpr std::string_view STEP_PASTE_ONE = "Paste into 1 channel";
inline constexpr std::string_view STEP_PASTE_FORMAT = "Paste into %d channels";
inline constexpr std::string_view STEP_PAGE_FORMAT = "%s page";
inline constexpr std::string_view STEP_CHANNEL_ALLOCATION = "Channel allocation";
inline constexpr std::string_view STEP_RAW_EDITOR = "File Data";

// Comparing the document with another data file or with the radio.
inline constexpr std::string_view MENU_FILE_COMPARE = "Compare &With...";     // 32866
inline constexpr std::string_view MENU_RADIO_COMPARE = "Co&mpare With Radio"; // 32858
inline constexpr std::string_view COMPARE_WINDOW_TITLE = "Compare";
inline constexpr std::string_view COMPARE_THIS_DOCUMENT = "This document";
inline constexpr std::string_view COMPARE_RADIO = "Radio";
inline constexpr std::string_view COMPARE_CAPTION_HEADER = "Item";
inline constexpr std::string_view COMPARE_EQUAL = "Both hold the same data.";
inline constexpr std::string_view COMPARE_ONE_VALUE = "1 value differs.";
inline constexpr std::string_view COMPARE_VALUES_FORMAT = "%d values differ.";
inline constexpr std::string_view COMPARE_ONE_BYTE = "1 byte differs that no editor shows.";
inline constexpr std::string_view COMPARE_BYTES_FORMAT = "%d bytes differ that no editor shows.";
// Compare With Radio: what was compared.
inline constexpr std::string_view COMPARE_RADIO_AREAS =
    "Only what the radio holds is compared (what an Upload reads); everything else is taken "
    "from this document.";

// File > Configure: the read-back after a download ("VERIFY").
inline constexpr std::string_view CONFIGURE_VERIFY = "&Verify the radio after Download";
// File > Configure: the configured port, kept in the list while the system does not have it.
inline constexpr std::string_view PORT_NOT_FOUND = "(not found)";

// The OK button of pages and dialogs, with the letter Alt presses (the help names Alt+O).
// Cancel has Escape and Help has F1, and their letters would take those of the dialogs' own
// fields.
inline constexpr std::string_view BUTTON_OK = "&OK";

} // namespace kq70::text
