#pragma once

#include <array>
#include <string_view>

// The texts of Radio > Program Several Radios: the window, its table and buttons, and the
// message of a document held while radios are programmed from it.
namespace kq70::text {

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

} // namespace kq70::text
