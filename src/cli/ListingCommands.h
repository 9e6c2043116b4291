#pragma once

#include "CliAccessMode.h"
#include "CliContext.h"

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace kq70 {

// The listing commands of kq70-cli: `export-csv` writes the CSV file of File > Export to CSV,
// `listing` prints the pages of File > Print on the output stream, a form-feed line between
// two pages. Both open the data file as the program does (File > Open, then the channel view's
// first refresh, without writing the file) and show what the access mode shows, with the
// texts the grid shows. Exit codes: 0 on success, 1 with the program's message on the error
// stream.
class ListingCommands {
public:
    using Context = CliContext;

    void add(CLI::App& app);
    bool parsed() const;
    int run(const Context& context) const;

private:
    int runExport(const Context& context) const;
    int runListing(const Context& context) const;

    CLI::App* m_export = nullptr;
    CLI::App* m_listing = nullptr;
    AccessModeOptions m_exportMode;
    AccessModeOptions m_listingMode;
    std::string m_exportFile;
    std::string m_exportOutput;
    std::string m_listingFile;
};

} // namespace kq70
