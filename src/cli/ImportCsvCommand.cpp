#include "ImportCsvCommand.h"

#include "TerminalPrompt.h"
#include "app/AccessMode.h"
#include "doc/DataFile.h"
#include "output/CsvImport.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kq70 {

namespace {

constexpr int JSON_INDENT = 2;
constexpr const char* KEEP = "keep";
constexpr const char* UNPROGRAM = "unprogram";

nlohmann::json errorsJson(const std::vector<CsvImportError>& errors) {
    nlohmann::json list = nlohmann::json::array();
    for (const CsvImportError& e : errors) {
        list.push_back(
            {{"line", e.line}, {"column", e.column}, {"reason", e.reason}, {"text", e.text()}});
    }
    return {{"errors", list}};
}

std::string dump(const nlohmann::json& json) {
    return json.dump(JSON_INDENT, ' ', false, nlohmann::json::error_handler_t::replace);
}

// What became of the programmed channels the CSV does not list.
std::string unlistedLine(const CsvImportResult& result, bool unprogram) {
    const std::size_t count = result.unlistedChannels.size();
    if (count == 0) {
        return {};
    }
    std::string numbers;
    for (const int channel : result.unlistedChannels) {
        numbers += (numbers.empty() ? "" : ", ") + std::to_string(channel);
    }
    return std::to_string(count) + " programmed channel(s) not in the CSV " +
           (unprogram ? "were made unused" : "were kept (--unlisted unprogram makes them unused)") +
           ": " + numbers + "\n";
}

} // namespace

void ImportCsvCommand::add(CLI::App& app) {
    m_command = app.add_subcommand(
        "import-csv", "Set a data file's values from a CSV file in the layout of export-csv");
    m_command->add_option("file", m_path, "Data file (.k70)")->required();
    m_command->add_option("csv", m_csvPath, "CSV file to import")->required();
    m_command->add_option("-o,--output", m_outputPath, "Write the result here, not over FILE");
    m_mode.add(*m_command);
    m_command
        ->add_option("--unlisted", m_unlisted,
                     "Programmed channels the CSV does not list: keep (default) or unprogram")
        ->check(CLI::IsMember({KEEP, UNPROGRAM}));
    m_command->add_flag("--json", m_json, "Errors (on the error stream) and the result as JSON");
}

bool ImportCsvCommand::parsed() const {
    return m_command != nullptr && m_command->parsed();
}

int ImportCsvCommand::run(std::istream& in, std::ostream& out, std::ostream& err,
                          bool interactive) const {
    AccessMode accessMode;
    TerminalPrompt prompt(in, err, interactive);
    if (!m_mode.grant(accessMode, in, err, interactive)) {
        return 1;
    }
    const std::string target = m_outputPath.value_or(m_path);
    if (m_outputPath && !HasDataFileExtension(*m_outputPath)) {
        err << "kq70-cli: the output file " << *m_outputPath << " must end in .k70\n";
        return 1;
    }
    const int status = OpenCheckStatus(m_path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, m_path, prompt);
        return 1;
    }
    RadioImage image;
    if (!ReadDataFile(m_path, image, prompt)) {
        return 1;
    }
    const bool unprogram = m_unlisted == UNPROGRAM;
    const CsvImport import(accessMode.value(),
                           unprogram ? UnlistedChannels::Unprogram : UnlistedChannels::Keep);
    const CsvImportResult result = import.importFile(image, m_csvPath);
    if (!result.ok()) {
        if (m_json) {
            err << dump(errorsJson(result.errors)) << '\n';
        } else {
            for (const CsvImportError& e : result.errors) {
                err << "kq70-cli: " << m_csvPath << ": " << e.text() << '\n';
            }
            err << "kq70-cli: the CSV file was not imported; nothing was written\n";
        }
        return 1;
    }
    if (!CheckWritable(target, prompt) || !WriteDataFile(target, result.image, prompt)) {
        return 1;
    }
    if (m_json) {
        out << dump({{"written", target},
                     {"unlisted", unprogram ? "unprogrammed" : "kept"},
                     {"unlistedChannels", result.unlistedChannels}})
            << '\n';
    } else {
        out << "Wrote " << target << '\n' << unlistedLine(result, unprogram);
    }
    return 0;
}

} // namespace kq70
