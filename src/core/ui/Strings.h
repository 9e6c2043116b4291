#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

namespace kq70 {

// Every user-visible text of the program, core and front ends alike, lives in this one
// table.  Texts with a string id are looked up by id (Strings::get); every other text is a
// named constant in namespace kq70::text, in the section of the window or feature that
// shows it.  A widget writes no visible text of its own.
//
// Every text is kept exactly as the radio dealers know it: double blanks, trailing blanks,
// "\r\n" line breaks and odd spelling included.  "%1" (and "%2") are placeholders that the
// caller replaces; other '%' sequences are printf formats for strprintf.
class Strings {
public:
    // The text of string id `id`; an empty view when the table has no such id.
    static std::string_view get(int id);
    static bool has(int id);
};

// --- Ids of the string table ------------------------------------------------------------

// Data files
inline constexpr int IDS_PROBLEM_OPENING_FILE = 32; // %1 = path
inline constexpr int IDS_PROBLEM_WRITING_FILE = 33;
inline constexpr int IDS_PROBLEM_READING_FILE = 34;             // %1 = path
inline constexpr int IDS_PROBLEM_OPENING_FILE_FOR_WRITING = 35; // %1 = path
inline constexpr int IDS_WRITE_DEFAULT_FILE = 36; // Yes/No before overwriting a template
inline constexpr int IDS_FILE_FORMAT_INVALID = 37;
inline constexpr int IDS_FILE_READ_ONLY = 49; // %1 = path
inline constexpr int IDS_SAVE_CHANGES = 146;  // Yes/No/Cancel

// Download checks
inline constexpr int IDS_FREQUENCY_BAND_MISMATCHED = 85;
inline constexpr int IDS_CHANNEL_STEP_MISMATCHED = 88;
inline constexpr int IDS_ADJ_DATA_CHECKSUM_ERROR = 96;
inline constexpr int IDS_PASSWORD_MISMATCHED = 123;

// Version, window titles by access mode, manufacture-mode warning
inline constexpr int IDS_VERSION_NUMBER = 120;
inline constexpr int IDS_VERSION_FORMAT = 1022; // %1 = IDS_VERSION_NUMBER
inline constexpr int IDS_TITLE_NORMAL = 128;
inline constexpr int IDS_TITLE_MANUFACTURE = 130;
inline constexpr int IDS_TITLE_ADJUSTMENT = 156;
inline constexpr int IDS_TITLE_E_MODE = 157;
inline constexpr int IDS_MANUFACTURE_MODE_WARNING = 142;

// Alignment
inline constexpr int IDS_ALIGNMENT_ERROR = 115;
inline constexpr int IDS_INITIAL_PROCESSING_FAILED = 125;
inline constexpr int IDS_CHANGE_PROCESSING_FAILED = 126;
inline constexpr int IDS_TUNE_ALIGNMENT_FAILED = 127;
inline constexpr int IDS_CHANGE_CHANNEL_ERROR = 129;
inline constexpr int IDS_ALIGNMENT_FILE_NOT_FOUND = 132; // %1 = file name
inline constexpr int IDS_ALIGNMENT_PREPARATION_FAILED = 145;

// Adjustment recovery
inline constexpr int IDS_HARDWARE_DATA_MISMATCHED = 119;
inline constexpr int IDS_ADJ_DATA_DEFECTED = 133;
inline constexpr int IDS_LOT_NUMBER_NG = 134;
inline constexpr int IDS_LOT_NUMBER_NG_CONTINUE = 135; // Yes/No
inline constexpr int IDS_STOP_ADJ_RECOVERY = 136;
inline constexpr int IDS_RECOVER_TO_SHIPPING_DEFAULT = 137; // Yes/No
inline constexpr int IDS_RECOVER_FROM_ADJ_DATA = 138;       // Yes/No
inline constexpr int IDS_LOAD_SAVED_DATA_FILE = 139;        // Yes/No

// Prompt lines ("first pane\nsecond pane"), looked up by the id of the focused control.
inline constexpr int IDS_PROMPT_KEY_FUNCTION_FIRST = 2220; // key slot 0 (SIDE1 press)
inline constexpr int IDS_PROMPT_KEY_FUNCTION_LAST = 2231;  // key slot 11 ([D] press and hold)
inline constexpr int IDS_PROMPT_GROUP_COUNT_FIRST = 2601;  // channel count of group 1
inline constexpr int IDS_PROMPT_GROUP_COUNT_LAST = 2616;   // ... of group 16
inline constexpr int IDS_PROMPT_GROUP_TAG_FIRST = 2617;    // alpha tag of group 1
inline constexpr int IDS_PROMPT_GROUP_TAG_LAST = 2632;
inline constexpr int IDS_PROMPT_GROUP_SCAN_FIRST = 2651; // group scan flag of group 1
inline constexpr int IDS_PROMPT_GROUP_SCAN_LAST = 2666;

namespace text {

// --- Main window --------------------------------------------------------------------------
// Caption of the main window's own questions.
inline constexpr std::string_view KQ70WIN_CAPTION = "KQ70Win";
inline constexpr std::string_view START_DOWNLOADING = "Do you start downloading?";
inline constexpr std::string_view OUT_OF_RANGE_CONTINUE =
    "Out of Frequency range!\r\nDo you continue downloading?";
// Filter of the data-file dialogs.
inline constexpr std::string_view DATA_FILE_FILTER = "KQ70 Files(*.K70)|*.K70||";
inline constexpr std::string_view PASSWORD_DIALOG_TITLE = "Password";
inline constexpr std::string_view ABOUT_DIALOG_TITLE = "Version Information of KQ70";
// %1 = the program's version.
inline constexpr std::string_view ABOUT_BUILD = "Build %1";
inline constexpr std::string_view TOOLBAR_TITLE = "Toolbar";
inline constexpr std::string_view NOT_AVAILABLE_YET =
    "This command is not available in this version of KQ70 yet.";
inline constexpr std::string_view CLOSE_WHILE_PRINTING =
    "KQ70 is printing. Close the program when the print job has finished.";
inline constexpr std::string_view NO_FILE_TITLE = "<none>";
inline constexpr std::string_view STATUS_READY = "Ready";

// --- Menus (command ids in the comments) ---------------------------------------------------
inline constexpr std::string_view MENU_FILE_NEW = "&New\tCtrl+N";             // 57600
inline constexpr std::string_view MENU_FILE_OPEN = "&Open...\tCtrl+O";        // 57601
inline constexpr std::string_view MENU_FILE_SAVE = "&Save\tCtrl+S";           // 57603
inline constexpr std::string_view MENU_FILE_SAVE_AS = "Save &As...";          // 57604
inline constexpr std::string_view MENU_FILE_PRINT = "&Print...\tCtrl+P";      // 57607
inline constexpr std::string_view MENU_FILE_PRINT_PREVIEW = "Print Pre&view"; // 57609
inline constexpr std::string_view MENU_FILE_PRINT_SETUP = "P&rint Setup...";  // 57606
inline constexpr std::string_view MENU_FILE_EXPORT_CSV = "Export to CSV";     // 32864
inline constexpr std::string_view MENU_FILE_CONFIGURE = "&Configure";         // 32891
inline constexpr std::string_view MENU_FILE_RECENT = "Recent File";           // 57616
inline constexpr std::string_view MENU_FILE_EXIT = "E&xit";                   // 57665
inline constexpr std::string_view MENU_EDIT_COPY = "&Copy\tCtrl+C";           // 57634
inline constexpr std::string_view MENU_EDIT_PASTE = "&Paste\tCtrl+V";         // 57637
inline constexpr std::string_view MENU_VIEW_TOOLBAR = "&Toolbar";             // 59392
inline constexpr std::string_view MENU_VIEW_STATUS_BAR = "&Status Bar";       // 59393
inline constexpr std::string_view MENU_VIEW_ITEM_VISIBLE = "&Visible";        // 32857
// View > Item, commands 32821-32837 in this order (column flags ITEM1-ITEM17).
inline constexpr std::array<std::string_view, 17> MENU_VIEW_ITEMS = {
    "Pri",           "W/N",   "TAG",  "RX/TX Channel", "Sub Audio Dec/Enc",
    "Power Save RX", "Power", "Scan", "Dial Scan",     "TOT",
    "Squelch",       "ANI",   "Encr", "Lock Out",      "Page/Signal",
    "Clock Shift",   "ARTS"};
inline constexpr std::string_view MENU_COMMON_HARDWARE = "&Hardware";       // 32772
inline constexpr std::string_view MENU_COMMON_OPTION = "&Option";           // 32773
inline constexpr std::string_view MENU_COMMON_FRONT_PANEL = "&Front Panel"; // 32776
inline constexpr std::string_view MENU_COMMON_EMERGENCY = "&Emergency";     // 32778
inline constexpr std::string_view MENU_COMMON_MARKETING = "&Marketing";     // 32779
inline constexpr std::string_view MENU_COMMON_PASSWORD = "Pass&word";       // 32781
inline constexpr std::string_view MENU_COMMON_DIRECT_CH = "&Direct CH";     // 32782
inline constexpr std::string_view MENU_SIGNALLING = "&Signalling";
inline constexpr std::string_view MENU_SIGNALLING_TYPE = "Signalling &Type";              // 32791
inline constexpr std::string_view MENU_SIGNALLING_5TONE_ENCODE = "5-Tone Enc&ode";        // 32809
inline constexpr std::string_view MENU_RADIO_UPLOAD = "&Upload";                          // 32851
inline constexpr std::string_view MENU_RADIO_DOWNLOAD = "&Download";                      // 32852
inline constexpr std::string_view MENU_RADIO_ALIGNMENT = "&Alignment";                    // 32853
inline constexpr std::string_view MENU_RADIO_CH_FINE_ALIGNMENT = "&CH Fine Alignment";    // 32854
inline constexpr std::string_view MENU_RADIO_ADJ_RECOVER = "Adjustment &Recover";         // 32855
inline constexpr std::string_view MENU_RADIO_ADJ_DEFAULT = "AD&J Data Return to Default"; // 32856
inline constexpr std::string_view MENU_CHANNEL = "Ch&annel";
inline constexpr std::string_view MENU_CHANNEL_ALLOCATIONS =
    "&Channel Allocations/Group Alpha Tag";                                       // 32862
inline constexpr std::string_view MENU_HELP_TOPICS = "&Help Topics";              // 57667
inline constexpr std::string_view MENU_HELP_GET_STARTED = "&Get Started";         // 32881
inline constexpr std::string_view MENU_HELP_COMMON_PROBLEMS = "&Common Problems"; // 32882
inline constexpr std::string_view MENU_HELP_ABOUT = "&About KQ70...";             // 32883
// Menu bar titles and the entries that carry no string id of their own.
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
inline constexpr std::string_view MENU_FILE_EXPORT_PDF = "Export Listing as PDF..."; // 32865
inline constexpr std::string_view MENU_FILE_COMPARE = "Compare &With...";            // 32866
inline constexpr std::string_view MENU_RADIO_COMPARE = "Co&mpare With Radio";        // 32858
// Edit > Undo and Redo; the step's description goes after the command's name.
inline constexpr std::string_view MENU_EDIT_UNDO = "&Undo\tCtrl+Z"; // 57643
inline constexpr std::string_view MENU_EDIT_REDO = "&Redo\tCtrl+Y"; // 57644
inline constexpr std::string_view MENU_EDIT_UNDO_FORMAT = "&Undo %s\tCtrl+Z";
inline constexpr std::string_view MENU_EDIT_REDO_FORMAT = "&Redo %s\tCtrl+Y";

// --- Editing steps, as the Undo and Redo entries name them --------------------------------
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

// --- Help window -----------------------------------------------------------------------
inline constexpr std::string_view HELP_WINDOW_TITLE = "KQ70 Help";
inline constexpr std::string_view HELP_BACK = "&Back";
inline constexpr std::string_view HELP_FORWARD = "&Forward";
// The contents list: the help page, then the title the list shows for it.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 7> HELP_CONTENTS = {{
    {"index", "Contents"},
    {"getting-started", "Getting started"},
    {"main-window", "The main window"},
    {"pages", "Parameter pages"},
    {"radio", "Radio commands and their messages"},
    {"problems", "Common problems"},
    {"alignment", "Alignment"},
}};

