#pragma once

#include "ProcedureDialog.h"

#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace kq70 {

class HSqlAlignment;

// A receive measurement: what to set on the signal generator, Start, the procedure's 20
// samples as they come (its sampling run, off the window thread) and the NSQ and RSSI
// results; OK stores the result.
class MeasurementDialog : public ProcedureDialog {
public:
    MeasurementDialog(std::unique_ptr<HSqlAlignment> procedure, QWidget* parent);
    ~MeasurementDialog() override;

    const HSqlAlignment& procedure() const { return *m_procedure; }
    QString nsqText() const;
    QString rssiText() const;
    int samplesShown() const;

protected:
    void start() override;
    bool okCall() override;
    void cancelCall() override;
    void refresh() override;

private:
    std::unique_ptr<HSqlAlignment> m_procedure;
    QLabel* m_generator;
    QProgressBar* m_progress;
    QLineEdit* m_nsq;
    QLineEdit* m_rssi;
};

} // namespace kq70
