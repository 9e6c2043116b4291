#pragma once

#include <string_view>

// The topics of the built-in help: a page, and after "#" the section of it a window opens.
// Each window's core object names its own topic; the help window only finds the page.
namespace kq70::help {

inline constexpr std::string_view CONTENTS = "index";
inline constexpr std::string_view MAIN_WINDOW = "main-window";
inline constexpr std::string_view PAGES = "pages";

inline constexpr std::string_view PAGE_HARDWARE = "pages#hardware";
inline constexpr std::string_view PAGE_SCANNING = "pages#scanning";
inline constexpr std::string_view PAGE_POWER_SAVING = "pages#power-saving";
inline constexpr std::string_view PAGE_KEY_FUNCTION = "pages#key-function";
inline constexpr std::string_view PAGE_MISCELLANEOUS = "pages#miscellaneous";
inline constexpr std::string_view PAGE_MARKETING = "pages#marketing";
inline constexpr std::string_view PAGE_DIRECT_CH = "pages#direct-ch";

// The channel grid's columns (F1 in the grid).
inline constexpr std::string_view GRID = "main-window#grid";
inline constexpr std::string_view GRID_CHANNEL = "main-window#grid-channel";
inline constexpr std::string_view GRID_FREQUENCY = "main-window#grid-frequency";
inline constexpr std::string_view GRID_TONES = "main-window#grid-tones";
inline constexpr std::string_view GRID_CHECKS = "main-window#grid-checks";
inline constexpr std::string_view GRID_SQUELCH = "main-window#grid-squelch";
inline constexpr std::string_view GRID_ENCRYPTION = "main-window#grid-encryption";

inline constexpr std::string_view ALIGNMENT_WINDOW = "alignment#window";
inline constexpr std::string_view ALIGNMENT_VCO_AUTO = "alignment#vco-auto";
inline constexpr std::string_view ALIGNMENT_VCO_MANUAL = "alignment#vco-manual";
inline constexpr std::string_view ALIGNMENT_TRANSMIT = "alignment#transmit";
inline constexpr std::string_view ALIGNMENT_RECEIVE = "alignment#receive";
inline constexpr std::string_view ALIGNMENT_RX_TUNE = "alignment#rx-tune";
inline constexpr std::string_view ALIGNMENT_BATTERY = "alignment#battery";

} // namespace kq70::help
