#pragma once

#include "image/RadioImage.h"

namespace kq70 {

// The programs that make the two built-in images. The images embedded in the program are
// their output (resources/default_vhf.k70, resources/default_uhf.k70); a test keeps the two
// equal, so what the program carries is always what this code makes.
//
// Each starts from a cleared image, stores every parameter object's defaults, adds the
// band's hardware limits, an adjustment data set with plausible alignment points and valid
// checksums in both copies, the channels, and finally the bytes every built-in image holds.
RadioImage makeVhfFactoryImage();

// Stores the defaults of every parameter object of the radio-wide pages into `image`.
void storeParameterDefaults(RadioImage& image);
// The UHF image is a 16-channel PMR446 radio: channels 1–8 on the eight PMR446 frequencies,
// 9–16 on the same frequencies with CTCSS tones, one group of 16.
RadioImage makeUhfFactoryImage();

} // namespace kq70
