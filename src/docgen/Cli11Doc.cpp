#include "Cli11Doc.h"

#include "BashCompletion.h"
#include "ManPage.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace kq70 {

namespace {

// CLI11 names a value by its type and appends each check's description: "TEXT:{a,b}".
std::vector<std::string> choicesOf(const std::string& typeName) {
    const std::size_t open = typeName.find('{');
    const std::size_t close = typeName.find('}', open);
    std::vector<std::string> choices;
    if (open == std::string::npos || close == std::string::npos) {
        return choices;
    }
    const std::string list = typeName.substr(open + 1, close - open - 1);
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start) {
            choices.push_back(list.substr(start, comma - start));
        }
        start = comma + 1;
    }
    return choices;
}

OptionDoc describeOption(const CLI::Option& option) {
    OptionDoc doc;
    for (const std::string& name : option.get_snames()) {
        doc.names.push_back("-" + name);
    }
    for (const std::string& name : option.get_lnames()) {
        doc.names.push_back("--" + name);
    }
    doc.description = option.get_description();
    doc.required = option.get_required();
    doc.repeats = option.get_expected_max() > 1;
    if (!option.nonpositional()) {
        doc.valueName = option.get_name(true);
    } else if (option.get_items_expected_max() > 0) { // not a flag
        const std::string typeName = option.get_type_name();
        doc.choices = choicesOf(typeName);
        doc.valueName = typeName.substr(0, typeName.find(':'));
        if (doc.valueName.empty()) {
            doc.valueName = "VALUE";
        }
    }
    return doc;
}

bool known(const CommandDoc& doc, const OptionDoc& option) {
    for (const OptionDoc& other : doc.options) {
        if (!option.names.empty() && other.names == option.names) {
            return true;
        }
    }
    return false;
}

void addOptions(CommandDoc& doc, const CLI::App& app) {
    for (const CLI::Option* option : app.get_options()) {
        OptionDoc described = describeOption(*option);
        // Option groups carry a copy of their command's help flag.
        if (option->get_group().empty() || known(doc, described)) {
            continue;
        }
        (described.names.empty() ? doc.operands : doc.options).push_back(std::move(described));
    }
    const auto listed = [](const CLI::App* command) { return !command->get_group().empty(); };
    for (const CLI::App* command : app.get_subcommands(listed)) {
        // An option group is a nameless subcommand; its options are the command's own.
        if (command->get_name().empty()) {
            addOptions(doc, *command);
        } else {
            doc.commands.push_back(describeCommand(*command));
        }
    }
}

} // namespace

CommandDoc describeCommand(const CLI::App& app) {
    CommandDoc doc;
    doc.name = app.get_name();
    doc.description = app.get_description();
    addOptions(doc, app);
    return doc;
}

CLI::Option* addDocOption(CLI::App& app, std::string& format) {
    return app.add_option("--doc", format, "Print the manual page or the completion script")
        ->check(CLI::IsMember({"man", "bash-completion"}))
        ->group("");
}

int writeDoc(const std::string& format, const ProgramDoc& doc, std::ostream& out) {
    out << (format == "man" ? renderManPage(doc) : renderBashCompletion(doc));
    out.flush();
    return out ? 0 : 1;
}

} // namespace kq70
