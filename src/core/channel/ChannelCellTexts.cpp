#include "channel/ChannelCellTexts.h"

#include "channel/HChannelData.h"
#include "channel/HChannelRecord.h"
#include "channel/ToneTables.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::array<std::int64_t, ChannelCellTexts::PMR_CHANNEL_COUNT> PMR_FREQUENCIES = {
    446006250, 446018750, 446031250, 446043750, 446056250, 446068750, 446081250, 446093750};

constexpr std::int32_t FOUR_DIGIT_TENTHS = 1000;

double megahertz(std::int64_t hz) {
    return static_cast<double>(hz) / 1e6;
}

double hertz(std::int32_t tenths) {
    return static_cast<double>(tenths) / 10.0;
}

template <std::size_t N>
std::string entryText(const std::array<std::string_view, N>& texts, std::int32_t value) {
    if (value < 0 || static_cast<std::size_t>(value) >= N) {
        return {};
    }
    return std::string(texts[static_cast<std::size_t>(value)]);
}

std::string codeNumberText(ToneKind kind, std::int32_t code) {
    return std::to_string(toneCodeNumber(kind, code).value_or(0));
}

} // namespace

bool ChannelCellTexts::showsPmrChannels(const CellTextContext& context) {
    return context.pmrBand && (context.accessMode == 0 || context.accessMode == 2);
}

std::optional<int> ChannelCellTexts::pmrChannelOf(std::int64_t hz) {
    for (std::size_t i = 0; i < PMR_FREQUENCIES.size(); ++i) {
        if (PMR_FREQUENCIES[i] == hz) {
            return static_cast<int>(i) + 1;
        }
    }
    return std::nullopt;
}

std::int64_t ChannelCellTexts::pmrFrequency(int pmrChannel) {
    if (pmrChannel < 1 || pmrChannel > PMR_CHANNEL_COUNT) {
        return PMR_FREQUENCIES[0];
    }
    return PMR_FREQUENCIES[static_cast<std::size_t>(pmrChannel - 1)];
}

std::string ChannelCellTexts::frequencyText(std::int64_t hz) {
    return strprintf("%9.5f", megahertz(hz));
}

std::string ChannelCellTexts::pmrChannelText(int pmrChannel) {
    return strprintf("CH%d (%9.5f)", pmrChannel, megahertz(pmrFrequency(pmrChannel)));
}

std::string ChannelCellTexts::frequencyCellText(std::int64_t hz, const CellTextContext& context) {
    if (!showsPmrChannels(context)) {
        return frequencyText(hz);
    }
    return pmrChannelText(pmrChannelOf(hz).value_or(1));
}

std::string ChannelCellTexts::decodeToneText(int mode, std::int32_t code, bool inverted,
                                             bool both) {
    if (mode == TONE_CTCSS) {
        const std::int32_t tone = snapTone(ToneKind::Ctcss, code);
        const char* format =
            tone < FOUR_DIGIT_TENTHS ? "No.%02d %s%s%4.1f%s" : "No.%02d %s%s%5.1f%s";
        return strprintf(format, toneCodeNumber(ToneKind::Ctcss, tone).value_or(0), "(", "C-",
                         hertz(tone), ")");
    }
    if (mode == TONE_DCS) {
        const std::int32_t dcs = snapTone(ToneKind::Dcs, code);
        const char* polarity = inverted ? " I)" : (both ? " B)" : " N)");
        return strprintf("No.%s %s%s%03o", codeNumberText(ToneKind::Dcs, dcs).c_str(), "(", "D-",
                         static_cast<unsigned>(dcs)) +
               polarity;
    }
    return std::string(text::TONE_OFF);
}

std::string ChannelCellTexts::encodeToneText(int mode, std::int32_t code, bool inverted) {
    if (mode == TONE_CTCSS) {
        return strprintf("%s %s%5.1f%s", "C-", "(", hertz(code), ")");
    }
    if (mode == TONE_DCS) {
        return strprintf("%s %s%03o%s", "D-", "(", static_cast<unsigned>(code), ")") +
               (inverted ? " I" : " N");
    }
    return std::string(text::TONE_OFF);
}

