#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

enum class DesktopOptionId { Help, Version, Home, ExitWhenShown, Doc };

// One of the desktop program's own options. The parser and the manual page both read this
// table, so a new option shows up in both.
struct DesktopOption {
    DesktopOptionId id;
    std::string_view name;      // "--home"
    std::string_view valueName; // empty for a flag
    std::string_view description;
    bool listed; // false for options meant for tools, not people
};

// What kq70 takes besides its options: the access-mode switch or a data file.
struct DesktopOperand {
    std::string_view name;
    std::string_view description;
};

std::span<const DesktopOption> desktopOptions();
std::span<const DesktopOperand> desktopOperands();

// kq70's command line after the program name. Its own options are taken wherever they
// stand ("--home DIR" or "--home=DIR"); every other argument is left, in order, for the
// start-up to read as the mode switch or the file to open.
struct DesktopCommandLine {
    bool help = false;
    bool version = false;
    bool exitWhenShown = false; // for start-up measurements and smoke tests
    std::optional<std::string> home;
    std::string doc; // "man": print the manual page
    std::vector<std::string> rest;
    std::string error; // not empty when the line cannot be used
};

DesktopCommandLine parseDesktopCommandLine(const std::vector<std::string>& args);

// `kq70 --help`.
std::string desktopHelpText();

} // namespace kq70
