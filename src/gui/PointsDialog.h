#pragma once

#include "ProcedureDialog.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

#include <memory>

namespace kq70 {

// A procedure that works through its points one Start at a time: the window shows the lines
// the procedure gives for the pending point and the results so far, and the buttons it offers.
template <class Procedure> class PointsDialog : public ProcedureDialog {
public:
    PointsDialog(std::unique_ptr<Procedure> procedure, const QString& name, QWidget* parent)
        : ProcedureDialog(QString::fromStdString(procedure->Title()), parent),
          m_procedure(std::move(procedure)), m_display(new QLabel) {
        setObjectName(name);
        m_display->setObjectName(QStringLiteral("display"));
        m_display->setMinimumWidth(320);
        m_display->setTextInteractionFlags(Qt::TextSelectableByMouse);
        content().addWidget(m_display);
        refresh();
    }

    const Procedure& procedure() const { return *m_procedure; }
    QString displayText() const { return m_display->text(); }

protected:
    void start() override {
        runCall([this] { return m_procedure->Start(); });
    }
    bool okCall() override { return m_procedure->Ok(); }
    void cancelCall() override { m_procedure->Cancel(); }
    void refresh() override {
        QStringList lines;
        for (const std::string& line : m_procedure->DisplayLines()) {
            lines << QString::fromStdString(line);
        }
        m_display->setText(lines.join(QLatin1Char('\n')));
        showButtons(m_procedure->Buttons());
    }

private:
    std::unique_ptr<Procedure> m_procedure;
    QLabel* m_display;
};

} // namespace kq70
