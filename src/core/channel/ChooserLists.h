#pragma once

#include "channel/ToneTables.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

// The entries the channel grid's choosers offer, what they are preset to, and how typing in a
// list finds an entry. The windows only show these lists.
class ChooserLists {
public:
    struct Entry {
        std::string text;   // what the list shows
        std::int32_t value; // what choosing it returns
        // What typing matches, most telling first: every entry's first key is tried before
        // any entry's second key.
        std::vector<std::string> keys;
    };

    // PMR446 channels 1–8 as the grid shows them; the value is the channel number.
    static std::vector<Entry> pmrChannels();
    // The CTCSS or DCS table in the radio's order with code numbers; the value is the code as
    // the record stores it (tenths of a hertz, or the octal digits' value).
    static std::vector<Entry> tones(ToneKind kind);
    // The numbers a channel of signalling type 1, 2 or 3 can hold, as the grid shows them;
    // the value is the display number. Empty for any other type.
    static std::vector<Entry> signalNumbers(int type);
    static int highestSignalNumber(int type);

    // The entry a chooser opens on: the one of `value`, else the first.
    static std::size_t presetIndex(const std::vector<Entry>& entries, std::int32_t value);
    // The tone list's preset: an unlisted code opens on the code it snaps to.
    static std::size_t tonePresetIndex(ToneKind kind, std::int32_t code);

    // Type-ahead: the first entry, looking from `start` on and wrapping around, with a key
    // that begins with `typed` (letters in any case). Earlier keys win over later ones.
    static std::optional<std::size_t> find(const std::vector<Entry>& entries,
                                           std::string_view typed, std::size_t start);
};

} // namespace kq70
