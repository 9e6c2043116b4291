#pragma once

#include <memory>
#include <string>

class QPrinter;
class QWidget;

namespace kq70 {

class AccessMode;
class CKQ70Doc;
class DocumentListener;
class ListingPrinter;
class UserPrompt;

// The File menu's listing commands: Print, Print Preview, Print Setup, Export Listing as PDF
// and Export to CSV. Each first has the view commit its edits, so what comes out is what the
// window shows. The printer and its settings live as long as the window.
class PrintCommands {
public:
    // `printing` is set from the start to the end of a print job or preview; the window
    // refuses to close meanwhile.
    PrintCommands(CKQ70Doc& doc, const AccessMode& accessMode, UserPrompt& prompt,
                  DocumentListener& view, bool& printing, QWidget* parent);
    ~PrintCommands();
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;

    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnFileExportPdf();
    void OnFileExportCsv();

    // The printer the listing goes to, as the information strip names it.
    std::string GetPrinterName() const;
    // The system's default printer, taken at start-up; empty when there is none.
    void SetPrinterName(const std::string& name);
    QPrinter& GetPrinter() { return *m_printer; }

private:
    ListingPrinter CommittedListing();
    // Prints on the printer's settings; a PDF file is put in place only when complete.
    void PrintPages(const ListingPrinter& listing);
    void PrintToFile(const ListingPrinter& listing);

    CKQ70Doc& m_doc;
    const AccessMode& m_accessMode;
    UserPrompt& m_prompt;
    DocumentListener& m_view;
    bool& m_printing;
    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace kq70
