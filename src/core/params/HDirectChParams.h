#pragma once

#include "fields/HParams.h"

#include <cstddef>
#include <cstdint>

namespace kq70 {

// The two direct channels the "Direct CH1" and "Direct CH2" keys call: per record a group
// (low nibble of its first byte) and a channel number (its second byte).
class HDirectChParams : public HParams {
public:
    static constexpr std::size_t DIRECT_CH_COUNT = 2;
    static constexpr std::size_t DIRECT_CH_OFFSET = 0x0279; // record k at + 2·k
    static constexpr std::size_t GROUP_1 = 0;
    static constexpr std::size_t CHANNEL_1 = 1;
    static constexpr std::size_t GROUP_2 = 2;
    static constexpr std::size_t CHANNEL_2 = 3;
    static constexpr std::size_t VALUE_COUNT = 4;

    // The channel number is stored as the user sees and types it, counting from 1, as files
    // and radios written by earlier versions hold it; one byte holds no more than 255. The
    // page's prompt names 256, the highest channel of the largest radio.
    static constexpr std::int32_t FIRST_CHANNEL_NUMBER = 1;
    static constexpr std::int32_t LAST_CHANNEL_NUMBER = 255;
    static constexpr std::int32_t PROMPT_LAST_CHANNEL_NUMBER = 256;

    HDirectChParams();

    static constexpr std::size_t groupIndex(std::size_t record) { return 2 * record; }
    static constexpr std::size_t channelIndex(std::size_t record) { return 2 * record + 1; }
};

} // namespace kq70