// --- Configuration dialog ----------------------------------------------------------------
inline constexpr std::string_view CONFIGURATION_DIALOG_TITLE = "Configuration";
// Name of the USB interface cable: the check box, and the mark of a port entry on it.
inline constexpr std::string_view PGC30 = "PGC-30";
inline constexpr std::string_view SIMULATED_RADIO = "Simulated radio";
// %1 = the device, %2 = the group that owns it.
inline constexpr std::string_view PORT_PERMISSION_HINT =
    "You may not use %1: add your user to the group \"%2\" (sudo usermod -aG %2 $USER), "
    "then log out and in again.";
// The read-back after a download ("VERIFY").
inline constexpr std::string_view CONFIGURE_VERIFY = "&Verify the radio after Download";
inline constexpr std::string_view CONFIGURE_PORT = "&Port:";
inline constexpr std::string_view CONFIGURE_BAUD_RATE = "&Baud rate:";
inline constexpr std::string_view CONFIGURE_REFRESH = "&Refresh";
// The configured port, kept in the list while the system does not have it.
inline constexpr std::string_view PORT_NOT_FOUND = "(not found)";
// The OK button of pages and dialogs, with the letter Alt presses (the help names Alt+O).
// Cancel has Escape and Help has F1, and their letters would take those of the dialogs' own
// fields.
inline constexpr std::string_view BUTTON_OK = "&OK";

// --- Communication dialog: titles, status lines and job results ---------------------------
inline constexpr std::string_view UPLOAD_TITLE = "Upload";
inline constexpr std::string_view DOWNLOAD_TITLE = "Download";
inline constexpr std::string_view SWITCH_RADIO_ON_TO_START =
    "Switch radio ON, then start uploading";
inline constexpr std::string_view NOW_UPLOADING = "Now uploading";
inline constexpr std::string_view NOW_DOWNLOADING = "Now downloading";
inline constexpr std::string_view PORT_OPEN_ERROR = "Port Open Error!";
inline constexpr std::string_view COMMUNICATION_ERROR = "Communication Error!";
inline constexpr std::string_view TIME_OUT = "TimeOut!";
inline constexpr std::string_view SWITCH_RADIO_ON = "Switch radio On!";
inline constexpr std::string_view HARDWARE_TYPE_MISMATCHED = "Hardware Type Mismatched!";
inline constexpr std::string_view ADJ_CHECKSUM_ERROR = "Adj Checksum Error!";
inline constexpr std::string_view UPLOAD_COMPLETE = "Upload Complete!";
inline constexpr std::string_view DOWNLOAD_COMPLETE = "Download Complete!";
inline constexpr std::string_view ALIGNMENT_FINISHED = "Alignment is Finished!";
inline constexpr std::string_view ADJ_RECOVER_FAILED =
    "Adjustment Recover Failed. Contact Orvalis Dealer!";
