#pragma once

#include "ProcedureDialog.h"

#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QSlider;

namespace kq70 {

class HVcoAlignDialog;

// The manual VCO alignment: a point, a slider 0–255 that sets the VCO D/A directly, the value
// sent and the "VCV A/D" and "UL A/D" readings after each move. OK stores the slider's value.
class VcoManualDialog : public ProcedureDialog {
public:
    // Makes the procedure of a point (0 High, 1 Middle, 2 Low).
    using Factory = std::function<std::unique_ptr<HVcoAlignDialog>(int point)>;

    VcoManualDialog(Factory factory, int point, QWidget* parent);
    ~VcoManualDialog() override;

    QSlider& slider() { return *m_slider; }
    // The D/A value sent to the radio, as the readings beside it answer it.
    QString daText() const;
    QString vcvText() const;
    QString ulText() const;
    const HVcoAlignDialog& procedure() const { return *m_procedure; }

protected:
    void start() override {}
    bool okCall() override;
    void cancelCall() override;
    void refresh() override;

private:
    void openPoint(int point);
    void sendWanted();
    void focusSlider();

    Factory m_factory;
    std::unique_ptr<HVcoAlignDialog> m_procedure;
    int m_pointIndex;
    QComboBox* m_point;
    QSlider* m_slider;
    QLineEdit* m_da;
    QLineEdit* m_vcv;
    QLineEdit* m_ul;
    int m_wanted = -1;
};

} // namespace kq70
