#pragma once

#include "AlignmentTask.h"
#include "ProcedureDialog.h"
#include "service/HBasicAlignment.h"

#include <QDialog>
#include <QPointer>

#include <map>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kq70 {

// The alignment window of a pass: the eighteen current values, a START button for every
// procedure grouped by what it aligns, the item groups, and the UNIT box for the levels.
// Each procedure opens in its own window; after it ends with OK the items go into the
// working image and the values show again. OK writes the aligned data back into the radio,
// Cancel the radio's former data.
class AlignmentWindow : public QDialog {
public:
    AlignmentWindow(HBasicAlignment& alignment, QWidget* parent = nullptr);
    ~AlignmentWindow() override;

    // The window's alignment channel, selected off the window thread; a refused change
    // leaves every START button disabled.
    void selectChannel(int channel = HBasicAlignment::DEFAULT_CHANNEL);
    bool busy() const { return m_task.busy(); }
    QPushButton* startButton(AlignmentProcedure procedure) const;
    QString fieldText(std::size_t index) const;
    QComboBox& unitBox() { return *m_unit; }
    QLineEdit& field(std::size_t index) { return *m_fields.at(index); }
    QPushButton& cancelButton() { return *m_cancel; }
    // The procedure window now open, if any.
    ProcedureDialog* procedureWindow() const { return m_procedure; }
    void startProcedure(AlignmentProcedure procedure);

    void reject() override;

private:
    QWidget* makeValues();
    QWidget* makeSection(const ProcedureSection& section);
    QWidget* makeGroups();
    ProcedureDialog* makeProcedureWindow(const ProcedureEntry& entry);
    void procedureEnded(int result);
    void refresh();

    HBasicAlignment& m_alignment;
    AlignmentTask m_task{*this};
    QPointer<ProcedureDialog> m_procedure;
    std::vector<QLineEdit*> m_fields;
    QTableWidget* m_groups = nullptr;
    QComboBox* m_unit = nullptr;
    std::map<AlignmentProcedure, QPushButton*> m_buttons;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace kq70
