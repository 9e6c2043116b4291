#include "PrintSetupDialog.h"

#include "DialogButtons.h"
#include "QtText.h"
#include "ui/Strings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kq70 {

namespace {

// The paper sizes dealers print on; a printer's own odd sizes stay reachable through the
// system's print dialog.
constexpr QPageSize::PageSizeId PAPER_SIZES[] = {QPageSize::A4, QPageSize::Letter, QPageSize::Legal,
                                                 QPageSize::A3, QPageSize::A5,     QPageSize::B5};

} // namespace

PrintSetupDialog::PrintSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer) {
    setObjectName(QStringLiteral("printSetup"));
    setWindowTitle(qt(text::PRINT_SETUP_TITLE));
    setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("printers"));
    addPrinters();
    form->addRow(qt(text::PRINT_SETUP_PRINTER), m_printers);
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paper"));
    addPaperSizes();
    form->addRow(qt(text::PRINT_SETUP_PAPER), m_paper);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    nameDialogButtons(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void PrintSetupDialog::addPrinters() {
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty()) {
        m_printers->addItem(qt(text::PRINT_SETUP_NO_PRINTER));
        m_printers->setEnabled(false);
        return;
    }
    m_printers->addItems(names);
    const QString current =
        m_printer.outputFormat() == QPrinter::NativeFormat && !m_printer.printerName().isEmpty()
            ? m_printer.printerName()
            : QPrinterInfo::defaultPrinterName();
    m_printers->setCurrentIndex(std::max(0, static_cast<int>(names.indexOf(current))));
}

void PrintSetupDialog::addPaperSizes() {
    const QPageSize::PageSizeId current = m_printer.pageLayout().pageSize().id();
    for (const QPageSize::PageSizeId id : PAPER_SIZES) {
        m_paper->addItem(QPageSize::name(id), static_cast<int>(id));
    }
    if (std::find(std::begin(PAPER_SIZES), std::end(PAPER_SIZES), current) ==
        std::end(PAPER_SIZES)) {
        m_paper->addItem(QPageSize::name(current), static_cast<int>(current));
    }
    m_paper->setCurrentIndex(m_paper->findData(static_cast<int>(current)));
}

void PrintSetupDialog::accept() {
    if (m_printers->isEnabled()) {
        // A printer chosen here prints on paper again, even after a print to a file.
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setPrinterName(m_printers->currentText());
    }
    m_printer.setPageSize(
        QPageSize(static_cast<QPageSize::PageSizeId>(m_paper->currentData().toInt())));
    QDialog::accept();
}

} // namespace kq70
