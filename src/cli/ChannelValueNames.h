#pragma once

#include "channel/HChannelRecord.h"

#include <array>
#include <optional>
#include <string_view>

namespace kq70 {

// The JSON keys of a channel's values: the record names, by value index.
constexpr std::array<std::string_view, CHANNEL_VALUE_COUNT> CHANNEL_VALUE_NAMES{
    "inUse",
    "bandwidth",
    "rxStepIndex",
    "txStepIndex",
    "arts",
    "powerSaveTx",
    "powerSaveRx",
    "txInhibit",
    "txPowerLow",
    "tot",
    "byte1Bit2",
    "encryption",
    "lockOut",
    "dialScan",
    "clockShift",
    "squelchLevel",
    "signalType",
    "ani",
    "signalNumber",
    "txToneOn",
    "txToneDcs",
    "txDcsInverted",
    "txToneCode",
    "rxToneOn",
    "rxToneDcs",
    "rxDcsInverted",
    "rxDcsBoth",
    "rxToneCode",
    "rxPllFlag",
    "rxPllA",
    "rxPllHigh",
    "rxPllM0",
    "rxPllM1",
    "rxTuneDa",
    "txPllFlag",
    "txPllA",
    "txPllHigh",
    "txPllM0",
    "txPllM1",
    "txVcoDa",
    "alignByte11",
    "txPowerHighDa",
    "txPowerDa",
    "maxDeviationDa",
    "subAudioDeviationDa",
    "alignByte16",
    "tag",
    "scan",
    "rxAlignDa",
    "txAlignDa",
    "rxFrequency",
    "txFrequency",
    "txToneMode",
    "rxToneMode",
    "keepAlignment",
    "keepAlignByte11",
    "signalDisplayNumber",
};

// A few anchors, so a name cannot slip against the value enumeration.
static_assert(CHANNEL_VALUE_NAMES[inUse] == "inUse");
static_assert(CHANNEL_VALUE_NAMES[txToneCode] == "txToneCode");
static_assert(CHANNEL_VALUE_NAMES[rxToneCode] == "rxToneCode");
static_assert(CHANNEL_VALUE_NAMES[alignByte16] == "alignByte16");
static_assert(CHANNEL_VALUE_NAMES[tag] == "tag");
static_assert(CHANNEL_VALUE_NAMES[txAlignDa] == "txAlignDa");
static_assert(CHANNEL_VALUE_NAMES[rxFrequency] == "rxFrequency");
static_assert(CHANNEL_VALUE_NAMES[signalDisplayNumber] == "signalDisplayNumber");

// The value index of a channel key; nothing for a name no channel value has.
constexpr std::optional<int> channelValueByName(std::string_view name) {
    for (std::size_t i = 0; i < CHANNEL_VALUE_NAMES.size(); ++i) {
        if (CHANNEL_VALUE_NAMES[i] == name) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace kq70
