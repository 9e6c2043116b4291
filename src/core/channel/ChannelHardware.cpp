#include "channel/ChannelHardware.h"

#include "params/HHardwareParams.h"
#include "params/HPagingCodeParams.h"

namespace kq70 {

ChannelHardware ChannelHardware::fromImage(const RadioImage& image) {
    HHardwareParams hw;
    hw.extract(image);
    ChannelHardware out;
    out.radioChannel = hw.get(HW_RADIO_CHANNEL);
    out.band = hw.get(HW_FREQUENCY_BAND);
    out.upperLocal = hw.get(HW_LOCAL_OFFSET) == 1;
    out.channelStep = hw.get(HW_CHANNEL_STEP);
    out.ifHz = hw.get(HW_FIRST_IF);
    out.alignmentItemSelect = hw.get(HW_ALIGN_ITEM_SELECT);
    for (std::size_t i = 0; i < 3; ++i) {
        out.rxTuneOffsets[i] = hw.get(HW_RX_TUNE_OFFSET_0 + i);
        out.txOffsetsTone[i] = hw.get(HW_TX_DA_OFFSET_CTCSS_0 + i);
        out.txOffsetsDcs[i] = hw.get(HW_TX_DA_OFFSET_DCS_0 + i);
    }
    out.pagingDefined = pagingCodesDefined(image);
    return out;
}

std::array<bool, 10> pagingCodesDefined(const RadioImage& image) {
    static_assert(HPagingCodeParams::PAGING_CODE_RECORDS == 10);
    std::array<bool, 10> defined{};
    for (std::size_t k = 0; k < defined.size(); ++k) {
        defined[k] = HPagingCodeParams::isDefinedIn(image, k);
    }
    return defined;
}

} // namespace kq70
