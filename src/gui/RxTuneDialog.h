#pragma once

#include "ProcedureDialog.h"

#include <memory>

class QLabel;

namespace kq70 {

class HRxTune;

// The automatic receiver tuning: the pending point with what to set on the signal
// generator, Start for each of the three points (the search runs off the window thread) and
// each point's result; OK stores the three tune values.
class RxTuneDialog : public ProcedureDialog {
public:
    RxTuneDialog(std::unique_ptr<HRxTune> procedure, QWidget* parent);
    ~RxTuneDialog() override;

    const HRxTune& procedure() const { return *m_procedure; }
    QString displayText() const;

protected:
    void start() override;
    bool okCall() override;
    void cancelCall() override;
    void refresh() override;

private:
    std::unique_ptr<HRxTune> m_procedure;
    QLabel* m_display;
};

} // namespace kq70
