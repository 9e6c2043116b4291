#include "doc/AdjustmentDefaultImage.h"

#include "align/HAdustmentBackUpParams.h"
#include "app/ProgramFolder.h"
#include "channel/HChannelData.h"
#include "channel/HChannelRecord.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"

#include <memory>
#include <sys/stat.h>

namespace kq70 {

namespace {

constexpr int PMR446_BAND = 12;
constexpr int RADIO_CHANNEL_32 = 4;
constexpr std::int32_t LOW_HZ = 446006250;
constexpr std::int32_t MIDDLE_HZ = 446093750;
constexpr std::int32_t HIGH_HZ = 446193750;
constexpr int WIDE = 0;
constexpr std::int32_t CTCSS_88_5 = 885;
constexpr std::int32_t DCS_023 = 023;

struct AlignmentChannel {
    std::int32_t hz;
    int width;
    bool lowPower;
    int toneMode;
    std::int32_t toneCode;
    const char* tag;
};

constexpr AlignmentChannel CHANNELS[] = {
    {LOW_HZ, WIDE, false, 0, 0, "LOW     "},
    {MIDDLE_HZ, WIDE, true, 0, 0, "MIDDLE  "},
    {HIGH_HZ, WIDE, false, 0, 0, "HIGH    "},
    {MIDDLE_HZ, WIDE, false, TONE_CTCSS, CTCSS_88_5, "CTCSS W "},
    {MIDDLE_HZ, BANDWIDTH_NARROW, false, 0, 0, "BANDWIDTH_NARROW  "},
    {MIDDLE_HZ, WIDE, false, TONE_DCS, DCS_023, "DCS W   "},
    {MIDDLE_HZ, WIDE, false, 0, 0, "HIPOWER "},
    {MIDDLE_HZ, BANDWIDTH_NARROW, false, TONE_CTCSS, CTCSS_88_5, "CTCSS N "},
    {MIDDLE_HZ, BANDWIDTH_NARROW, false, TONE_DCS, DCS_023, "DCS N   "},
};

// Sign and magnitude: bit 7 set for a negative value.
std::int32_t signMagnitude(int value) {
    return value < 0 ? 0x80 | (-value & 0x7F) : value & 0x7F;
}

// What the receive procedures ask the user to set on the signal generator: RF levels in
// dBµV EMF, deviations and modulation in 0.1 kHz.
void setGeneratorSettings(RadioImage& image) {
    HAdustmentBackUpParams set;
    set.extract(image);
    const auto put = [&set](std::size_t item, int value) { set.set(item, signMagnitude(value)); };
    put(ADJ_SG_RX_TUNE_LEVEL, 10);
    put(ADJ_SG_RX_TUNE_DEVIATION, 30);
    put(ADJ_SG_RX_TUNE_MODULATION, 10);
    put(ADJ_SG_THRESHOLD_NSQ_LEVEL, -8);
    put(ADJ_SG_THRESHOLD_NSQ_LEVEL + 1, -8);
    put(ADJ_SG_THRESHOLD_NSQ_DEVIATION, 30);
    put(ADJ_SG_THRESHOLD_NSQ_DEVIATION + 1, 15);
    put(ADJ_SG_THRESHOLD_NSQ_MODULATION, 10);
    put(ADJ_SG_THRESHOLD_NSQ_MODULATION + 1, 10);
    put(ADJ_SG_TIGHT_NSQ_LEVEL, -2);
    put(ADJ_SG_TIGHT_NSQ_LEVEL + 1, -2);
    put(ADJ_SG_TIGHT_NSQ_DEVIATION, 30);
    put(ADJ_SG_TIGHT_NSQ_DEVIATION + 1, 15);
    put(ADJ_SG_TIGHT_NSQ_MODULATION, 10);
    put(ADJ_SG_TIGHT_NSQ_MODULATION + 1, 10);
    put(ADJ_SG_TX_SAVE_LEVEL, -12);
    put(ADJ_SG_TX_SAVE_LEVEL + 1, -12);
    set.store(image);
}

} // namespace

void makeAdjustmentDefaultImage(RadioImage& image) {
    BuildDefaultImage(PMR446_BAND, image);
    HHardwareParams hardware;
    hardware.extract(image);
    hardware.set(HW_RADIO_CHANNEL, RADIO_CHANNEL_32);
    hardware.store(image);

    HChannelData channels;
    channels.extract(image);
    for (int c = 0; c < ALIGN_CHANNEL_COUNT; ++c) {
        const AlignmentChannel& row =
            c < static_cast<int>(std::size(CHANNELS))
                ? CHANNELS[c]
                : AlignmentChannel{MIDDLE_HZ, WIDE, false, 0, 0, "ALIGN   "};
        channels.setValue(c, inUse, 1);
        channels.setValue(c, rxFrequency, row.hz);
        channels.setValue(c, txFrequency, row.hz);
        channels.setValue(c, bandwidth, row.width);
        channels.setValue(c, txPowerLow, row.lowPower ? 1 : 0);
        channels.setValue(c, txInhibit, 0);
        channels.setValue(c, txToneMode, row.toneMode);
        channels.setValue(c, txToneCode, row.toneCode);
        channels.setValue(c, rxToneMode, row.toneMode);
        channels.setValue(c, rxToneCode, row.toneCode);
        channels.setTag(c, row.tag);
    }
    for (int group = 0; group < HGroupTable::GROUP_COUNT; ++group) {
        channels.groups().setCount(group, group == 0 ? ALIGN_CHANNEL_COUNT : 0);
    }
    channels.groups().setTag(0, "ALIGN   ");
    channels.store(image);
    setGeneratorSettings(image);
}

AdjustmentDefaultSource LoadAdjustmentDefaultImage(const std::string& programFolder,
                                                   bool allowBuiltIn, RadioImage& image) {
    const std::string path = joinPath(programFolder, std::string(ADJUSTMENT_DEFAULT_FILE_NAME));
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        auto scratch = std::make_unique<RadioImage>();
        if (readImageFile(path, *scratch) != ImageFileRead::Ok) {
            return AdjustmentDefaultSource::Unreadable;
        }
        image = *scratch;
        return AdjustmentDefaultSource::File;
    }
    if (!allowBuiltIn) {
        return AdjustmentDefaultSource::Missing;
    }
    auto scratch = std::make_unique<RadioImage>();
    makeAdjustmentDefaultImage(*scratch);
    image = *scratch;
    return AdjustmentDefaultSource::BuiltIn;
}

} // namespace kq70