inline constexpr std::string_view ADJ_DATA_MISMATCHED_RECOVER =
    "ADJ Data Mismatched. Adjustment Recover, Now!";
inline constexpr std::string_view ADJ_RECOVERY_COMPLETE = "Adjustment Recovery Complete!";
// The read-back after a download: its status line and the result when the radio does not
// hold what was sent (EEPROM word or radio flash address, then VERIFY_NO_ANSWER or nothing).
inline constexpr std::string_view NOW_VERIFYING = "Now verifying";
inline constexpr std::string_view VERIFY_FAILED_EEPROM_FORMAT =
    "Verify failed\r\nAddress = EEPROM word %02Xh%s";
inline constexpr std::string_view VERIFY_FAILED_FLASH_FORMAT =
    "Verify failed\r\nAddress = Flash %04Xh%s";
inline constexpr std::string_view VERIFY_NO_ANSWER = " (no answer)";

// --- Channel view ------------------------------------------------------------------------
inline constexpr std::string_view STATUS_HELP_WITH_GROUPS =
    "F1 for Help   F2 for Next Group  F3 for DCS Complement   F10 for Menus";
inline constexpr std::string_view STATUS_HELP =
    "F1 for Help   F3 for DCS Complement   F10 for Menus";
inline constexpr std::string_view OUT_OF_FREQUENCY_RANGE = "Out Of Frequency Range!";
inline constexpr std::string_view FREQUENCY_CAPTION = "FREQUENCY";
// %1 = source channel, %2 = target channel.
inline constexpr std::string_view COPY_CHANNEL_DATA = "Do you copy Ch%1 data to Ch %2?";
inline constexpr std::string_view GROUP_ENTRY_FORMAT = "Group %d";
inline constexpr std::string_view CHANNELS_LEFT_FORMAT = "%d Channels Left";
inline constexpr std::string_view VISIBLE_DIALOG_TITLE = "Visible";
inline constexpr std::string_view RAW_EDITOR_TITLE = "File Data";
// Channel grid cells.
inline constexpr std::array<std::string_view, 3> BANDWIDTH_TEXTS = {"W5", "W4", "N"};
inline constexpr std::array<std::string_view, 2> POWER_TEXTS = {"H", "L"};
inline constexpr std::array<std::string_view, 4> ENCRYPTION_TEXTS = {"OFF     ", "Key ON",
                                                                     "Power ON", "All ON"};
inline constexpr std::array<std::string_view, 4> SIGNAL_TYPE_TEXTS = {"------", "Signal", "Page",
                                                                      "Option"};
inline constexpr std::string_view TONE_OFF = "-----";
// Information strip: frequency band names by band code (empty for undefined codes), the
// product type, the channel count, the port of the programming cable.
inline constexpr std::array<std::string_view, 13> FREQUENCY_BAND_NAMES = {
    "VHF C", "VHF C1", "",        "", "UHF A", "UHF D", "UHF H",
    "",      "VHF220", "UHF 350", "", "",      "PMR446"};
inline constexpr std::string_view PRODUCT_TYPE_QM724 = "QM-724";
inline constexpr std::string_view CHANNEL_COUNT_FORMAT = "%dCH";
inline constexpr std::string_view FIRMWARE_VERSION_FORMAT = "%5.2f";
inline constexpr std::string_view PGC_CABLE_SUFFIX = " (PGC-30)";
inline constexpr std::string_view TX_INHIBITED = "---.-----";

// --- Channel allocation dialog -----------------------------------------------------------
inline constexpr std::string_view CHANNEL_ALLOCATION_TITLE = "Channel Allocation/Group Tag";
inline constexpr std::array<std::string_view, 16> GROUP_LABELS = {
    "Grp 1(&1)",  "Grp 2(&2)",  "Grp 3(&3)",  "Grp 4(&4)",  "Grp 5(&5)",  "Grp 6(&6)",
    "Grp 7(&7)",  "Grp 8(&8)",  "Grp 9(&9)",  "Grp 10(&A)", "Grp 11(&B)", "Grp 12(&C)",
    "Grp 13(&D)", "Grp 14(&E)", "Grp 15(&F)", "Grp 16(&0)"};
inline constexpr std::string_view GROUP_COUNT_HEADING = "CH";
inline constexpr std::string_view GROUP_TAG_HEADING = "TAG";
inline constexpr std::string_view GROUP_SCAN_HEADING = "Group SCAN";
inline constexpr std::string_view CHANNELS_LEFT = "Channels Left";
// Group scan flag entries, values 0 and 1.
inline constexpr std::array<std::string_view, 2> GROUP_SCAN_TEXTS = {"None", "SCAN"};
// Group number, tag, scan text; also the group line of the listing.
inline constexpr std::string_view GROUP_LINE_FORMAT = "GROUP %d: %-8s %s";

// --- Parameter page titles ---------------------------------------------------------------
inline constexpr std::string_view HARDWARE_TITLE = "Hardware";
inline constexpr std::string_view SCANNING_TITLE = "Scanning";
inline constexpr std::string_view POWER_SAVING_TITLE = "Power Saving";
inline constexpr std::string_view MISCELLANEOUS_TITLE = "Miscellaneous";
inline constexpr std::string_view MARKETING_TITLE = "Marketing Parameters";
inline constexpr std::string_view DIRECT_CH_TITLE = "Direct CH Parameters";

// --- Comparing two images ----------------------------------------------------------------
inline constexpr std::string_view COMPARE_SECTION_RADIO = "Radio";
inline constexpr std::string_view COMPARE_SECTION_GROUPS = "Groups";
inline constexpr std::string_view COMPARE_SECTION_CHANNELS = "Channels";
inline constexpr std::string_view COMPARE_SECTION_UNSHOWN = "Not shown";
inline constexpr std::string_view COMPARE_PRODUCTION_CODE = "Production code";
inline constexpr std::string_view COMPARE_PRODUCT_CODE = "Product code";
inline constexpr std::string_view COMPARE_MANUFACTURE_DATE = "Manufacture date and lot";
inline constexpr std::string_view COMPARE_KEY_FUNCTION_TITLE = "Key Function";
// Channels in the group, then the group line.
inline constexpr std::string_view COMPARE_GROUP_FORMAT = "%d CH, %s";
inline constexpr std::string_view COMPARE_UNSHOWN_CAPTION = "Bytes that differ";
// The comparison window.
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

// --- Hardware page -----------------------------------------------------------------------
inline constexpr std::string_view MAX_MIN_FREQUENCY_ERROR = "Max or Min Frequency Error!";
// Listing label of the two range edits, with "Min" or "Max".
inline constexpr std::string_view FREQUENCY_RANGE_LABEL_FORMAT = "Frequency Range %s";
// Prompt lines: edits end in "<ENTER>", combos in "<SELECT>".
inline constexpr std::string_view PROMPT_REF_XTAL =
    "Master Oscillator Frequency(0 - 99.99 MHz)\n<ENTER>";
inline constexpr std::string_view PROMPT_FIRST_IF =
    "First Intermediate Frequency Offset(0 - 99.99 MHz)\n<ENTER>";
inline constexpr std::string_view PROMPT_FREQUENCY_RANGE_MIN =
    "Frequency Range(Min)(100.00000 - 555.00000 MHz)\n<ENTER>";
inline constexpr std::string_view PROMPT_FREQUENCY_RANGE_MAX =
    "Frequency Range(Max)(100.00000 - 555.00000 MHz)\n<ENTER>";
