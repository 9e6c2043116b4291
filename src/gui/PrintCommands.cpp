#include "PrintCommands.h"

#include "ListingPrinter.h"
#include "PrintSetupDialog.h"
#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "frame/DocumentListener.h"
#include "output/HCsvFileWriter.h"
#include "output/HKQ70Output.h"
#include "output/ListingPages.h"
#include "output/PdfListingExport.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace kq70 {

namespace {

// Marks a print job as running for as long as it lives.
class PrintingScope {
public:
    explicit PrintingScope(bool& printing) : m_printing(printing) { m_printing = true; }
    ~PrintingScope() { m_printing = false; }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    bool& m_printing;
};

std::vector<std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

PrintCommands::PrintCommands(CKQ70Doc& doc, const AccessMode& accessMode, UserPrompt& prompt,
                             DocumentListener& view, bool& printing, QWidget* parent)
    : m_doc(doc), m_accessMode(accessMode), m_prompt(prompt), m_view(view), m_printing(printing),
      m_parent(parent), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

PrintCommands::~PrintCommands() = default;

std::string PrintCommands::GetPrinterName() const {
    return m_printer->outputFormat() == QPrinter::NativeFormat
               ? m_printer->printerName().toStdString()
               : std::string();
}

void PrintCommands::SetPrinterName(const std::string& name) {
    if (!name.empty()) {
        m_printer->setPrinterName(QString::fromStdString(name));
    }
}

ListingPrinter PrintCommands::CommittedListing() {
    m_view.viewSaveData();
    const ListingPages pages(m_doc, m_accessMode.value(), m_doc.GetCurrentFilePath(), m_prompt);
    return ListingPrinter(pages.pages());
}

void PrintCommands::OnFilePrint() {
    const ListingPrinter listing = CommittedListing();
    QPrintDialog dialog(m_printer.get(), m_parent);
    dialog.setMinMax(1, listing.pageCount());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const PrintingScope scope(m_printing);
    PrintPages(listing);
}

void PrintCommands::PrintPages(const ListingPrinter& listing) {
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        PrintToFile(listing);
    } else if (!listing.print(*m_printer)) {
        m_prompt.message(text::PRINT_FAILED, MessageIcon::Stop);
    }
}

void PrintCommands::PrintToFile(const ListingPrinter& listing) {
    // Drawn in memory and put in place whole, so a failed print leaves no partial file.
    const auto [first, last] = listing.chosenPages(*m_printer);
    PdfListingExport file(m_prompt, [this, &listing, first = first, last = last] {
        return bytesOf(listing.pdf(m_printer->pageLayout(), m_printer->resolution(), first, last));
    });
    file.writeTo(m_printer->outputFileName().toStdString());
}

void PrintCommands::OnFilePrintPreview() {
    const ListingPrinter listing = CommittedListing();
    const PrintingScope scope(m_printing);
    // The preview shows the whole listing; its Print button asks for a range anew.
    m_printer->setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog dialog(m_printer.get(), m_parent);
    dialog.setObjectName(QStringLiteral("printPreview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, &listing](QPrinter* printer) {
                         if (printer->paintEngine()->type() == QPaintEngine::Picture) {
                             listing.print(*printer); // the preview's own pages
                         } else {
                             PrintPages(listing); // the preview's Print button
                         }
                     });
    dialog.exec();
}

void PrintCommands::OnFilePrintSetup() {
    PrintSetupDialog dialog(*m_printer, m_parent);
    dialog.exec();
}

void PrintCommands::OnFileExportPdf() {
    const ListingPrinter listing = CommittedListing();
    PdfListingExport file(m_prompt, [this, &listing] {
        return bytesOf(listing.pdf(m_printer->pageLayout(), m_printer->resolution(), 0,
                                   listing.pageCount() - 1));
    });
    file.run(m_doc);
}

void PrintCommands::OnFileExportCsv() {
    m_view.viewSaveData();
    HCsvFileWriter writer(m_prompt);
    HKQ70Output(m_doc, m_accessMode.value(), m_doc.GetCurrentFilePath(), m_prompt).exportTo(writer);
}

} // namespace kq70
