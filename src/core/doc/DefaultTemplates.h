#pragma once

#include <array>
#include <string_view>

namespace kq70 {

// The default template file of each frequency band, by band code. Undefined codes hold
// "NotDefined"; index 13 names no file.
constexpr int TEMPLATE_NAME_COUNT = 13;
constexpr int NO_TEMPLATE_INDEX = 13;
constexpr std::array<std::string_view, TEMPLATE_NAME_COUNT> TEMPLATE_NAMES{
    "defaultVC.k70",   // 0 VHF C
    "defaultVC1.k70",  // 1 VHF C1
    "NotDefined",      // 2
    "NotDefined",      // 3
    "defaultUA.k70",   // 4 UHF A
    "defaultUD.k70",   // 5 UHF D
    "defaultUH.k70",   // 6 UHF H
    "NotDefined",      // 7
    "defaultV220.k70", // 8 VHF220
    "defaultU350.k70", // 9 UHF 350
    "NotDefined",      // 10
    "NotDefined",      // 11
    "default_pmr.k70", // 12 PMR446
};

// The template index of a band code: the code itself for defined bands, else 13.
int templateIndexForBand(int band);
bool isDefinedBand(int band);

} // namespace kq70
