#pragma once

#include "ProgramDoc.h"

#include <iosfwd>
#include <string>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace kq70 {

// A program's or command's options and commands as its CLI11 definition has them. Options
// and commands without a group are hidden and left out.
CommandDoc describeCommand(const CLI::App& app);

// The hidden "--doc man|bash-completion" option: the build makes the installed manual page
// and completion script with it from the very option definitions the program parses.
CLI::Option* addDocOption(CLI::App& app, std::string& format);
// Writes the page or script `format` names; the program's exit code.
int writeDoc(const std::string& format, const ProgramDoc& doc, std::ostream& out);

} // namespace kq70
