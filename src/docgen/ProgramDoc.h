#pragma once

#include <string>
#include <vector>

namespace kq70 {

// One option or operand of a program, as its manual page and shell completion show it.
struct OptionDoc {
    std::vector<std::string> names; // "-h", "--help"; empty for an operand
    std::string valueName;          // the value's name; empty for a flag
    std::string description;
    std::vector<std::string> choices; // the only values the option takes, when it has a list
    bool required = false;
    bool repeats = false;
};

// A program or one of its commands.
struct CommandDoc {
    std::string name;
    std::string description;
    std::vector<OptionDoc> options;
    std::vector<OptionDoc> operands;
    std::vector<CommandDoc> commands;
};

// One entry of a manual section: a paragraph, or a tagged paragraph (a file, a variable,
// an exit code, an example command line).
struct ManEntry {
    std::string tag;
    std::string text;
};

struct ManSection {
    std::string title;
    std::vector<ManEntry> entries;
};

// Everything a manual page and a completion script are made from. The options come from
// the program's own option definitions, so the pages cannot drift from the program.
struct ProgramDoc {
    CommandDoc program;
    std::string summary; // the NAME line after the dash
    std::string version; // "KQ70 1.01"
    std::vector<ManEntry> description;
    std::vector<ManSection> sections; // after OPTIONS and COMMANDS
};

} // namespace kq70
