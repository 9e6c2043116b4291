#include "ConfigureDialog.h"

#include "DialogButtons.h"
#include "QtText.h"
#include "app/AppSettings.h"
#include "ui/Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kq70 {

ConfigureDialog::ConfigureDialog(AppSettings& settings, QWidget* parent, std::string sysClassTty,
                                 std::string deviceFolder)
    : QDialog(parent), m_settings(settings), m_sysClassTty(std::move(sysClassTty)),
      m_deviceFolder(std::move(deviceFolder)), m_ports(new QComboBox(this)),
      m_baudRates(new QComboBox(this)), m_cable(new QCheckBox(qt(text::PGC30), this)),
      m_verify(new QCheckBox(qt(text::CONFIGURE_VERIFY), this)) {
    setWindowTitle(qt(text::CONFIGURATION_DIALOG_TITLE));
    m_ports->setObjectName(QStringLiteral("ports"));
    m_baudRates->setObjectName(QStringLiteral("baudRates"));
    // The cable kind follows the chosen port; the box shows it.
    m_cable->setEnabled(false);
    auto* refresh = new QPushButton(qt(text::CONFIGURE_REFRESH), this);
    refresh->setAutoDefault(false);
    connect(refresh, &QPushButton::clicked, this, &ConfigureDialog::refreshPorts);
    connect(m_ports, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_cable->setChecked(index >= 0 && static_cast<std::size_t>(index) < m_choices.size() &&
                            m_choices[static_cast<std::size_t>(index)].usbCable);
    });

    for (int rate : ConfigureChoices::BaudRates()) {
        m_baudRates->addItem(QString::number(rate), rate);
    }
    m_baudRates->setCurrentIndex(ConfigureChoices::SelectedBaudRate(m_settings));

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(m_ports, 1);
    portRow->addWidget(refresh);
    auto* form = new QFormLayout;
    auto* portLabel = new QLabel(qt(text::CONFIGURE_PORT), this);
    portLabel->setBuddy(m_ports);
    auto* baudLabel = new QLabel(qt(text::CONFIGURE_BAUD_RATE), this);
    baudLabel->setBuddy(m_baudRates);
    form->addRow(portLabel, portRow);
    form->addRow(baudLabel, m_baudRates);
    form->addRow(QString(), m_cable);
    m_verify->setObjectName(QStringLiteral("verify"));
    m_verify->setChecked(m_settings.verifyDownload);
    form->addRow(QString(), m_verify);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    nameDialogButtons(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ConfigureDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ConfigureDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("portHint"));
    m_hint->setWordWrap(true);
    m_hint->setTextFormat(Qt::PlainText);
    layout->insertWidget(1, m_hint);
    connect(m_ports, &QComboBox::currentIndexChanged, this, &ConfigureDialog::showPortHint);
    refreshPorts();
    m_cable->setChecked(m_settings.portType == 1);
    setMinimumWidth(420);
}

void ConfigureDialog::refreshPorts() {
    const SerialPortEnumerator system(m_sysClassTty, m_deviceFolder);
    m_choices = ConfigureChoices::WithConfiguredPort(
        ConfigureChoices::PortList(system.ports(), m_sysClassTty, system.stableNames()),
        m_settings);
    m_ports->clear();
    for (const PortChoice& choice : m_choices) {
        m_ports->addItem(QString::fromStdString(choice.text));
    }
    m_ports->setCurrentIndex(ConfigureChoices::SelectedPort(m_choices, m_settings));
}

void ConfigureDialog::showPortHint() {
    const int port = m_ports->currentIndex();
    std::string hint;
    if (port >= 0 && static_cast<std::size_t>(port) < m_choices.size()) {
        hint = ConfigureChoices::PermissionHint(m_choices[static_cast<std::size_t>(port)]);
    }
    m_hint->setText(QString::fromStdString(hint));
    m_hint->setVisible(!hint.empty());
}

void ConfigureDialog::accept() {
    const int port = m_ports->currentIndex();
    if (port >= 0 && static_cast<std::size_t>(port) < m_choices.size()) {
        ConfigureChoices::Apply(m_settings, m_choices[static_cast<std::size_t>(port)],
                                m_baudRates->currentData().toInt());
    }
    QDialog::accept();
}

bool ConfigureDialog::verifyChecked() const {
    return m_verify->isChecked();
}

QString ConfigureDialog::portHint() const {
    return m_hint->isHidden() ? QString() : m_hint->text();
}

void ConfigureDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kq70
