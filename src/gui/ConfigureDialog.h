#pragma once

#include "frame/ConfigureChoices.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;

namespace kq70 {

struct AppSettings;

// File > Configure: the port (serial ports with their stable names, the cable marked, the
// configured port even when the system lacks it, the simulated radio), the baud
// rate, the cable box and whether a download is read back. OK writes the port choice into the
// settings; the caller keeps the verify choice (verifyChecked) in the settings file. Cancel
// changes nothing.
class ConfigureDialog : public QDialog {
public:
    ConfigureDialog(AppSettings& settings, QWidget* parent = nullptr,
                    std::string sysClassTty = "/sys/class/tty", std::string deviceFolder = "/dev");

    QComboBox& ports() { return *m_ports; }
    QComboBox& baudRates() { return *m_baudRates; }
    QCheckBox& verify() { return *m_verify; }
    bool verifyChecked() const;
    QString portHint() const;

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refreshPorts();
    void showPortHint();

    AppSettings& m_settings;
    std::string m_sysClassTty;
    std::string m_deviceFolder;
    std::vector<PortChoice> m_choices;
    QComboBox* m_ports;
    QComboBox* m_baudRates;
    QCheckBox* m_cable;
    QCheckBox* m_verify;
    QLabel* m_hint = nullptr;
};

} // namespace kq70
