#include "ListingCommands.h"

#include "OutputGuard.h"
#include "TerminalPrompt.h"
#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "output/HCsvFileWriter.h"
#include "output/HKQ70Output.h"
#include "output/ListingPages.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace kq70 {

namespace {

// File > Open's checks and the read into the document; the document then names the file.
bool openDocument(const std::string& path, CKQ70Doc& doc, UserPrompt& prompt) {
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, prompt);
        return false;
    }
    if (!ReadDataFile(path, doc.GetMainMemory(), prompt)) {
        return false;
    }
    doc.setCurrentFilePath(path);
    return true;
}

} // namespace

void ListingCommands::add(CLI::App& app) {
    m_export = app.add_subcommand("export-csv", "Write a data file's listing as a CSV file");
    m_export->add_option("file", m_exportFile, "Data file (.k70)")->required();
    m_export->add_option("output", m_exportOutput, "CSV file to write")->required();
    m_exportMode.add(*m_export);

    m_listing = app.add_subcommand("listing", "Print a data file's listing, page by page");
    m_listing->add_option("file", m_listingFile, "Data file (.k70)")->required();
    m_listingMode.add(*m_listing);
}

bool ListingCommands::parsed() const {
    return (m_export != nullptr && m_export->parsed()) ||
           (m_listing != nullptr && m_listing->parsed());
}

int ListingCommands::run(std::istream& in, std::ostream& out, std::ostream& err,
                         bool interactive) const {
    return m_export->parsed() ? runExport(in, out, err, interactive)
                              : runListing(in, out, err, interactive);
}

int ListingCommands::runExport(std::istream& in, std::ostream& out, std::ostream& err,
                               bool interactive) const {
    AccessMode accessMode;
    TerminalPrompt prompt(in, err, interactive);
    CKQ70Doc doc;
    if (!outputIsNoInput(m_exportOutput, {m_exportFile}, err) ||
        !m_exportMode.grant(accessMode, in, err, interactive) ||
        !openDocument(m_exportFile, doc, prompt)) {
        return 1;
    }
    HCsvFileWriter writer(prompt);
    writer.setSetting(HTextFileWriter::DIALOG, "OFF");
    writer.setSetting(HTextFileWriter::FILE_PATH, m_exportOutput);
    HKQ70Output output(doc, accessMode.value(), doc.currentFilePath(), prompt);
    if (output.exportTo(writer) != HKQ70Output::ExportResult::Written) {
        return 1;
    }
    out << "Saved " << m_exportOutput << '\n';
    return 0;
}

int ListingCommands::runListing(std::istream& in, std::ostream& out, std::ostream& err,
                                bool interactive) const {
    AccessMode accessMode;
    TerminalPrompt prompt(in, err, interactive);
    CKQ70Doc doc;
    if (!standardOutputIsNoInput(out, m_listingFile, err) ||
        !m_listingMode.grant(accessMode, in, err, interactive) ||
        !openDocument(m_listingFile, doc, prompt)) {
        return 1;
    }
    const ListingPages listing(doc, accessMode.value(), doc.currentFilePath(), prompt);
    for (int n = 0; n < listing.pageCount(); ++n) {
        if (n != 0) {
            out << "\f\n";
        }
        for (const std::string& line : listing.page(n)) {
            out << line << '\n';
        }
    }
    return out.good() ? 0 : 1;
}

} // namespace kq70
