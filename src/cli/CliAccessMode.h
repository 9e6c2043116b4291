#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace kq70 {

class AccessMode;

// The --mode and --mode-password options of the commands that work in an access mode.
struct AccessModeOptions {
    int mode = 0;
    std::optional<std::string> modePassword;

    // `what` says what the mode does for the command.
    void add(CLI::App& command, const std::string& what = "Access mode");
    // Grants the mode as the program does: a protected mode only with its password (from
    // --mode-password, else asked on the terminal). False, with a message on `err`, when it
    // is refused.
    bool grant(AccessMode& accessMode, std::istream& in, std::ostream& err, bool interactive) const;
};

// Why a protected access mode was refused: a wrong password, or none given.
std::string refusedModeText(int mode, bool passwordGiven);

} // namespace kq70
