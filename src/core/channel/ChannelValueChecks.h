#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kq70 {

class HChannelData;
class HHardwareParams;

// Where the channel store takes a channel value from: the editor's own value, or worked out
// from others when the channel is stored (an editor's value there does not last).
enum class ChannelValueSource {
    Given,
    Frequency,           // step indices and PLL words
    ToneMode,            // the tone on and DCS bits
    SignalDisplayNumber, // the signal type's stored number
    Adjustment,          // alignment bytes, unless keepAlignment is set with them
    Instruction,         // keepAlignment, keepAlignByte11: read by the next store, never kept
};
ChannelValueSource channelValueSource(int value);

// Whether the radio can hold a value exactly as an editor was given it: every front end that
// edits channel data (the channel grid, the command line's patches) asks these before it
// stores, so a value is refused for the same reason with the same words everywhere. Each
// `...Reason` is empty when the value is fine, else a sentence saying what is wrong.

// The first character of `text` an alpha tag cannot hold; the radio shows digits, capitals
// and a few symbols and stores anything else as a blank.
std::optional<char> firstUnshowable(std::string_view text);
// Too long for a tag of `length` characters, or a character the radio cannot show.
std::string tagTextReason(std::string_view text, std::size_t length);

// The hardware's frequency limits (values 15 and 16, in Hz) hold `hz`, ends included.
bool isFrequencyInRange(std::int64_t hz, const HHardwareParams& hardware);
std::string frequencyRangeReason(std::int64_t hz, const HHardwareParams& hardware);

// A tone code must be one of its tone mode's table: 1 CTCSS (tenths of a hertz), 2 DCS (the
// value of its octal digits); with the tone off (0) any code is kept as it is.
std::string toneCodeReason(std::int32_t toneMode, std::int32_t code);
// The same for a channel's transmit or receive tone as the channel data holds it.
std::string toneReason(const HChannelData& channels, int channel, bool transmit);

} // namespace kq70