std::string ChannelCellTexts::bandwidthText(std::int32_t value) {
    return entryText(text::BANDWIDTH_TEXTS, value);
}

std::string ChannelCellTexts::powerText(std::int32_t txPowerLow) {
    return entryText(text::POWER_TEXTS, txPowerLow);
}

std::string ChannelCellTexts::encryptionText(std::int32_t value) {
    return entryText(text::ENCRYPTION_TEXTS, value);
}

std::string ChannelCellTexts::signalTypeText(std::int32_t value) {
    return entryText(text::SIGNAL_TYPE_TEXTS, value);
}

std::string ChannelCellTexts::signalNumberText(std::int32_t type, std::int32_t displayNumber) {
    if (displayNumber == 0) {
        return "-";
    }
    if (type == 2 && displayNumber == 10) {
        return "0";
    }
    return std::to_string(displayNumber);
}

bool ChannelCellTexts::isCheckColumn(int column) {
    switch (column) {
    case COL_PRIORITY:
    case COL_POWER_SAVE_RX:
    case COL_POWER_SAVE_TX:
    case COL_SCAN:
    case COL_DIAL_SCAN:
    case COL_TOT:
    case COL_ANI:
    case COL_LOCK_OUT:
    case COL_CLOCK_SHIFT:
    case COL_ARTS:
        return true;
    default:
        return false;
    }
}

bool ChannelCellTexts::ticked(const HChannelData& data, int channel, int column) {
    const auto value = [&](int index) { return data.getValue(channel, index); };
    switch (column) {
    case COL_PRIORITY:
        return data.priorityChannelOfGroup(data.groupOfChannel(channel)) == channel;
    case COL_POWER_SAVE_RX:
        return value(powerSaveRx) != 0;
    case COL_POWER_SAVE_TX:
        return value(powerSaveTx) != 0;
    case COL_SCAN:
        return value(scan) != 0;
    case COL_DIAL_SCAN:
        return value(dialScan) != 0;
    case COL_TOT:
        return value(tot) != 0;
    case COL_ANI:
        return value(ani) != 0;
    case COL_LOCK_OUT:
        return value(lockOut) == 1;
    case COL_CLOCK_SHIFT:
        return value(clockShift) != 0;
    case COL_ARTS:
        return value(arts) != 0;
    default:
        return false;
    }
}

std::string ChannelCellTexts::cellText(const HChannelData& data, int channel, int column,
                                       const CellTextContext& context) {
    if (isCheckColumn(column)) {
        return checkText(ticked(data, channel, column));
    }
    const auto value = [&](int index) { return data.getValue(channel, index); };
    switch (column) {
    case COL_CHANNEL:
        return strprintf("%3d", channel + 1);
    case COL_BANDWIDTH:
        return bandwidthText(value(bandwidth));
    case COL_TAG:
        return data.getTag(channel);
    case COL_RX_FREQUENCY:
        return frequencyCellText(value(rxFrequency), context);
    case COL_TX_FREQUENCY:
        return value(txInhibit) != 0 ? std::string(text::TX_INHIBITED)
                                     : frequencyCellText(value(txFrequency), context);
    case COL_DECODE:
        return decodeToneText(value(rxToneMode), value(rxToneCode), value(rxDcsInverted) != 0,
                              value(rxDcsBoth) != 0);
    case COL_ENCODE:
        return encodeToneText(value(txToneMode), value(txToneCode), value(txDcsInverted) != 0);
    case COL_POWER:
        return powerText(value(txPowerLow));
    case COL_SQUELCH:
        return std::to_string(value(squelchLevel));
    case COL_ENCRYPTION:
        return encryptionText(value(encryption));
    case COL_SIGNAL_TYPE:
        return signalTypeText(value(signalType));
    case COL_SIGNAL_NUMBER:
        return signalNumberText(value(signalType), value(signalDisplayNumber));
    default:
        return {};
    }
}

} // namespace kq70
