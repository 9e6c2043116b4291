#include "DiffCommand.h"

#include "CliAccessMode.h"
#include "JsonDocument.h"
#include "TerminalPrompt.h"
#include "app/AccessMode.h"
#include "doc/DataFile.h"
#include "image/RadioImage.h"
#include "output/ImageComparison.h"
#include "ui/Strings.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kq70 {

namespace {

constexpr int EXIT_EQUAL = 0;
constexpr int EXIT_DIFFERENT = 1;
constexpr int EXIT_TROUBLE = 2;

// File > Open's checks and the read into `image`; false after the program's message.
bool readImage(const std::string& path, RadioImage& image, UserPrompt& prompt) {
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, prompt);
        return false;
    }
    return ReadDataFile(path, image, prompt);
}

std::string quotedValue(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

DiffCommand::DiffCommand(CLI::App& app) {
    m_diff =
        app.add_subcommand("diff", "Compare two data files as the pages and the grid show them "
                                   "(exit 0 equal, 1 different, 2 trouble)");
    m_diff->add_option("a", m_pathA, "First data file (.k70)")->required();
    m_diff->add_option("b", m_pathB, "Second data file (.k70)")->required();
    // The manufacture, adjustment and E modes show values the normal mode keeps hidden.
    m_mode.add(*m_diff, "Show values as in access mode");
    m_diff->add_flag("--json", m_json, "Print the differences as JSON");
}

bool DiffCommand::parsed() const {
    return m_diff != nullptr && m_diff->parsed();
}

int DiffCommand::run(std::istream& in, std::ostream& out, std::ostream& err,
                     bool interactive) const {
    AccessMode granted;
    if (!m_mode.grant(granted, in, err, interactive)) {
        return EXIT_TROUBLE;
    }
    TerminalPrompt prompt(in, err, interactive);
    auto a = std::make_unique<RadioImage>();
    auto b = std::make_unique<RadioImage>();
    for (const auto& [path, image] : {std::pair{&m_pathA, a.get()}, std::pair{&m_pathB, b.get()}}) {
        if (!readImage(*path, *image, prompt)) {
            // Not every message of the file checks names the file.
            err << "kq70-cli: cannot compare: " << *path << " could not be read\n";
            return EXIT_TROUBLE;
        }
    }
    const ImageComparison comparison = ImageComparison::compare(*a, *b, m_mode.mode);
    if (m_json) {
        printJson(comparison, m_pathA, m_pathB, m_mode.mode, out);
    } else {
        printText(comparison, out);
    }
    return comparison.equal() ? EXIT_EQUAL : EXIT_DIFFERENT;
}

void DiffCommand::printText(const ImageComparison& comparison, std::ostream& out) {
    const std::string* section = nullptr;
    for (const ComparisonEntry& entry : comparison.entries()) {
        if (section == nullptr || *section != entry.section) {
            section = &entry.section;
            out << '[' << entry.section << "]\n";
        }
        out << entry.caption << ": " << quotedValue(entry.valueA) << " -> "
            << quotedValue(entry.valueB) << '\n';
    }
    if (comparison.unshownDifferences() > 0) {
        out << '[' << text::COMPARE_SECTION_UNSHOWN << "]\n"
            << text::COMPARE_UNSHOWN_CAPTION << ": " << comparison.unshownDifferences() << '\n';
    }
}

void DiffCommand::printJson(const ImageComparison& comparison, const std::string& pathA,
                            const std::string& pathB, int mode, std::ostream& out) {
    Json entries = Json::array();
    for (const ComparisonEntry& entry : comparison.entries()) {
        Json item = {{"section", entry.section},
                     {"caption", entry.caption},
                     {"a", entry.valueA},
                     {"b", entry.valueB}};
        if (entry.channel != 0) {
            item["channel"] = entry.channel;
        }
        entries.push_back(std::move(item));
    }
    const Json document = {{"a", pathA},
                           {"b", pathB},
                           {"mode", mode},
                           {"equal", comparison.equal()},
                           {"entries", std::move(entries)},
                           {"unshownBytes", comparison.unshownDifferences()}};
    out << document.dump(2) << '\n';
}

} // namespace kq70