inline constexpr std::string_view PROMPT_SCAN_PLL_B = "Scan PLL B Register(0 - 255)\n<ENTER>";
inline constexpr std::string_view PROMPT_RADIO_CHANNEL = "Radio Channel\n<SELECT>";
inline constexpr std::string_view PROMPT_FREQUENCY_BAND = "Frequency Band\n<SELECT>";
inline constexpr std::string_view PROMPT_PRODUCT_TYPE =
    "Product Type(Mobile/Mobile(DTMF Rcv)/Handheld)\n<SELECT>";
inline constexpr std::string_view PROMPT_LCD_TYPE = "LCD Type(Non-LCD/LCD)\n<SELECT>";
inline constexpr std::string_view PROMPT_LOCAL_OFFSET = "Local Offset(Lower/Upper)\n<SELECT>";
inline constexpr std::string_view PROMPT_CHANNEL_STEP =
    "Channel Step(5,6.25kHz/5,6.25,2.5kHz/5,6.25,2.5,1.25kHz/10,12.5kHz)\n<SELECT>";
inline constexpr std::string_view PROMPT_SQL_RELEASE_TIME =
    "Squelch Release Time(0 - 280 msec)\n<SELECT>";
inline constexpr std::string_view PROMPT_SQL_ATTACK_TIME =
    "Noise Squelch Attack Time(0 - 75 msec)\n<SELECT>";
inline constexpr std::string_view PROMPT_SQL_HYSTERESIS =
    "Noise Squelch Hysteresis(0 - 15)\n<SELECT>";
inline constexpr std::string_view PROMPT_RX_DCS_POLARITY =
    "DCS Receive Data Polarity(Normal/Inverted)\n<SELECT>";
inline constexpr std::string_view PROMPT_TX_DCS_POLARITY =
    "DCS Transmit Data Polarity(Normal/Inverted)\n<SELECT>";
inline constexpr std::string_view PROMPT_CTCSS_RELEASE_TIME =
    "CTCSS Release Time(500/200 msec)\n<SELECT>";
inline constexpr std::string_view PROMPT_KEYPAD = "KeyPad(4Key/NONE)\n<SELECT>";

// --- Scanning page prompt lines ----------------------------------------------------------
inline constexpr std::string_view PROMPT_SCAN_RESUME_TIME_1 =
    "Scan Resume Time 1 RX(0.25/0.5/1 - 14 sec)\n<SELECT>";
inline constexpr std::string_view PROMPT_SCAN_RESUME_TIME_2 =
    "Scan Resume Time 2 TX(2 - 10/15/20/25/30/40/50/60 sec)\n<SELECT>";
inline constexpr std::string_view PROMPT_DUAL_WATCH_TIMER =
    "Time interval to check carrier at Pri channel(1 sec/2 sec)\n<SELECT>";
inline constexpr std::string_view PROMPT_TALK_BACK = "Talk Back(Disable/Enable)\n<SELECT>";
inline constexpr std::string_view PROMPT_REVERT_CHANNEL =
    "Revert Channel(PRI CH/Channel Position/Last Busy CH)\n<SELECT>";
inline constexpr std::string_view PROMPT_GROUP_SCAN =
    "Group Scan(Group Only/Select Group) \n<SELECT>";
inline constexpr std::string_view PROMPT_PRIORITY_CHECK =
    "Priority Check(Disable/Enable)\n<SELECT>";
inline constexpr std::string_view PROMPT_PRIORITY_CH = "Priority CH\n<SELECT>";
inline constexpr std::string_view PROMPT_SCAN_BEEP =
    "Beep when Radio enters into scan mode(Disable/Enable) \n<SELECT>";
inline constexpr std::string_view PROMPT_POWER_ON_SCAN = "Power ON Scan(Disable/Enable)\n<SELECT>";
inline constexpr std::string_view PROMPT_SCAN_DISPLAY =
    "Scan Display(- SCAN - / Revert CH)\n<SELECT>";

// --- Power Saving and Miscellaneous page prompt lines ------------------------------------
inline constexpr std::string_view PROMPT_TRANSMIT_TIMER =
    "Transmit Timer (0.5/1 - 7 min)\n<SELECT>";
inline constexpr std::string_view PROMPT_PENALTY_TIMER = "Penalty Timer(0/6/20/60 sec)\n<SELECT>";
inline constexpr std::string_view PROMPT_RELEASE_TIMER = "Release Timer(0/2/3/5 sec)\n<SELECT>";
inline constexpr std::string_view PROMPT_POWER_SAVE_MODE =
    "Determine the proportion of receiver on and off time\n<SELECT>";
inline constexpr std::string_view PROMPT_LCD_LIGHTING_MODE =
    "LCD Lighting Mode(Lamp Key/Key ON 5sec)\n<SELECT>";
inline constexpr std::string_view PROMPT_LOW_BATTERY_INTERVAL =
    "Low Battery Alert Interval(0.5/2/5/10 Sec)\n<SELECT>";
inline constexpr std::string_view PROMPT_MIC_GAIN = "MIC Gain(Standard/+6dB/-6dB)\n<SELECT>";
inline constexpr std::string_view PROMPT_POWER_ON_TAG =
    "Edit Power-ON Alpha Tag display Max 8 Letters\n<ENTER>";
inline constexpr std::string_view PROMPT_POWER_ON_CONDITION =
    "Power ON Condition(Backup/Group 1/DW/Scan)\n<SELECT>";
inline constexpr std::string_view PROMPT_CTCSS_TAIL_ELIMINATION =
    "CTCSS Tail Elimination(Disable/No Tone/120 deg/180 deg)\n<SELECT>";
inline constexpr std::string_view PROMPT_ARTS_MODE = "ARTS Mode(TRX/TX/RX)\n<SELECT>";

// --- Marketing and Direct CH texts ------------------------------------------------
// Single-line texts; a page that shows one in the prompt line adds the second pane itself.
// Ends the prompt of a text field that is taken with Enter.
inline constexpr std::string_view ENTER_PANE = "\n<ENTER>";
inline constexpr std::string_view MARKET_APPLICATION = "Market Application  Max 4 Letters (0 - 9)";
inline constexpr std::string_view SERIAL_NUMBER = "Serial Number (Programmed by Manufacturer)";
inline constexpr std::string_view DIRECT_CH_1 = "Direct CH No#1(1 - 256)";
inline constexpr std::string_view DIRECT_CH_2 = "Direct CH No#2(1 - 256)";
// A direct channel number outside the prompt's range: the field's label, the lowest and the
// highest number.
inline constexpr std::string_view DIRECT_CH_OUT_OF_RANGE =
    "%s: enter a channel number from %d to %d.";
// A direct channel number its byte cannot hold: the field's label, the number and the highest
// number that can be stored.
inline constexpr std::string_view DIRECT_CH_NOT_STORABLE =
    "%s: channel %d cannot be a direct channel; enter a number from 1 to %d.";

// --- Listing and CSV export --------------------------------------------------------------
inline constexpr std::string_view TEXT_FILE_FILTER = "text Files(*.txt)|*.txt||";
inline constexpr std::string_view CSV_FILE_FILTER = "text Files(*.csv)|*.csv||";
inline constexpr std::string_view CSV_TITLE = "***  Orvalis QM-724 PMR446  ***";
inline constexpr std::string_view CSV_FILE_NAME = "File Name";
inline constexpr std::string_view CSV_HARDWARE = "***Hardware Parameters***";
inline constexpr std::string_view CSV_SCAN = "***Scan Parameters***";
inline constexpr std::string_view CSV_POWER_SAVING = "***Power Saving Parameters***";
inline constexpr std::string_view CSV_KEY_FUNCTION = "***Key Function Parameters***";
inline constexpr std::string_view CSV_MISCELLANEOUS = "***Miscellaneous Parameters***";
inline constexpr std::string_view CSV_DIRECT_CH = "***Direct CH Parameters***";
inline constexpr std::string_view CSV_CHANNEL_DATA = "***CHANNEL DATA***";
inline constexpr std::string_view PRINT_TITLE =
    "                  ************  Orvalis QM-724 PMR446  ************";
