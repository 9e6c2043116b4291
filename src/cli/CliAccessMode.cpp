#include "CliAccessMode.h"

#include "TerminalPrompt.h"
#include "app/AccessMode.h"
#include "app/Passwords.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace kq70 {

void AccessModeOptions::add(CLI::App& command, const std::string& what) {
    command.add_option("--mode", mode, what + ": 0 normal, 1 manufacture, 2 adjustment, 4 E mode")
        ->check(CLI::IsMember({0, 1, 2, 4}));
    command.add_option("--mode-password", modePassword,
                       "The access mode's password (asked on the terminal when missing)");
}

std::string refusedModeText(int mode, bool passwordGiven) {
    return passwordGiven ? "the password for access mode " + std::to_string(mode) + " is wrong"
                         : "access mode " + std::to_string(mode) + " needs its password";
}

bool AccessModeOptions::grant(AccessMode& accessMode, std::istream& in, std::ostream& err,
                              bool interactive) const {
    TerminalPrompt modePrompt(in, err, interactive);
    modePrompt.setPassword(modePassword);
    if (!grantAccessMode(accessMode, mode, modePrompt)) {
        err << "kq70-cli: " << refusedModeText(mode, modePrompt.passwordGiven()) << '\n';
        return false;
    }
    return true;
}

} // namespace kq70
