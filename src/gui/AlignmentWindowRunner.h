#pragma once

#include "service/BasicAlignment.h"

class QWidget;

namespace kq70 {

// What Radio > Alignment runs between job 2 and the write-back, on the window thread: the
// alignment window, modal, with its channel selected first. True when the user ended it
// with OK.
BasicAlignment::WindowRunner alignmentWindowRunner(QWidget* parent);

} // namespace kq70
