#include "DiffCommand.h"

#include "CliAccessMode.h"
#include "TerminalPrompt.h"
#include "app/AccessMode.h"
#include "app/Passwords.h"
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

using Json = nlohmann::ordered_json;

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

// The manufacture, adjustment and E modes show values the normal mode keeps hidden: they
// are granted with their password only, as at the program's start.
bool grantMode(int wanted, const std::optional<std::string>& password, std::istream& in,
               std::ostream& err, bool interactive) {
    if (wanted == ACCESS_NORMAL) {
        return true;
    }
    TerminalPrompt prompt(in, err, interactive);
    prompt.setPassword(password);
    AccessMode mode;
    if (wanted == ACCESS_ADJUSTMENT) {
        unlockAdjustmentMode(mode, prompt);
    } else {
        mode.set(wanted);
        confirmStartupAccessMode(mode, prompt);
    }
    if (mode.value() != wanted) {
        err << "kq70-cli: " << refusedModeText(wanted, prompt.passwordGiven()) << '\n';
        return false;
    }
    return true;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

DiffCommand::DiffCommand(CLI::App& app) {
    m_diff =
        app.add_subcommand("diff", "Compare two data files as the pages and the grid show them "
                                   "(exit 0 equal, 1 different, 2 trouble)");
    m_diff->add_option("a", m_pathA, "First data file (.k70)")->required();
    m_diff->add_option("b", m_pathB, "Second data file (.k70)")->required();
    m_diff
        ->add_option(
            "--mode", m_mode,
            "Show values as in access mode 0 normal, 1 manufacture, 2 adjustment, 4 E mode")
        ->check(CLI::IsMember({0, 1, 2, 4}));
    m_diff->add_option("--mode-password", m_modePassword,
                       "The access mode's password (asked on the terminal when missing)");
    m_diff->add_flag("--json", m_json, "Print the differences as JSON");
}

bool DiffCommand::parsed() const {
    return m_diff != nullptr && m_diff->parsed();
}

int DiffCommand::run(std::istream& in, std::ostream& out, std::ostream& err,
                     bool interactive) const {
    if (!grantMode(m_mode, m_modePassword, in, err, interactive)) {
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
    const ImageComparison comparison = ImageComparison::Compare(*a, *b, m_mode);
    if (m_json) {
        printJson(comparison, m_pathA, m_pathB, m_mode, out);
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
        out << entry.caption << ": " << quoted(entry.valueA) << " -> " << quoted(entry.valueB)
            << '\n';
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