inline constexpr std::string_view PRINT_FILE_NAME_FORMAT = "     File Name              :%-32s";
inline constexpr std::string_view PRINT_COMMON_DATA =
    "                **********   COMMON DATA   **********";
inline constexpr std::string_view PRINT_HARDWARE = "---Hardware Parameters---";
inline constexpr std::string_view PRINT_SCAN = "---Scan Parameters---";
inline constexpr std::string_view PRINT_POWER_SAVING = "---Power Saving Parameters---";
inline constexpr std::string_view PRINT_KEY_FUNCTION = "---Key Function Parameters---";
inline constexpr std::string_view PRINT_MISCELLANEOUS = "---Miscellaneous Parameters---";
inline constexpr std::string_view PRINT_CHANNEL_DATA =
    "                **********   CHANNEL DATA   **********";
// Channel page headers: user modes (0, 2) or service modes (1, 4), with or without the
// encryption column.  Each line is as wide as the rule of '-' drawn under it.
inline constexpr std::string_view PRINT_HEADER_USER_ENCR_1 =
    "        RX/TX Channel   Sub Audio Dec/Enc Power     Dial                            ";
inline constexpr std::string_view PRINT_HEADER_USER_ENCR_2 =
    "Chn      (Frequency)     Code No.(Value)  Save   SC Scan TOT SQ Encryption BCLO ARTS";
inline constexpr std::string_view PRINT_HEADER_USER_1 =
    "        RX/TX Channel   Sub Audio Dec/Enc Power     Dial                 ";
inline constexpr std::string_view PRINT_HEADER_USER_2 =
    "Chn      (Frequency)     Code No.(Value)  Save   SC Scan TOT SQ BCLO ARTS";
inline constexpr std::string_view PRINT_HEADER_SERVICE_ENCR_1 =
    "        RX/TX Channel   Sub Audio Dec/Enc Power      Dial                            ";
inline constexpr std::string_view PRINT_HEADER_SERVICE_ENCR_2 =
    "Chn      (Frequency)     Code No.(Value)  Save    SC Scan TOT SQ Encryption BCLO ARTS";
inline constexpr std::string_view PRINT_HEADER_SERVICE_1 =
    "        RX/TX Channel   Sub Audio Dec/Enc Power      Dial                 ";
inline constexpr std::string_view PRINT_HEADER_SERVICE_2 =
    "Chn      (Frequency)     Code No.(Value)  Save    SC Scan TOT SQ BCLO ARTS";
// Printing and the PDF export of the listing.
inline constexpr std::string_view PDF_FILE_FILTER = "PDF Files(*.pdf)|*.pdf||";
inline constexpr std::string_view PRINT_SETUP_TITLE = "Print Setup";
inline constexpr std::string_view PRINT_SETUP_PRINTER = "&Printer:";
inline constexpr std::string_view PRINT_SETUP_PAPER = "P&aper:";
inline constexpr std::string_view PRINT_SETUP_NO_PRINTER = "(no printer installed)";
inline constexpr std::string_view PRINT_FAILED =
    "The listing could not be printed. Check the printer and try again.";

// --- Alignment ---------------------------------------------------------------------------
inline constexpr std::string_view RX_VCO_TITLE = "RX VCO Adjustment";
inline constexpr std::string_view TX_VCO_TITLE = "TX VCO Adjustment";
inline constexpr std::string_view THRESHOLD_SQL_TITLE = "Threshold SQL";
// VCO prompt per point, [direction 0 RX / 1 TX][point 0 High / 1 Middle / 2 Low].
inline constexpr std::array<std::array<std::string_view, 3>, 2> VCO_START_PROMPTS = {{
    {"Start Adjustment of the Band High RX VCO?", "Start Adjustment of the Band Middle RX VCO?",
     "Start Adjustment of the Band Low RX VCO?"},
    {"Start Adjustment of the Band High TX VCO?", "Start Adjustment of the Band Middle TX VCO?",
     "Start Adjustment of the Band Low TX VCO?"},
}};
inline constexpr std::string_view WIDE = "Wide";
inline constexpr std::string_view NARROW = "Narrow";
inline constexpr std::string_view ENTER_CTCSS_FREQUENCIES = "Enter the CTCSS Frequencies";
// Battery procedure: the supply voltage the user sets, and the last step.
inline constexpr std::string_view SET_VOLTAGE_6_5V = "Set the Voltage to 6.5V.";
inline constexpr std::string_view SET_VOLTAGE_5_5V = "Set the Voltage to 5.5V.";
inline constexpr std::string_view SET_VOLTAGE_7_5V = "Set the Voltage to 7.5V.";
inline constexpr std::string_view UPDATE_OF_ADJ_DATA = "Update of Adjustment Data";

// --- Value checks (what the radio can hold) -------------------------------------------------
// printf formats; a tag's own text is put before them by the caller.
inline constexpr std::string_view TAG_TOO_LONG = "is longer than %zu characters";
inline constexpr std::string_view TAG_UNSHOWABLE =
    "the radio cannot show %s (digits, capitals and  <>+-=*/[\\]:_ only)";
inline constexpr std::string_view FREQUENCY_OUTSIDE_RANGE =
    "%lld is outside the radio's frequency range %.5f-%.5f MHz";
inline constexpr std::string_view NOT_A_CTCSS_TONE =
    "%d is not a CTCSS tone (tenths of a hertz, e.g. 670 for 67.0 Hz)";
inline constexpr std::string_view NOT_A_DCS_CODE =
    "%d is not a DCS code (the value of its octal digits, e.g. 19 for D023)";
// Alignment windows: texts around the procedures.
// A done VCO point: point name, direction, D/A value, lock reading.
inline constexpr std::string_view VCO_RESULT_FORMAT = "%s %s VCO: %d (%d)";
inline constexpr std::array<std::string_view, 3> VCO_POINT_NAMES = {"High", "Middle", "Low"};
inline constexpr std::string_view CHANNEL_FREQUENCY_FORMAT = "%9.5f MHz";
inline constexpr std::string_view RX_TUNE_TITLE = "RX Tune";
inline constexpr std::array<std::string_view, 3> TUNE_POINT_NAMES = {"Low", "Middle", "High"};
// RX tune: point name, frequency, width; and a done point: name, tune value, RSSI.
inline constexpr std::string_view RX_TUNE_POINT_FORMAT = "%s point: %s %s";
inline constexpr std::string_view RX_TUNE_RESULT_FORMAT = "%s: %d (RSSI %d)";
inline constexpr std::string_view BATTERY_TITLE = "Battery";
inline constexpr std::array<std::string_view, 4> BATTERY_PROMPTS = {
    SET_VOLTAGE_6_5V, SET_VOLTAGE_5_5V, SET_VOLTAGE_7_5V, UPDATE_OF_ADJ_DATA};
// Window titles of the transmit procedures, in the order of their procedure list.
inline constexpr std::array<std::string_view, 10> SLIDER_TITLES = {
    "Freq DA",         "TX Power",      "Max Deviation",
    "CTCSS Deviation", "DCS Deviation", "Modulation Balance",
    "Sub-Audio Bal",   "Mic Gain",      "DTMF/BEEP",
    "Seq Tone"};
