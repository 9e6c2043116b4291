#include "ListingCommands.h"

#include "CliChannelView.h"
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

// The file opened as the program opens it: File > Open's checks, the read into the document
// (which then names the file), and the channel view's first refresh, which brings values the
// grid cannot show to what it shows. Nothing goes back to the file; the error stream says
// when the refresh changed the image.
bool openDocument(const std::string& path, CKQ70Doc& doc, CliChannelView& view, UserPrompt& prompt,
                  std::ostream& err) {
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, prompt);
        return false;
    }
    if (!ReadDataFile(path, doc.GetMainMemory(), prompt)) {
        return false;
    }
    doc.SetCurrentFilePath(path);
    CliChannelView::reportChanges(err, path, view.show(doc.GetMainMemory()));
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

int ListingCommands::run(const Context& context) const {
    return m_export->parsed() ? runExport(context) : runListing(context);
}

int ListingCommands::runExport(const Context& context) const {
    AccessMode accessMode;
    TerminalPrompt prompt(context.in, context.err, context.interactive);
    if (!outputIsNoInput(m_exportOutput, {m_exportFile}, context.err) ||
        !m_exportMode.grant(accessMode, context.in, context.err, context.interactive)) {
        return 1;
    }
    CKQ70Doc doc;
    CliChannelView view(prompt, accessMode, context.programFolder);
    if (!openDocument(m_exportFile, doc, view, prompt, context.err)) {
        return 1;
    }
    HCsvFileWriter writer(prompt);
    writer.setSetting(HTextFileWriter::DIALOG, "OFF");
    writer.setSetting(HTextFileWriter::FILE_PATH, m_exportOutput);
    HKQ70Output output(doc, accessMode.value(), doc.GetCurrentFilePath(), prompt);
    if (output.exportTo(writer) != HKQ70Output::ExportResult::Written) {
        return 1;
    }
    context.out << "Saved " << m_exportOutput << '\n';
    return 0;
}

int ListingCommands::runListing(const Context& context) const {
    AccessMode accessMode;
    TerminalPrompt prompt(context.in, context.err, context.interactive);
    if (!standardOutputIsNoInput(context.out, m_listingFile, context.err) ||
        !m_listingMode.grant(accessMode, context.in, context.err, context.interactive)) {
        return 1;
    }
    CKQ70Doc doc;
    CliChannelView view(prompt, accessMode, context.programFolder);
    if (!openDocument(m_listingFile, doc, view, prompt, context.err)) {
        return 1;
    }
    std::ostream& out = context.out;
    const ListingPages listing(doc, accessMode.value(), doc.GetCurrentFilePath(), prompt);
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
