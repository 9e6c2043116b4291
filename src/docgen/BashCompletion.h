#pragma once

#include "ProgramDoc.h"

#include <string>

namespace kq70 {

// A bash completion script for the program: its commands, each command's options, the
// listed values of an option, and file names for every other value and operand. It uses
// bash's own compgen only, so it works with or without the bash-completion package.
std::string renderBashCompletion(const ProgramDoc& doc);

} // namespace kq70
