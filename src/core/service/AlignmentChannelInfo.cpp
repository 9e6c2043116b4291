#include "service/AlignmentChannelInfo.h"

#include "channel/HChannelData.h"
#include "channel/HChannelRecord.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <memory>

namespace kq70 {

namespace {

constexpr int NARROW_WIDTH = 2;

} // namespace

std::string AlignmentChannelInfo::FrequencyText() const {
    return strprintf(text::CHANNEL_FREQUENCY_FORMAT.data(), static_cast<double>(hz) / 1000000.0);
}

std::string AlignmentChannelInfo::WidthText() const {
    return std::string(narrow ? text::NARROW : text::WIDE);
}

std::string AlignmentChannelInfo::ToneText() const {
    if (toneMode == TONE_CTCSS) {
        return strprintf("%5.1f", static_cast<double>(toneCode) / 10.0);
    }
    if (toneMode == TONE_DCS) {
        return strprintf("%03o", static_cast<unsigned>(toneCode));
    }
    return {};
}

AlignmentChannelInfo AlignmentChannelInfo::Of(const RadioImage& image, int channel) {
    auto channels = std::make_unique<HChannelData>();
    channels->extract(image);
    AlignmentChannelInfo info;
    info.hz = channels->getValue(channel, rxFrequency);
    info.narrow = channels->getValue(channel, bandwidth) >= NARROW_WIDTH;
    info.toneMode = channels->getValue(channel, txToneMode);
    info.toneCode = channels->getValue(channel, txToneCode);
    info.txAlignDa = channels->getValue(channel, ChannelValue::txAlignDa);
    info.txPowerDa = channels->getValue(channel, ChannelValue::txPowerDa);
    return info;
}

} // namespace kq70
