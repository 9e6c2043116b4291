#pragma once

#include "channel/HChannelData.h"
#include "image/RadioImage.h"

#include <cstdint>

namespace kq70::test {

// One value of one channel (a field index such as rxFrequency), read from or stored into an
// image through the channel data, as the editors do.
inline std::int32_t channelValue(const RadioImage& image, int channel, int field) {
    HChannelData data;
    data.extract(image);
    return data.getValue(channel, field);
}

inline void setChannelValue(RadioImage& image, int channel, int field, std::int32_t value) {
    HChannelData data;
    data.extract(image);
    data.setValue(channel, field, value);
    data.store(image);
}

} // namespace kq70::test
