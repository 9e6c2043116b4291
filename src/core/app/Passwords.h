#pragma once

#include <string_view>

namespace kq70 {

class AccessMode;
class UserPrompt;

// The access words of the three protected modes. A wrong word is never reported: the
// program simply goes on in normal mode.
namespace passwords {

// The manufacture mode's phrase, exactly as stored (case matters).
bool isManufacturePhrase(std::string_view entry);
// The E mode's word, in any mix of upper and lower case.
bool isEModeWord(std::string_view entry);
// The adjustment keyword, compared per character in either case over its first seven
// characters; whatever follows them is not looked at.
bool isAdjustmentKeyword(std::string_view entry);

} // namespace passwords

// Start-up: for manufacture and E mode asks for the password and keeps the mode only when it is
// right (the manufacture mode then shows its warning); every other answer means normal mode.
void confirmStartupAccessMode(AccessMode& mode, UserPrompt& prompt);

// The adjustment-mode unlock from normal mode. True when the keyword was given; the mode is
// then the adjustment mode.
bool unlockAdjustmentMode(AccessMode& mode, UserPrompt& prompt);

// A mode asked for by its number (a command-line option), granted as the program grants it:
// the manufacture and E modes with their password, the adjustment mode with its keyword,
// normal mode always. True when `mode` is now the mode asked for; otherwise it is normal mode.
bool grantAccessMode(AccessMode& mode, int wanted, UserPrompt& prompt);

} // namespace kq70
