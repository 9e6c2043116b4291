#pragma once

#include "ProcedureDialog.h"

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace kq70 {

class HOtherAlign;

// The battery procedure: the supply voltage to set for the step, Start, the step's 20
// samples as they come, the two levels found; OK stores them once every step is done.
class BatteryDialog : public ProcedureDialog {
public:
    BatteryDialog(std::unique_ptr<HOtherAlign> procedure, QWidget* parent);
    ~BatteryDialog() override;

    const HOtherAlign& procedure() const { return *m_procedure; }
    QString promptText() const;

protected:
    void start() override;
    bool okCall() override;
    void cancelCall() override;
    void refresh() override;

private:
    std::unique_ptr<HOtherAlign> m_procedure;
    QLabel* m_prompt;
    QProgressBar* m_progress;
    std::array<QLineEdit*, 2> m_levels;
};

} // namespace kq70
