#pragma once

#include "PointsDialog.h"
#include "service/HRxTune.h"

#include <QGroupBox>

#include <vector>

namespace kq70 {

// The automatic receiver tuning: the pending point, what to set on the signal generator under
// the captions the measurements use, Start for each of the three points (the search runs off
// the window thread) and each point's result; OK stores the three tune values.
class RxTuneDialog : public PointsDialog<HRxTune> {
public:
    RxTuneDialog(std::unique_ptr<HRxTune> procedure, QWidget* parent)
        : PointsDialog(std::move(procedure), QStringLiteral("RxTuneDialog"), parent) {
        content().addWidget(makeGeneratorBox(this->procedure().GeneratorLines(), m_generator));
    }

    QString generatorText(std::size_t line) const {
        return line < m_generator.size() ? m_generator[line]->text() : QString();
    }

protected:
    void refresh() override {
        PointsDialog::refresh();
        showGeneratorLines(procedure().GeneratorLines(), m_generator);
    }

private:
    std::vector<QLabel*> m_generator;
};

} // namespace kq70
