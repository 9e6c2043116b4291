#include "support/ChannelViewHarness.h"

#include "doc/DefaultImages.h"
#include "params/HHardwareParams.h"
#include "params/HMiscParams.h"
#include "support/TestRadios.h"

namespace kq70::test {

RadioImage pmrImage(int radioChannel) {
    RadioImage image;
    BuildDefaultImage(12, image);
    setHardwareValue(image, HW_RADIO_CHANNEL, radioChannel);
    return image;
}

RadioImage imageWithGroups(std::initializer_list<int> counts, int radioChannel) {
    RadioImage image = pmrImage(radioChannel);
    HChannelData data;
    data.extract(image);
    int g = 0;
    for (const int count : counts) {
        data.groups().setCount(g++, count);
    }
    for (; g < HGroupTable::GROUP_COUNT; ++g) {
        data.groups().setCount(g, 0);
    }
    data.store(image);
    return image;
}

void setMiscValue(RadioImage& image, std::size_t index, std::int32_t value) {
    HMiscParams misc;
    misc.extract(image);
    misc.set(index, value);
    misc.store(image);
}

} // namespace kq70::test