// Window titles of the receive measurements.
inline constexpr std::array<std::string_view, 4> MEASUREMENT_TITLES = {
    THRESHOLD_SQL_TITLE, "Tight SQL", "Tight RSSI", "TX SAVE"};
// The command line's question before it aligns a radio.
inline constexpr std::string_view START_ALIGNMENT =
    "Start the alignment? The radio is rewritten twice.";
// Captions of the alignment window's value fields and item groups, by adjustment item.
inline constexpr std::array<std::pair<std::size_t, std::string_view>, 35> ADJUSTMENT_CAPTIONS = {{
    {88, "RX VCO High"},
    {87, "RX VCO Middle"},
    {86, "RX VCO Low"},
    {91, "TX VCO High"},
    {90, "TX VCO Middle"},
    {89, "TX VCO Low"},
    {93, "Freq DA"},
    {13, "RX Tune Low"},
    {14, "RX Tune Middle"},
    {15, "RX Tune High"},
    {2, "Threshold SQL Wide"},
    {6, "Threshold SQL Narrow"},
    {3, "Tight SQL Wide"},
    {7, "Tight SQL Narrow"},
    {0, "Tight RSSI Wide"},
    {4, "Tight RSSI Narrow"},
    {1, "TX SAVE Wide"},
    {5, "TX SAVE Narrow"},
    {18, "TX Power High"},
    {23, "TX Power Low"},
    {28, "Max Deviation Wide"},
    {33, "Max Deviation Narrow"},
    {38, "CTCSS Deviation Wide"},
    {43, "CTCSS Deviation Narrow"},
    {48, "DCS Deviation Wide"},
    {53, "DCS Deviation Narrow"},
    {58, "Modulation Balance 1"},
    {63, "Modulation Balance 2"},
    {68, "Sub-Audio Bal Wide"},
    {73, "Sub-Audio Bal Narrow"},
    {92, "DTMF/BEEP"},
    {94, "Mic Gain"},
    {95, "Low Battery"},
    {96, "EEPROM Protect"},
    {97, "Seq Tone"},
}};
// The alignment window's procedures, in the order of their procedure list.
inline constexpr std::array<std::string_view, 30> PROCEDURE_CAPTIONS = {"RX VCO",
                                                                        "TX VCO",
                                                                        "Frequency",
                                                                        "RX Tune",
                                                                        "Threshold SQL Wide",
                                                                        "Threshold SQL Narrow",
                                                                        "Tight SQL Wide",
                                                                        "Tight SQL Narrow",
                                                                        "Tight RSSI Wide",
                                                                        "Tight RSSI Narrow",
                                                                        "TX SAVE Wide",
                                                                        "TX SAVE Narrow",
                                                                        "RX VCO (manual)",
                                                                        "TX VCO (manual)",
                                                                        "TX Power High",
                                                                        "TX Power Low",
                                                                        "Max Deviation Wide",
                                                                        "Max Deviation Narrow",
                                                                        "CTCSS Deviation Wide",
                                                                        "CTCSS Deviation Narrow",
                                                                        "DCS Deviation Wide",
                                                                        "DCS Deviation Narrow",
                                                                        "Modulation Balance 1",
                                                                        "Modulation Balance 2",
                                                                        "Sub-Audio Bal Wide",
                                                                        "Sub-Audio Bal Narrow",
                                                                        "Mic Gain",
                                                                        "DTMF/BEEP",
                                                                        "Seq Tone",
                                                                        "Battery"};
// The alignment window's sections of procedures.
inline constexpr std::array<std::string_view, 4> PROCEDURE_SECTIONS = {"VCO", "Receive", "Transmit",
                                                                       "Battery"};
inline constexpr std::string_view ALIGNMENT_WINDOW_TITLE = "Alignment";
inline constexpr std::string_view ALIGNMENT_VALUES = "Current values";
inline constexpr std::string_view ALIGNMENT_GROUPS = "Item groups (points 1-5)";
inline constexpr std::string_view ALIGNMENT_UNIT = "UNIT";
inline constexpr std::string_view ALIGNMENT_START = "START";
inline constexpr std::string_view ALIGNMENT_OK = "OK";
inline constexpr std::string_view ALIGNMENT_CANCEL = "Cancel";
inline constexpr std::string_view ALIGNMENT_HELP = "Help";
inline constexpr std::string_view PROCEDURE_START = "&Start";
// The level units of the UNIT box, by unit index.
inline constexpr std::array<std::string_view, 5> LEVEL_UNIT_NAMES = {"dBuV (EMF)", "dBuV (PD)",
                                                                     "uV (EMF)", "uV (PD)", "dBm"};
inline constexpr std::string_view VCV_AD = "VCV A/D";
inline constexpr std::string_view UL_AD = "UL A/D";
inline constexpr std::string_view NSQ_AD = "NSQ A/D";
inline constexpr std::string_view RSSI_AD = "RSSI A/D";
inline constexpr std::string_view VCO_POINT = "Point";
inline constexpr std::string_view SLIDER_POINT = "Alignment point";
inline constexpr std::string_view CHANNEL_LINE = "Channel";
inline constexpr std::string_view SAMPLES_TAKEN = "Samples";
// What to set on the signal generator, in the order the measurements list the settings.
inline constexpr std::array<std::string_view, 4> GENERATOR_CAPTIONS = {"Frequency", "RF level",
                                                                       "Deviation", "Modulation"};
inline constexpr std::string_view GENERATOR_SETTINGS = "Set the signal generator to";
// The communication window of the jobs around an alignment, titled apart from the alignment
// window itself.
inline constexpr std::string_view ALIGNMENT_TRANSFER_TITLE = "Alignment: Radio Data Transfer";
// The manual VCO window: the D/A value it sends.
inline constexpr std::string_view VCO_DA_SENT = "VCO D/A";
// The TX Power window: which power level it aligns, by variant.
inline constexpr std::string_view TX_POWER_LEVEL = "Power level";
inline constexpr std::array<std::string_view, 2> TX_POWER_LEVELS = {"High", "Low"};

// --- Channel grid choosers ---------------------------------------------------------------
inline constexpr std::string_view PMR_CHANNEL_CHOOSER_TITLE = "PMR446 Channel";
inline constexpr std::string_view TONE_CHOOSER_TITLE = "Sub Audio";
inline constexpr std::string_view TONE_KIND_CTCSS = "&CTCSS";
inline constexpr std::string_view TONE_KIND_DCS = "&DCS";
// Code number and hertz; code number and octal code.
inline constexpr std::string_view CTCSS_CHOOSER_FORMAT = "No.%02d   %5.1f Hz";
inline constexpr std::string_view DCS_CHOOSER_FORMAT = "No.%d   D%03o";
// Signalling type 1, 2 and 3.
inline constexpr std::array<std::string_view, 3> SIGNAL_NUMBER_CHOOSER_TITLES = {
    "Signalling No.", "Paging No.", "Option No."};
// A radio job the user stopped: the window's status line while it winds down, and the
// result of each case.
inline constexpr std::string_view CANCELLING = "Cancelling...";
inline constexpr std::string_view UPLOAD_CANCELLED = "Upload cancelled. Nothing was changed.";
inline constexpr std::string_view DOWNLOAD_CANCELLED =
    "Download cancelled. Nothing was written to the radio.";
inline constexpr std::string_view DOWNLOAD_CANCELLED_PARTLY_WRITTEN =
    "Download cancelled. The radio is only partly written and must be written again.";
