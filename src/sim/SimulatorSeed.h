#pragma once

#include "image/RadioImage.h"

namespace kq70 {

// The memory the simulated radio starts with when no data file is given: the built-in UHF
// image as a PMR446 radio of 16 channels with its own identity (production and product
// codes in both places, serial and lot bytes) and the image's valid adjustment data.
RadioImage makeSimulatorSeedImage();

// The 16-bit sum the radio keeps after each adjustment copy.
std::uint16_t adjustmentChecksum(const RadioImage& image, std::size_t offset);

} // namespace kq70
