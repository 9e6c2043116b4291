#pragma once

#include "PointsDialog.h"
#include "service/HRxTune.h"

namespace kq70 {

// The automatic receiver tuning: the pending point with what to set on the signal
// generator, Start for each of the three points (the search runs off the window thread) and
// each point's result; OK stores the three tune values.
class RxTuneDialog : public PointsDialog<HRxTune> {
public:
    RxTuneDialog(std::unique_ptr<HRxTune> procedure, QWidget* parent)
        : PointsDialog(std::move(procedure), QStringLiteral("RxTuneDialog"), parent) {}
};

} // namespace kq70