// The same for the adjustment recovery and the alignment start.
inline constexpr std::string_view RECOVERY_CANCELLED =
    "Adjustment recovery cancelled. Nothing was written to the radio.";
inline constexpr std::string_view RECOVERY_CANCELLED_PARTLY_WRITTEN =
    "Adjustment recovery cancelled. The radio is only partly written and must be written again.";
inline constexpr std::string_view ALIGNMENT_CANCELLED =
    "Alignment cancelled. Nothing was written to the radio.";
inline constexpr std::string_view ALIGNMENT_CANCELLED_WRITING_BACK =
    "Alignment cancelled. The radio's former data is written back.";
// The alignment keeps the radio's data in the program folder before it changes the radio.
inline constexpr std::string_view ALIGNMENT_DATA_NOT_SAVED =
    "The radio's data could not be saved in the program folder, so the alignment did not "
    "start.\r\nNothing was written to the radio.";
// %1 = the saved file.
inline constexpr std::string_view FORMER_DATA_NOT_WRITTEN_BACK =
    "The radio's former data could not be written back.\r\nIt is saved in %1: open that file "
    "and download it into the radio.";
// Another program holds the data file for a change of its own. %1 = path.
inline constexpr std::string_view FILE_IN_USE =
    "The File is being changed by another program.\r\nFile Name = %1";
// Cancel once the radio is being written: stopping is asked first.
inline constexpr std::string_view STOP_WHILE_WRITING =
    "Stop now? The radio will be left partly written and must be written again.";
// Leaving the alignment window without OK after a procedure ended with OK, and the end of a
// pass that put the radio's former data back.
inline constexpr std::string_view ALIGNMENT_DISCARD_QUESTION =
    "Discard the new adjustment values and restore the radio's former data?";
inline constexpr std::string_view ALIGNMENT_FORMER_RESTORED =
    "The radio's former data was written back. No adjustment value was changed.";
// A command came while a frequency cell still holds text that is no frequency.
inline constexpr std::string_view FREQUENCY_EDIT_NOT_A_NUMBER =
    "The frequency being typed is not a number of MHz (for example 446.00625). Correct it, or "
    "press Escape to drop it.";

// --- Import from CSV ---------------------------------------------------------------------
// An error of the import: the line (counted from 1), the column title or the row's caption,
// and what is wrong; an error of the whole file has neither.
inline constexpr std::string_view CSV_IMPORT_CELL_ERROR = "line %d, %s: %s";
inline constexpr std::string_view CSV_IMPORT_LINE_ERROR = "line %d: %s";
inline constexpr std::string_view CSV_IMPORT_UNREADABLE = "The CSV file cannot be read.";
inline constexpr std::string_view CSV_IMPORT_NOT_REGULAR = "The CSV file is not a regular file.";
inline constexpr std::string_view CSV_IMPORT_TOO_LARGE = "The CSV file is larger than 1 MB.";
inline constexpr std::string_view CSV_IMPORT_NOT_TEXT = "The CSV file is not a text file.";
inline constexpr std::string_view CSV_IMPORT_NO_SECTION =
    "The file holds none of the sections Export to CSV writes.";
// Rows and sections.
inline constexpr std::string_view CSV_IMPORT_OUTSIDE_SECTION = "the row belongs to no section";
inline constexpr std::string_view CSV_IMPORT_UNKNOWN_SECTION = "there is no such section";
inline constexpr std::string_view CSV_IMPORT_NO_PAGE =
    "this radio has no such page in this access mode";
inline constexpr std::string_view CSV_IMPORT_UNKNOWN_CAPTION = "the page has no entry of this name";
inline constexpr std::string_view CSV_IMPORT_EXTRA_CELLS =
    "the row holds more than a caption and a value";
// Parameter values: the text, then the page's entries.
inline constexpr std::string_view CSV_IMPORT_NOT_AN_ENTRY = "\"%s\" is not one of the entries (%s)";
inline constexpr std::string_view CSV_IMPORT_LOCKED =
    "the page does not let this entry be changed in this access mode or with these values";
inline constexpr std::string_view CSV_IMPORT_NOT_A_NUMBER = "\"%s\" is not a number";
inline constexpr std::string_view CSV_IMPORT_NUMBER_RANGE = "%s is outside %s - %s";
inline constexpr std::string_view CSV_IMPORT_NOT_TYPABLE =
    "\"%s\" is longer than %d characters or has characters the entry does not take";
inline constexpr std::string_view CSV_IMPORT_PAGE_KEEPS = "the page keeps \"%s\" instead";
inline constexpr std::string_view CSV_IMPORT_PAGE_REFUSED = "the page did not take the values";
// Channel columns and rows.
inline constexpr std::string_view CSV_IMPORT_UNKNOWN_COLUMN = "there is no such column";
inline constexpr std::string_view CSV_IMPORT_COLUMN_TWICE = "the column is there twice";
inline constexpr std::string_view CSV_IMPORT_COLUMN_NOT_SHOWN =
    "the channel grid does not show this column in this access mode or on this radio";
inline constexpr std::string_view CSV_IMPORT_NO_CHANNEL_COLUMN =
    "the column titles have no \"Chn\"";
inline constexpr std::string_view CSV_IMPORT_NO_HEADER =
    "a channel row comes before the column titles";
inline constexpr std::string_view CSV_IMPORT_NOT_A_CHANNEL = "\"%s\" is not a channel number";
inline constexpr std::string_view CSV_IMPORT_BEYOND_CAPACITY =
    "channel %d is beyond the radio's %d channels";
inline constexpr std::string_view CSV_IMPORT_CHANNEL_TWICE = "channel %d is listed on line %d too";
inline constexpr std::string_view CSV_IMPORT_IN_NO_GROUP =
    "channel %d lies in no group, so the grid does not show it";
inline constexpr std::string_view CSV_IMPORT_FIRST_CHANNEL =
    "channel 1 is always programmed; the grid cannot change that";
inline constexpr std::string_view CSV_IMPORT_NOT_A_FREQUENCY = "\"%s\" is not a frequency in MHz";
inline constexpr std::string_view CSV_IMPORT_STORE_RANGE =
    "%s MHz is outside 436.00000-456.00000 MHz, which the channel table holds";
inline constexpr std::string_view CSV_IMPORT_OFF_STEP = "%s MHz is not on the radio's channel step";
inline constexpr std::string_view CSV_IMPORT_PMR_ONLY =
    "\"%s\" is no PMR446 channel; in this access mode only CH1-CH8 can be chosen";
inline constexpr std::string_view CSV_IMPORT_TX_SWITCH =
    "the grid cannot switch this channel's transmit frequency on or off";
inline constexpr std::string_view CSV_IMPORT_NOT_A_TONE =
    "\"%s\" is not a tone of the CTCSS or DCS table";
inline constexpr std::string_view CSV_IMPORT_NOT_A_FLAG = "\"%s\" is neither \"v\" nor \"-\"";
inline constexpr std::string_view CSV_IMPORT_NOT_A_SQUELCH = "\"%s\" is not a squelch level 0-15";
inline constexpr std::string_view CSV_IMPORT_NOT_AN_ENCRYPTION =
    "\"%s\" is not one of OFF, Key ON, Power ON, All ON";
inline constexpr std::string_view CSV_IMPORT_GRID_KEEPS = "the channel grid keeps \"%s\" here";
// Group lines.
inline constexpr std::string_view CSV_IMPORT_NOT_A_GROUP_LINE =
    "\"%s\" is not a group line (GROUP n: tag None or SCAN)";
