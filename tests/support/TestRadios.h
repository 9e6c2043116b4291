#pragma once

#include "image/RadioImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kq70::test {

// Radios and documents for the transfer tests, built from the simulated radio's own memory.

// The simulated radio with `radioChannelValue` (0–6) and every channel record byte set to a
// pattern no default image holds, so a record's origin shows.
RadioImage radioWithChannels(int radioChannelValue);

// The built-in PMR446 image with `radioChannel` and the given group counts (the rest 0).
RadioImage pmrImage(int radioChannel = 3);
RadioImage imageWithGroups(const std::vector<int>& counts, int radioChannel = 6);

// Hardware value `index` (HW_*) set and stored, mirror included.
void setHardwareValue(RadioImage& image, std::size_t index, std::int32_t value);
// Miscellaneous value `index` (HMiscParams) set and stored.
void setMiscValue(RadioImage& image, std::size_t index, std::int32_t value);
// Programming password switched on with `password`.
void setProgrammingPassword(RadioImage& image, const std::string& password);

// `size` bytes of a pattern that differs with `seed` and repeats nowhere near; an image of them.
std::vector<std::uint8_t> bytePattern(std::size_t size, std::uint8_t seed);
RadioImage patternImage(std::uint8_t seed);

// "" when [first, first + length) of both images is equal, else where they first differ.
std::string firstDifference(const RadioImage& actual, const RadioImage& expected, std::size_t first,
                            std::size_t length);

// KQ70_ADJ.ini sections with tight limits around the simulated VCO's targets (RX and TX): they
// keep a real-time search short.
std::string tightVcoLimits();

} // namespace kq70::test
