#pragma once

#include "link/BlockRange.h"

#include <cstddef>

namespace kq70 {

struct CommJobContext;
class RadioImage;

// Where the download's work buffer holds the radio's own bytes: the units of its read lists.
struct RadioReadLists {
    const RangeList& eeprom;
    const RangeList& flash;

    // True when the byte at `offset` was read from the radio.
    bool covers(std::size_t offset) const;
};

// Copies the radio's own data into the document's image before a download writes it: the
// identity and hardware bytes (by access mode), the adjustment data, the manufacture bytes,
// the A–D key slots of a radio without a display, and the radio's bytes just after the last
// allotted channel where they were read. The channel data is re-encoded with the radio's
// synthesizer values, so the document's frequencies reach the radio unchanged.
void MergeRadioData(const RadioImage& radio, const RadioReadLists& read,
                    const CommJobContext& context, RadioImage& image);

} // namespace kq70