inline constexpr std::string_view CSV_IMPORT_NO_GROUPS = "this radio has no channel groups";
inline constexpr std::string_view CSV_IMPORT_NO_SUCH_GROUP =
    "this radio has groups 1-%d, not group %d";
inline constexpr std::string_view CSV_IMPORT_GROUP_TWICE = "group %d is listed on line %d too";
inline constexpr std::string_view CSV_IMPORT_GROUP_ORDER =
    "channel %d cannot be in group %d: each group holds the channels after those of the "
    "groups before it";
inline constexpr std::string_view CSV_IMPORT_ALLOCATION_LOCKED =
    "the channel allocation cannot be changed in this access mode";
inline constexpr std::string_view CSV_IMPORT_ALLOCATION_KEEPS =
    "the channel allocation gives group %d %d channels, not %d";
inline constexpr std::string_view CSV_IMPORT_GROUP_SCAN_LOCKED =
    "a group without channels has no group scan";
inline constexpr std::string_view CSV_IMPORT_TAG_NOT_TYPABLE =
    "the tag \"%s\" is longer than 8 characters or has characters a tag does not take";

// --- Import from CSV in the window, and the unsaved changes kept after a stop signal ----
// File > Import from CSV: the menu entry, its undo step, the question about channels the file
// does not list (%d = how many), and the window that lists what is wrong with a file.
inline constexpr std::string_view MENU_FILE_IMPORT_CSV = "&Import from CSV..."; // 32867
inline constexpr std::string_view STEP_IMPORT_CSV = "Import from CSV";
inline constexpr std::string_view CSV_IMPORT_UNLISTED_QUESTION =
    "The CSV file does not list %d of the channels in use.\r\nMake them unused? (No keeps them "
    "as they are.)";
inline constexpr std::string_view CSV_IMPORT_WINDOW_TITLE = "Import from CSV";
// %s = the CSV file.
inline constexpr std::string_view CSV_IMPORT_ONE_ERROR =
    "%s was not imported: 1 error. Nothing was changed.";
// %s = the CSV file, %d = how many errors.
inline constexpr std::string_view CSV_IMPORT_ERRORS_FORMAT =
    "%s was not imported: %d errors. Nothing was changed.";
inline constexpr std::string_view CSV_IMPORT_HEADER_LINE = "Line";
inline constexpr std::string_view CSV_IMPORT_HEADER_COLUMN = "Column";
inline constexpr std::string_view CSV_IMPORT_HEADER_REASON = "Reason";

// The program was ended by a signal (a session logout) with unsaved changes, which it kept in
// a file of the program folder; the next start names that file. %s = the file.
inline constexpr std::string_view SESSION_RECOVERY_FILE_NAME = "unsaved-changes.k70";
inline constexpr std::string_view SESSION_RECOVERY_QUESTION =
    "KQ70 was ended by the system while the document had unsaved changes. They were kept in "
    "%s.\r\nOpen that file now?";

// --- Programming several radios ----------------------------------------------------------
// A radio's result, as the record and the lists show it; %1 = the job's message.
inline constexpr std::string_view FLEET_VERIFIED = "Verified";
inline constexpr std::string_view FLEET_WRITTEN_WITHOUT_VERIFY = "Written without verify";
inline constexpr std::string_view FLEET_FAILED = "Failed: %1";
inline constexpr std::string_view FLEET_CANCELLED = "Cancelled";
inline constexpr std::string_view FLEET_NOT_ANSWERING = "Not answering";
// One radio's line: port, serial number (or nothing), result, seconds, and what became of a
// radio that did not succeed.
inline constexpr std::string_view FLEET_RADIO_LINE_FORMAT = "%s%s: %s (%.1f s)%s";
inline constexpr std::string_view FLEET_SERIAL_FORMAT = " serial %s";
inline constexpr std::string_view FLEET_RADIO_UNTOUCHED = "; nothing was written to the radio";
inline constexpr std::string_view FLEET_RADIO_INCOMPLETE =
    "; the radio is marked incomplete and must be written again";
// The summary: "11 of 12 verified, 1 failed: COM3 Hardware Type Mismatched!".
inline constexpr std::string_view FLEET_SUMMARY_VERIFIED_FORMAT = "%d of %d verified";
inline constexpr std::string_view FLEET_SUMMARY_WRITTEN_FORMAT = "%d of %d written";
inline constexpr std::string_view FLEET_SUMMARY_FAILED_FORMAT = ", %d failed: %s";
inline constexpr std::string_view FLEET_SUMMARY_NOT_ANSWERING_FORMAT = ", %d not answering: %s";
inline constexpr std::string_view FLEET_SUMMARY_CANCELLED_FORMAT = ", %d cancelled: %s";
inline constexpr std::string_view FLEET_SUMMARY_INCOMPLETE = " (marked incomplete)";
inline constexpr std::string_view FLEET_SUMMARY_UNTOUCHED = " (untouched)";
// The programming record: its header cells, and a failed append (%s = path, reason).
inline constexpr std::array<std::string_view, 7> FLEET_RECORD_HEADER = {
    "Date and time", "Data file", "SHA-256", "Port", "Serial number", "Result", "Seconds"};
inline constexpr std::string_view FLEET_RECORD_FAILED_FORMAT =
    "The programming record %s could not be written: %s";
// Whose password the terminal asks for; the simulated radios' port names.
inline constexpr std::string_view FLEET_PASSWORD_FOR_FORMAT =
    "The radio on %s asks for its password.";
inline constexpr std::string_view FLEET_SIMULATED_PORT_FORMAT = "simulated radio %d";

// --- Program Several Radios: the window, its table and buttons, the held document ----
inline constexpr std::string_view MENU_RADIO_FLEET = "Program &Several Radios..."; // 32901
inline constexpr std::string_view FLEET_WINDOW_TITLE = "Program Several Radios";
inline constexpr std::string_view FLEET_PORTS_LABEL = "&Radios on these ports:";
inline constexpr std::string_view FLEET_SIMULATED_LABEL = "S&imulated radios for training:";
inline constexpr std::array<std::string_view, 5> FLEET_COLUMNS = {"Port", "Progress", "Status",
                                                                  "Serial number", "Result"};
inline constexpr std::string_view FLEET_START = "&Start";
inline constexpr std::string_view FLEET_CANCEL = "Cancel";
inline constexpr std::string_view FLEET_CANCEL_ALL = "Cancel &All";
inline constexpr std::string_view FLEET_RETRY_FAILED = "&Retry Failed";
inline constexpr std::string_view FLEET_OPEN_FOLDER = "Open &Folder";
inline constexpr std::string_view FLEET_CLOSE = "Close";
inline constexpr std::string_view FLEET_CHOOSE_PORTS = "Choose the radios, then Start.";
inline constexpr std::string_view FLEET_RUNNING_FORMAT = "%d of %d radios finished";
inline constexpr std::string_view FLEET_CANCELLING = "Cancelling...";
inline constexpr std::string_view FLEET_WAITING = "Waiting";
// A row's status once its radio did not succeed.
inline constexpr std::string_view FLEET_STATUS_UNTOUCHED = "Nothing was written to the radio";
inline constexpr std::string_view FLEET_STATUS_INCOMPLETE =
    "Marked incomplete: the radio must be written again";
inline constexpr std::string_view FLEET_RECORD_FORMAT = "Record: %s";
inline constexpr std::string_view FLEET_SAVE_FIRST =
    "Save the document before programming radios from it: the programming record names the "
    "data file.";
inline constexpr std::string_view DOCUMENT_HELD =
    "Radios are being programmed from this document. It cannot change until they are done.";

} // namespace text
} // namespace kq70
