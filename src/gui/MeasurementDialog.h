#pragma once

#include "ProcedureDialog.h"

#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace kq70 {

class Clock;
class HSqlAlignment;

// A receive measurement: what to set on the signal generator, Start, the 20 samples as they
// come (one every sample interval on the procedure's clock, off the window thread) and the
// NSQ and RSSI results; OK stores the result.
class MeasurementDialog : public ProcedureDialog {
public:
    MeasurementDialog(std::unique_ptr<HSqlAlignment> procedure, Clock& clock, QWidget* parent);
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
    void sampleNext();

    std::unique_ptr<HSqlAlignment> m_procedure;
    Clock& m_clock;
    QLabel* m_generator;
    QProgressBar* m_progress;
    QLineEdit* m_nsq;
    QLineEdit* m_rssi;
};

} // namespace kq70
