#pragma once

#include "CliAccessMode.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace kq70 {

// `kq70-cli import-csv FILE CSV`: applies a CSV file in the layout of File > Export to CSV to
// a data file, as the access mode lets a user enter it, and writes FILE (or -o OUT) whole
// only when every cell was taken. Errors go to the error stream (as JSON with --json), one
// per bad cell with its line and column, and nothing is written. Programmed channels the CSV
// does not list are kept, or made unused with --unlisted unprogram; the output says which.
class ImportCsvCommand {
public:
    void add(CLI::App& app);
    bool parsed() const;
    int run(std::istream& in, std::ostream& out, std::ostream& err, bool interactive) const;

private:
    CLI::App* m_command = nullptr;
    std::string m_path;
    std::string m_csvPath;
    std::optional<std::string> m_outputPath;
    AccessModeOptions m_mode;
    std::string m_unlisted = "keep";
    bool m_json = false;
};

} // namespace kq70
