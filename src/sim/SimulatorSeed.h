#pragma once

#include "image/RadioImage.h"

#include <optional>
#include <string_view>

namespace kq70 {

// The memory the simulated radio starts with when no data file is given: the built-in UHF
// image as a PMR446 radio of 16 channels with its own identity (production and product
// codes in both places, serial and lot bytes, the flash's hardware mark) and the image's
// valid adjustment data, so both adjustment copies pass their checks.
RadioImage makeSimulatorSeedImage();

// Makes `memory` the `radioNumber`-th of several simulated radios (from 1): radio 1 keeps the
// serial number it has, radio k the one k - 1 units on, in flash and in its EEPROM copy.
void numberSimulatedRadio(RadioImage& memory, unsigned radioNumber);

// The 16-bit sum the radio keeps after each adjustment copy.
std::uint16_t adjustmentChecksum(const RadioImage& image, std::size_t offset);

// Which adjustment copy of a radio's memory a fault has damaged.
enum class AdjustmentDamage { Flash, Eeprom, Both };

// "flash", "eeprom" or "both"; nothing for anything else.
std::optional<AdjustmentDamage> parseAdjustmentDamage(std::string_view word);

// Damages the named copy as a failed write would: one byte of its block changes and its
// checksum no longer fits. Everything else stays as it was.
void damageAdjustmentData(RadioImage& memory, AdjustmentDamage which);

} // namespace kq70
