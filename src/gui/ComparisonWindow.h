#pragma once

#include "frame/CompareCommands.h"

#include <QDialog>

class QLabel;
class QTabWidget;
class QTableWidget;

namespace kq70 {

// The result of File > Compare With... or Radio > Compare With Radio: a line saying how much
// differs, then a table per section (radio identity, each page, groups, channels) with the
// item and its value on each side.
class ComparisonWindow : public QDialog {
public:
    explicit ComparisonWindow(const ComparisonResult& result, QWidget* parent = nullptr);

    QString summary() const;
    QTabWidget& sections() { return *m_sections; }
    QTableWidget* table(int section) const;

private:
    QTableWidget* makeTable(const ComparisonTable& table, const ComparisonResult& result);

    QLabel* m_summary;
    QTabWidget* m_sections;
};

} // namespace kq70
