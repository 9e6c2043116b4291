#pragma once

#include "ProgramDoc.h"

#include <string>
#include <string_view>

namespace kq70 {

// The program's manual page in man(7) markup, section 1.
std::string renderManPage(const ProgramDoc& doc);

// Prose made safe for roff: backslashes escaped, a line that would start with a control
// character ("." or "'") neutralised.
std::string roffText(std::string_view text);
// An option name or a command line: as roffText, and every "-" a minus sign, so that the
// page can be copied into a shell.
std::string roffCode(std::string_view text);

} // namespace kq70
