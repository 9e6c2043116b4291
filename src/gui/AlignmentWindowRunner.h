#pragma once

#include "service/BasicAlignment.h"

class QWidget;

namespace kq70 {

// What Radio > Alignment runs between job 2 and the write-back: the alignment window,
// modal on the window thread whichever thread the pass runs on, with the window's channel
// selected first. True when the user ended it with OK.
BasicAlignment::WindowRunner alignmentWindowRunner(QWidget* parent);

} // namespace kq70
