#include "ManPage.h"

#include <cctype>

namespace kq70 {

namespace {

std::string escaped(std::string_view text, bool code) {
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) {
            out += "\\&";
        }
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-' && code) {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string bold(std::string_view code) {
    return "\\fB" + roffCode(code) + "\\fR";
}

std::string italic(std::string_view code) {
    return "\\fI" + roffCode(code) + "\\fR";
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        out += c == '"' ? std::string("\\(dq") : std::string(1, c);
    }
    return out + "\"";
}

std::string valueText(const OptionDoc& option) {
    if (option.choices.empty()) {
        return italic(option.valueName);
    }
    std::string out;
    for (const std::string& choice : option.choices) {
        out += (out.empty() ? "" : "|") + bold(choice);
    }
    return out;
}

std::string optionTag(const OptionDoc& option) {
    std::string tag;
    for (const std::string& name : option.names) {
        tag += (tag.empty() ? "" : ", ") + bold(name);
    }
    if (!option.valueName.empty() || !option.choices.empty()) {
        tag += (tag.empty() ? "" : " ") + valueText(option);
    }
    return tag + (option.repeats ? " ..." : "");
}

std::string operandUsage(const OptionDoc& operand) {
    const std::string name = italic(operand.valueName) + (operand.repeats ? " ..." : "");
    return operand.required ? name : "[" + name + "]";
}

// "name [OPTIONS] operands [COMMAND ...]" for one synopsis line.
std::string usage(const CommandDoc& command) {
    std::string line = bold(command.name);
    if (!command.options.empty()) {
        line += " [\\fIOPTIONS\\fR]";
    }
    for (const OptionDoc& operand : command.operands) {
        line += " " + operandUsage(operand);
    }
    if (!command.commands.empty()) {
        line += " \\fICOMMAND\\fR ...";
    }
    return line;
}

void writeOptions(std::string& out, const std::vector<OptionDoc>& options) {
    for (const OptionDoc& option : options) {
        out += ".TP\n" + optionTag(option) + "\n" + roffText(option.description) + "\n";
    }
}

void writeEntry(std::string& out, const ManEntry& entry) {
    if (entry.tag.empty()) {
        out += ".PP\n" + roffText(entry.text) + "\n";
    } else {
        out += ".TP\n" + bold(entry.tag) + "\n" + roffText(entry.text) + "\n";
    }
}

void writeSynopsis(std::string& out, const CommandDoc& program) {
    out += ".SH SYNOPSIS\n";
    if (program.commands.empty()) {
        out += usage(program) + "\n";
        return;
    }
    const std::string prefix = bold(program.name) + " [\\fIOPTIONS\\fR] ";
    bool first = true;
    for (const CommandDoc& command : program.commands) {
        out += (first ? "" : ".br\n") + prefix + usage(command) + "\n";
        first = false;
    }
}

void writeCommands(std::string& out, const CommandDoc& program) {
    if (program.commands.empty()) {
        return;
    }
    out += ".SH COMMANDS\n";
    for (const CommandDoc& command : program.commands) {
        out += ".SS " + quoted(roffCode(command.name)) + "\n";
        out += usage(command) + "\n.PP\n" + roffText(command.description) + "\n";
        writeOptions(out, command.operands);
        writeOptions(out, command.options);
    }
}

} // namespace

std::string roffText(std::string_view text) {
    return escaped(text, false);
}

std::string roffCode(std::string_view text) {
    return escaped(text, true);
}

std::string renderManPage(const ProgramDoc& doc) {
    const CommandDoc& program = doc.program;
    std::string out = ".\\\" Made from the program's own option definitions.\n";
    out += ".TH " + quoted(upper(program.name)) + " 1 \"\" " + quoted(doc.version) +
           " \"User Commands\"\n";
    out += ".SH NAME\n" + roffCode(program.name) + " \\- " + roffText(doc.summary) + "\n";
    writeSynopsis(out, program);
    out += ".SH DESCRIPTION\n" + roffText(program.description) + "\n";
    for (const ManEntry& entry : doc.description) {
        writeEntry(out, entry);
    }
    if (!program.options.empty() || !program.operands.empty()) {
        out += ".SH OPTIONS\n";
        writeOptions(out, program.options);
        writeOptions(out, program.operands);
    }
    writeCommands(out, program);
    for (const ManSection& section : doc.sections) {
        out += ".SH " + quoted(upper(section.title)) + "\n";
        for (const ManEntry& entry : section.entries) {
            writeEntry(out, entry);
        }
    }
    return out;
}

} // namespace kq70
