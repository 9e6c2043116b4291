#include "app/DesktopCommandLine.h"

#include <algorithm>
#include <array>

namespace kq70 {

namespace {

constexpr std::array DESKTOP_OPTIONS = {
    DesktopOption{DesktopOptionId::Help, "--help", "", "Show the options and exit", true},
    DesktopOption{DesktopOptionId::Version, "--version", "", "Show the program version and exit",
                  true},
    DesktopOption{DesktopOptionId::Home, "--home", "DIR",
                  "Program folder: settings, logs and default templates (else $KQ70_HOME, the "
                  "program's own folder when writable, or ~/.local/share/kq70)",
                  true},
    DesktopOption{DesktopOptionId::ExitWhenShown, "--exit-when-shown", "",
                  "Exit once the main window is painted", false},
    DesktopOption{DesktopOptionId::Doc, "--doc", "FORMAT", "Print the manual page (man)", false},
};

constexpr std::array DESKTOP_OPERANDS = {
    DesktopOperand{"/manu", "Start in the manufacture mode (also -manu, /MANU or -MANU); the "
                            "mode's password is asked first, and a wrong one starts the normal "
                            "mode. A switch counts only when it stands alone"},
    DesktopOperand{"/E", "Start in the E mode (also -E, /e or -e), after its password"},
    DesktopOperand{"FILE", "Open this data file (.K70) instead of a new document; when KQ70 "
                           "already runs, the running window opens it. With a mode switch "
                           "before it (kq70 /manu FILE.K70) the switch is ignored and the file "
                           "opens in the normal mode: to work on a file in another mode, start "
                           "in that mode and use File > Open"},
};

void apply(DesktopCommandLine& line, DesktopOptionId id, std::string value) {
    switch (id) {
    case DesktopOptionId::Help:
        line.help = true;
        break;
    case DesktopOptionId::Version:
        line.version = true;
        break;
    case DesktopOptionId::Home:
        line.home = std::move(value);
        break;
    case DesktopOptionId::ExitWhenShown:
        line.exitWhenShown = true;
        break;
    case DesktopOptionId::Doc:
        if (value != "man") {
            line.error = "--doc takes man";
        }
        line.doc = std::move(value);
        break;
    }
}

const DesktopOption* findOption(std::string_view name) {
    const auto it = std::find_if(DESKTOP_OPTIONS.begin(), DESKTOP_OPTIONS.end(),
                                 [name](const DesktopOption& o) { return o.name == name; });
    return it == DESKTOP_OPTIONS.end() ? nullptr : &*it;
}

} // namespace

std::span<const DesktopOption> desktopOptions() {
    return DESKTOP_OPTIONS;
}

std::span<const DesktopOperand> desktopOperands() {
    return DESKTOP_OPERANDS;
}

DesktopCommandLine parseDesktopCommandLine(const std::vector<std::string>& args) {
    DesktopCommandLine line;
    for (std::size_t i = 0; i < args.size() && line.error.empty(); ++i) {
        const std::string& argument = args[i];
        const std::size_t equals = argument.find('=');
        const bool joined = argument.rfind("--", 0) == 0 && equals != std::string::npos;
        const DesktopOption* option =
            findOption(joined ? std::string_view(argument).substr(0, equals) : argument);
        if (option == nullptr) {
            line.rest.push_back(argument);
        } else if (option->valueName.empty()) {
            if (joined) {
                line.error = std::string(option->name) + " takes no value";
            } else {
                apply(line, option->id, {});
            }
        } else if (joined) {
            apply(line, option->id, argument.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            apply(line, option->id, args[++i]);
        } else {
            line.error = std::string(option->name) + " needs " + std::string(option->valueName);
        }
    }
    return line;
}

std::string desktopHelpText() {
    std::string text = "Usage: kq70 [OPTIONS] [/manu | /E | FILE]\n"
                       "KQ70: programming and service tool for QM-724 radios\n\nOptions:\n";
    // "  tag   description", the description wrapped at 79 columns under itself.
    const auto entry = [&text](std::string_view tag, std::string_view description) {
        constexpr std::size_t indent = 18;
        std::string line = "  " + std::string(tag);
        line.resize(std::max(line.size() + 2, indent), ' ');
        std::size_t start = 0;
        while (start < description.size()) {
            std::size_t end = std::min(description.size(), start + (79 - line.size()));
            if (end < description.size()) {
                const std::size_t blank = description.rfind(' ', end);
                end = blank == std::string_view::npos || blank <= start ? end : blank;
            }
            text += line + std::string(description.substr(start, end - start)) + "\n";
            line.assign(indent, ' ');
            start = description.find_first_not_of(' ', end);
        }
    };
    for (const DesktopOption& option : DESKTOP_OPTIONS) {
        if (option.listed) {
            entry(std::string(option.name) +
                      (option.valueName.empty() ? "" : " " + std::string(option.valueName)),
                  option.description);
        }
    }
    text += "\nArguments:\n";
    for (const DesktopOperand& operand : DESKTOP_OPERANDS) {
        entry(operand.name, operand.description);
    }
    return text;
}

} // namespace kq70
