#pragma once

#include "ProcedureDialog.h"

#include <memory>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSlider;

namespace kq70 {

class HSliderAlignDialog;

// A transmit procedure: the channel information line, a slider 0–255 with its edit box
// (Enter or a double click takes the typed number) and the Right and Left arrows. Start
// keys the radio; whatever closes the window puts it back to receive.
class SliderAlignDialog : public ProcedureDialog {
public:
    SliderAlignDialog(std::unique_ptr<HSliderAlignDialog> procedure, QWidget* parent);
    ~SliderAlignDialog() override;

    const HSliderAlignDialog& procedure() const { return *m_procedure; }
    QSlider& slider() { return *m_slider; }
    QLineEdit& valueBox() { return *m_value; }
    QString channelLine() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void start() override;
    bool okCall() override;
    void cancelCall() override;
    void refresh() override;

private:
    void want(int value);
    void takeTyped();
    void sendWanted();
    void addCtcssPair(QFormLayout& form);
    void selectCtcss(int which);

    std::unique_ptr<HSliderAlignDialog> m_procedure;
    QLabel* m_channel;
    QComboBox* m_point = nullptr;
    // Sub-audio balance: the two CTCSS frequencies and which of them the radio sends.
    QDoubleSpinBox* m_ctcss[2] = {nullptr, nullptr};
    QRadioButton* m_sending[2] = {nullptr, nullptr};
    int m_selectedSeen = 0;
    QSlider* m_slider;
    QLineEdit* m_value;
    int m_wanted = -1;
    bool m_live = false; // started, as last seen while no call ran
};

} // namespace kq70
