#include "channel/ChannelValueChecks.h"

#include "channel/HChannelData.h"
#include "channel/HChannelRecord.h"
#include "channel/ToneTables.h"
#include "fields/RadioCharacterCode.h"
#include "params/HHardwareParams.h"
#include "ui/AsciiText.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

constexpr double HZ_PER_MHZ = 1e6;

// A character in double quotes; one that prints nothing is written as its code.
std::string quotedCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (!isAsciiPrint(byte)) {
        return strprintf("\"\\x%02X\"", byte);
    }
    if (c == '"' || c == '\\') {
        return std::string("\"\\") + c + '"';
    }
    return std::string("\"") + c + '"';
}

} // namespace

ChannelValueSource channelValueSource(int value) {
    switch (value) {
    case rxStepIndex:
    case txStepIndex:
    case rxPllFlag:
    case rxPllA:
    case rxPllHigh:
    case rxPllM0:
    case rxPllM1:
    case txPllFlag:
    case txPllA:
    case txPllHigh:
    case txPllM0:
    case txPllM1:
        return ChannelValueSource::Frequency;
    case txToneOn:
    case txToneDcs:
    case rxToneOn:
    case rxToneDcs:
        return ChannelValueSource::ToneMode;
    case signalType:
    case signalNumber:
        return ChannelValueSource::SignalDisplayNumber;
    case rxTuneDa:
    case txVcoDa:
    case alignByte11:
    case txPowerHighDa:
    case txPowerDa:
    case maxDeviationDa:
    case subAudioDeviationDa:
    case alignByte16:
    case rxAlignDa:
    case txAlignDa:
        return ChannelValueSource::Adjustment;
    case keepAlignment:
    case keepAlignByte11:
        return ChannelValueSource::Instruction;
    default:
        return ChannelValueSource::Given;
    }
}

std::optional<char> firstUnshowable(std::string_view text) {
    for (const char c : text) {
        if (RadioCharacterCode::decode(RadioCharacterCode::encode(c)) != c) {
            return c;
        }
    }
    return std::nullopt;
}

std::string tagTextReason(std::string_view text, std::size_t length) {
    if (text.size() > length) {
        return strprintf(text::TAG_TOO_LONG.data(), length);
    }
    if (const auto c = firstUnshowable(text)) {
        return strprintf(text::TAG_UNSHOWABLE.data(), quotedCharacter(*c).c_str());
    }
    return {};
}

bool isFrequencyInRange(std::int64_t hz, const HHardwareParams& hardware) {
    return hz >= hardware.get(HW_FREQUENCY_MIN) && hz <= hardware.get(HW_FREQUENCY_MAX);
}

std::string frequencyRangeReason(std::int64_t hz, const HHardwareParams& hardware) {
    if (isFrequencyInRange(hz, hardware)) {
        return {};
    }
    return strprintf(text::FREQUENCY_OUTSIDE_RANGE.data(), static_cast<long long>(hz),
                     hardware.get(HW_FREQUENCY_MIN) / HZ_PER_MHZ,
                     hardware.get(HW_FREQUENCY_MAX) / HZ_PER_MHZ);
}

std::string toneCodeReason(std::int32_t toneMode, std::int32_t code) {
    if (toneMode == TONE_CTCSS && !toneCodeNumber(ToneKind::Ctcss, code)) {
        return strprintf(text::NOT_A_CTCSS_TONE.data(), code);
    }
    if (toneMode == TONE_DCS && !toneCodeNumber(ToneKind::Dcs, code)) {
        return strprintf(text::NOT_A_DCS_CODE.data(), code);
    }
    return {};
}

std::string toneReason(const HChannelData& channels, int channel, bool transmit) {
    return toneCodeReason(channels.getValue(channel, transmit ? txToneMode : rxToneMode),
                          channels.getValue(channel, transmit ? txToneCode : rxToneCode));
}

} // namespace kq70
