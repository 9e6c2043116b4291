#pragma once

#include "PointsDialog.h"
#include "service/HVcoAlignAuto.h"

namespace kq70 {

// The automatic VCO alignment of one direction: the pending point's question with its
// channel's frequency and width, Start for each point, and the three results before OK.
class VcoAutoDialog : public PointsDialog<HVcoAlignAuto> {
public:
    VcoAutoDialog(std::unique_ptr<HVcoAlignAuto> procedure, QWidget* parent)
        : PointsDialog(std::move(procedure), QStringLiteral("VcoAutoDialog"), parent) {}
};

} // namespace kq70
