#pragma once

#include <QDialog>

class QComboBox;
class QPrinter;

namespace kq70 {

// File > Print Setup: the printer the listing goes to and the paper it is printed on (which
// the PDF export uses too). OK makes the choice the printer's; Cancel changes nothing.
class PrintSetupDialog : public QDialog {
public:
    PrintSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    void accept() override;

private:
    void addPrinters();
    void addPaperSizes();

    QPrinter& m_printer;
    QComboBox* m_printers = nullptr;
    QComboBox* m_paper = nullptr;
};

} // namespace kq70
