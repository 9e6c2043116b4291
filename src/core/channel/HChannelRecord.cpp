#include "channel/HChannelRecord.h"

namespace kq70 {

HChannelRecord::HChannelRecord() {
    for (std::size_t i = 0; i < std::size(CHANNEL_RECORD_FIELDS); ++i) {
        values[i] = CHANNEL_RECORD_FIELDS[i].defaultValue;
    }
    tagText = std::string(CHANNEL_RECORD_FIELDS[tag].defaultText);
}

} // namespace kq70
