#pragma once

#include "CliAccessMode.h"

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace kq70 {

// The listing commands of kq70-cli: `export-csv` writes the CSV file of File > Export to CSV,
// `listing` prints the pages of File > Print on the output stream, a form-feed line between
// two pages. Both read the data file as File > Open does and show what the access mode shows.
// Exit codes: 0 on success, 1 with the program's message on the error stream.
class ListingCommands {
public:
    void add(CLI::App& app);
    bool parsed() const;
    int run(std::istream& in, std::ostream& out, std::ostream& err, bool interactive) const;

private:
    int runExport(std::istream& in, std::ostream& out, std::ostream& err, bool interactive) const;
    int runListing(std::istream& in, std::ostream& out, std::ostream& err, bool interactive) const;

    CLI::App* m_export = nullptr;
    CLI::App* m_listing = nullptr;
    AccessModeOptions m_exportMode;
    AccessModeOptions m_listingMode;
    std::string m_exportFile;
    std::string m_exportOutput;
    std::string m_listingFile;
};

} // namespace kq70
