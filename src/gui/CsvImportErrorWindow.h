#pragma once

#include "frame/CsvImportCommand.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace kq70 {

// Why File > Import from CSV took nothing: a line naming the file, then each error with its
// line, column and reason. Enter, Space on the button and Escape close it.
class CsvImportErrorWindow : public QDialog {
public:
    explicit CsvImportErrorWindow(const CsvImportErrorList& errors, QWidget* parent = nullptr);

    QString summary() const;
    QTableWidget& table() { return *m_table; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_summary;
    QTableWidget* m_table;
};

} // namespace kq70
