#include "DocumentSummary.h"

#include "app/AccessMode.h"
#include "channel/HChannelRecord.h"
#include "doc/DocumentObjects.h"
#include "pages/HHardwareDialog.h"
#include "ui/StrPrintf.h"

namespace kq70 {

namespace {

constexpr double HZ_PER_MHZ = 1e6;
constexpr int VERSION_DIGITS = 100;

std::string line(const char* label, const std::string& value) {
    return strprintf("%-18s%s\n", label, value.c_str());
}

// The texts the hardware page shows for the radio's build.
std::string identity(CKQ70Doc& doc, const DocumentObjects& objects, UserPrompt& prompt) {
    HHardwareDialog page(doc, ACCESS_NORMAL, prompt);
    page.OnInitDialog();
    const HChannelData& channels = objects.channels;
    const int groups = channels.groupCount();
    std::string text;
    text += line("Product type", page.GetShownValue(IDC_HW_PRODUCT_TYPE));
    text += line("Frequency band",
                 strprintf("%s (%d)", page.GetShownValue(IDC_HW_FREQUENCY_BAND).c_str(),
                           objects.hardware.get(HW_FREQUENCY_BAND)));
    text += line("Radio channel",
                 strprintf("%s: capacity %d, %d active group%s, %d channel%s left",
                           page.GetShownValue(IDC_HW_RADIO_CHANNEL).c_str(), channels.capacity(),
                           groups, groups == 1 ? "" : "s", channels.channelsLeft(),
                           channels.channelsLeft() == 1 ? "" : "s"));
    text += line("LCD type", page.GetShownValue(IDC_HW_LCD_TYPE));
    const int version = objects.marketing.firmwareVersion();
    text += line("Firmware version",
                 strprintf("%d.%02d", version / VERSION_DIGITS, version % VERSION_DIGITS));
    text += line("Serial number", HMarketingParams::serialNumberText(
                                      objects.marketing.get(HMarketingParams::SERIAL_NUMBER)));
    return text;
}

std::string groupList(const HChannelData& channels) {
    std::string text = "Group  Channels  Scan  Tag\n";
    const HGroupTable& groups = channels.groups();
    for (int g = 0; g < channels.groupCount(); ++g) {
        text += strprintf("%5d  %8d  %-4s  \"%s\"\n", g + 1, groups.count(g),
                          groups.scanFlag(g) ? "On" : "Off", groups.tag(g).c_str());
    }
    return text;
}

std::string frequencyText(std::int32_t hz) {
    return strprintf("%9.5f", hz / HZ_PER_MHZ);
}

std::string channelLine(const HChannelData& channels, int c) {
    const auto value = [&](int index) { return channels.getValue(c, index); };
    const int group = channels.groupOfChannel(c);
    return strprintf(
        "%3d  %5s  %s  %s  %-7s  %-7s  \"%s\"\n", channels.displayNumber(c),
        group < 0 ? "-" : std::to_string(group + 1).c_str(),
        frequencyText(value(rxFrequency)).c_str(), frequencyText(value(txFrequency)).c_str(),
        toneText(value(rxToneMode), value(rxToneCode), value(rxDcsInverted) != 0).c_str(),
        toneText(value(txToneMode), value(txToneCode), value(txDcsInverted) != 0).c_str(),
        channels.getTag(c).c_str());
}

std::string channelList(const HChannelData& channels) {
    std::string rows;
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        if (channels.isInUse(c)) {
            rows += channelLine(channels, c);
        }
    }
    if (rows.empty()) {
        return "No channel is programmed.\n";
    }
    return " CH  Group  RX MHz     TX MHz     RX tone  TX tone  Tag\n" + rows;
}

} // namespace

// The channel grid of the service modes will have its own cell texts; until it does, the
// summary writes frequencies and tones in these fixed formats.
std::string toneText(int toneMode, int code, bool dcsInverted) {
    if (toneMode == TONE_CTCSS) {
        return strprintf("%5.1f", code / 10.0);
    }
    if (toneMode == TONE_DCS) {
        return strprintf(dcsInverted ? "D%03oI" : "D%03oN", static_cast<unsigned>(code));
    }
    return "OFF";
}

std::string documentSummary(CKQ70Doc& doc, const DocumentObjects& objects, const std::string& path,
                            long long fileSize, UserPrompt& prompt) {
    std::string text = line("File", path);
    text += line("Size", strprintf("%lld bytes", fileSize));
    text += identity(doc, objects, prompt);
    text += '\n' + groupList(objects.channels);
    text += '\n' + channelList(objects.channels);
    return text;
}

} // namespace kq70
