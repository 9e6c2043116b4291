#pragma once

#include "ProcedureDialog.h"

#include <memory>

class QLabel;

namespace kq70 {

class HVcoAlignAuto;

// The automatic VCO alignment of one direction: the pending point's question with its
// channel's frequency and width, Start for each point, and the three results before OK.
class VcoAutoDialog : public ProcedureDialog {
public:
    VcoAutoDialog(std::unique_ptr<HVcoAlignAuto> procedure, QWidget* parent);
    ~VcoAutoDialog() override;

    const HVcoAlignAuto& procedure() const { return *m_procedure; }
    QString displayText() const;

protected:
    void start() override;
    bool okCall() override;
    void cancelCall() override;
    void refresh() override;

private:
    std::unique_ptr<HVcoAlignAuto> m_procedure;
    QLabel* m_display;
};

} // namespace kq70
