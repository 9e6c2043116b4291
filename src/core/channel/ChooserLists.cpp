#include "channel/ChooserLists.h"

#include "channel/ChannelCellTexts.h"
#include "channel/HChannelRecord.h"
#include "ui/AsciiText.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

constexpr int SIGNALLING_TYPE = 1;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    return equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

} // namespace

std::vector<ChooserLists::Entry> ChooserLists::pmrChannels() {
    std::vector<Entry> entries;
    for (int channel = 1; channel <= ChannelCellTexts::PMR_CHANNEL_COUNT; ++channel) {
        const std::string number = std::to_string(channel);
        entries.push_back(
            {ChannelCellTexts::pmrChannelText(channel),
             channel,
             {number, "CH" + number,
              ChannelCellTexts::frequencyText(ChannelCellTexts::pmrFrequency(channel))}});
    }
    return entries;
}

std::vector<ChooserLists::Entry> ChooserLists::tones(ToneKind kind) {
    std::vector<Entry> entries;
    if (kind == ToneKind::Ctcss) {
        for (std::size_t k = 0; k < ctcssTable.size(); ++k) {
            const std::int32_t tenths = ctcssTable[k];
            const int number = CTCSS_FIRST_CODE_NUMBER + static_cast<int>(k);
            const double hz = static_cast<double>(tenths) / 10.0;
            entries.push_back({strprintf(text::CTCSS_CHOOSER_FORMAT.data(), number, hz),
                               tenths,
                               {strprintf("%.1f", hz), std::to_string(number)}});
        }
    } else {
        for (std::size_t k = 0; k < dcsTable.size(); ++k) {
            const std::int32_t code = dcsTable[k];
            const int number = DCS_FIRST_CODE_NUMBER + static_cast<int>(k);
            const std::string octal = strprintf("%03o", static_cast<unsigned>(code));
            entries.push_back(
                {strprintf(text::DCS_CHOOSER_FORMAT.data(), number, static_cast<unsigned>(code)),
                 code,
                 {octal, "D" + octal, std::to_string(number)}});
        }
    }
    return entries;
}

int ChooserLists::highestSignalNumber(int type) {
    switch (type) {
    case SIGNALLING_TYPE:
        return 32;
    case PAGING_TYPE:
        return 10; // the record holds paging codes 1–10; 10 shows as 0
    case OPTION_TYPE:
        return 31;
    default:
        return 0;
    }
}

std::vector<ChooserLists::Entry> ChooserLists::signalNumbers(int type) {
    std::vector<Entry> entries;
    for (int number = 1; number <= highestSignalNumber(type); ++number) {
        const std::string shown = ChannelCellTexts::signalNumberText(type, number);
        entries.push_back({shown, number, {shown}});
    }
    return entries;
}

std::size_t ChooserLists::presetIndex(const std::vector<Entry>& entries, std::int32_t value) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].value == value) {
            return i;
        }
    }
    return 0;
}

std::size_t ChooserLists::tonePresetIndex(ToneKind kind, std::int32_t code) {
    return presetIndex(tones(kind), snapTone(kind, code));
}

std::optional<std::size_t> ChooserLists::find(const std::vector<Entry>& entries,
                                              std::string_view typed, std::size_t start) {
    if (typed.empty() || entries.empty()) {
        return std::nullopt;
    }
    std::size_t keyCount = 0;
    for (const Entry& entry : entries) {
        keyCount = std::max(keyCount, entry.keys.size());
    }
    for (std::size_t key = 0; key < keyCount; ++key) {
        for (std::size_t step = 0; step < entries.size(); ++step) {
            const std::size_t i = (start + step) % entries.size();
            const Entry& entry = entries[i];
            if (key < entry.keys.size() && startsWithNoCase(entry.keys[key], typed)) {
                return i;
            }
        }
    }
    return std::nullopt;
}

} // namespace kq70
