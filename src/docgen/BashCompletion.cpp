#include "BashCompletion.h"

#include <cctype>

namespace kq70 {

namespace {

std::string functionName(const std::string& program) {
    std::string name = "_";
    for (const char c : program) {
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
}

// One shell word in single quotes.
std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

std::string joined(const std::vector<std::string>& words, const char* separator = " ") {
    std::string out;
    for (const std::string& word : words) {
        out += (out.empty() ? "" : separator) + word;
    }
    return out;
}

std::string wordsReply(const std::vector<std::string>& words) {
    return "COMPREPLY=($(compgen -W " + shellQuoted(joined(words)) + " -- \"$cur\"))";
}

constexpr const char* FILES_REPLY = "COMPREPLY=($(compgen -f -- \"$cur\"))";

// A number has nothing to complete; any other value may be a file.
std::string valueReply(const OptionDoc& option) {
    if (!option.choices.empty()) {
        return wordsReply(option.choices);
    }
    for (const char* number : {"INT", "UINT", "FLOAT", "NUMBER"}) {
        if (option.valueName == number) {
            return "COMPREPLY=()";
        }
    }
    return FILES_REPLY;
}

std::vector<std::string> optionNames(const CommandDoc& command) {
    std::vector<std::string> names;
    for (const OptionDoc& option : command.options) {
        names.insert(names.end(), option.names.begin(), option.names.end());
    }
    return names;
}

// The case arms that complete the value after an option that takes one. `key` is the
// command's name, empty for the program's own options.
void writeValueArms(std::string& out, const std::string& key, const CommandDoc& command) {
    for (const OptionDoc& option : command.options) {
        if (option.valueName.empty() && option.choices.empty()) {
            continue;
        }
        std::string patterns;
        for (const std::string& name : option.names) {
            patterns += (patterns.empty() ? "" : "|") + shellQuoted(key + " " + name);
        }
        out += "    " + patterns + ")\n        " + valueReply(option) + "\n        return ;;\n";
    }
}

} // namespace

std::string renderBashCompletion(const ProgramDoc& doc) {
    const CommandDoc& program = doc.program;
    const std::string function = functionName(program.name);
    std::vector<std::string> commandNames;
    std::vector<std::string> commandPatterns;
    for (const CommandDoc& command : program.commands) {
        commandNames.push_back(command.name);
        commandPatterns.push_back(shellQuoted(command.name));
    }

    std::string out = "# bash completion for " + program.name +
                      "; made from the program's own option definitions.\n";
    out += function + "() {\n";
    out += "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n";
    out += "    local command= i\n";
    if (!commandNames.empty()) {
        out += "    for ((i = 1; i < COMP_CWORD; i++)); do\n";
        out += "        case ${COMP_WORDS[i]} in\n";
        out += "        " + joined(commandPatterns, "|") + ")\n";
        out += "            command=${COMP_WORDS[i]}\n            break ;;\n";
        out += "        esac\n    done\n";
    }
    out += "    case \"$command $prev\" in\n";
    writeValueArms(out, "", program);
    for (const CommandDoc& command : program.commands) {
        writeValueArms(out, command.name, command);
    }
    out += "    esac\n";

    out += "    if [[ $cur == -* ]]; then\n        case $command in\n";
    out += "        '') " + wordsReply(optionNames(program)) + " ;;\n";
    for (const CommandDoc& command : program.commands) {
        out += "        " + shellQuoted(command.name) + ") " + wordsReply(optionNames(command)) +
               " ;;\n";
    }
    out += "        esac\n        return\n    fi\n";
    if (commandNames.empty()) {
        out += "    " + std::string(FILES_REPLY) + "\n";
    } else {
        out += "    if [[ -z $command ]]; then\n        " + wordsReply(commandNames) +
               "\n    else\n        " + FILES_REPLY + "\n    fi\n";
    }
    out += "}\ncomplete -o filenames -F " + function + " " + program.name + "\n";
    return out;
}

} // namespace kq70
