#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>

namespace kq70 {

// The command line's JSON: objects keep their keys in the order they were written.
using Json = nlohmann::ordered_json;

struct DocumentObjects;
class HHardwareParams;
class RadioImage;

// The hardware values as the image holds them (the reference oscillator in 40 kHz units, the
// first IF in 5 kHz units), but the band limits 15 and 16 in Hz; apply takes them alike. The
// hertz figures of 13 and 14 are in "hardwareDerived".
std::int32_t shownHardwareValue(const HHardwareParams& hardware, std::size_t index);
void setShownHardwareValue(HHardwareParams& hardware, std::size_t index, std::int32_t value);

// The document as one JSON object: every value the editors see, after extract, keyed as the
// patches of `apply` name them. Objects keep their keys in the order written here.
nlohmann::ordered_json documentJson(const DocumentObjects& objects, const RadioImage& image,
                                    long long fileSize);

} // namespace kq70
