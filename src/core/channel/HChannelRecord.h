#pragma once

#include "fields/FieldDescriptor.h"

#include <array>
#include <cstdint>
#include <string>

namespace kq70 {

// Value indices of a channel record. 0–45 live in the 32-byte record, 46 is the tag, 47–49
// live outside the record, 50–56 are derived.
enum ChannelValue : int {
    inUse = 0,
    bandwidth = 1,
    rxStepIndex = 2,
    txStepIndex = 3,
    arts = 4,
    powerSaveTx = 5,
    powerSaveRx = 6,
    txInhibit = 7,
    txPowerLow = 8,
    tot = 9,
    byte1Bit2 = 10,
    encryption = 11,
    lockOut = 12,
    dialScan = 13,
    clockShift = 14,
    squelchLevel = 15,
    signalType = 16,
    ani = 17,
    signalNumber = 18,
    txToneOn = 19,
    txToneDcs = 20,
    txDcsInverted = 21,
    txToneCode = 22,
    rxToneOn = 23,
    rxToneDcs = 24,
    rxDcsInverted = 25,
    rxDcsBoth = 26,
    rxToneCode = 27,
    rxPllFlag = 28,
    rxPllA = 29,
    rxPllHigh = 30,
    rxPllM0 = 31,
    rxPllM1 = 32,
    rxTuneDa = 33,
    txPllFlag = 34,
    txPllA = 35,
    txPllHigh = 36,
    txPllM0 = 37,
    txPllM1 = 38,
    txVcoDa = 39,
    alignByte11 = 40,
    txPowerHighDa = 41,
    txPowerDa = 42,
    maxDeviationDa = 43,
    subAudioDeviationDa = 44,
    alignByte16 = 45,
    tag = 46,
    scan = 47,
    rxAlignDa = 48,
    txAlignDa = 49,
    rxFrequency = 50,
    txFrequency = 51,
    txToneMode = 52,
    rxToneMode = 53,
    keepAlignment = 54,
    keepAlignByte11 = 55,
    signalDisplayNumber = 56,
};

constexpr int CHANNEL_VALUE_COUNT = 57;
constexpr int CHANNEL_COUNT = 256;

// Values of txToneMode and rxToneMode.
constexpr int TONE_OFF = 0;
constexpr int TONE_CTCSS = 1;
constexpr int TONE_DCS = 2;
// Values of signalType beside 0 (none) and 1 (signal).
constexpr int PAGING_TYPE = 2;
constexpr int OPTION_TYPE = 3;
// The bandwidth value of a narrow channel.
constexpr int BANDWIDTH_NARROW = 2;

// The 32-byte record, relative to its start (0x0315 + 32·i). Entry 46 is the tag.
constexpr FieldDescriptor CHANNEL_RECORD_FIELDS[] = {
    numberField(0x00, 7, 1, 0), // 0 inUse
    numberField(0x00, 5, 2, 0), // 1 bandwidth
    numberField(0x00, 3, 2, 0), // 2 rxStepIndex
    numberField(0x00, 1, 2, 0), // 3 txStepIndex
    numberField(0x00, 0, 1, 0), // 4 arts
    numberField(0x01, 7, 1, 0), // 5 powerSaveTx
    numberField(0x01, 6, 1, 0), // 6 powerSaveRx
    numberField(0x01, 5, 1, 1), // 7 txInhibit
    numberField(0x01, 4, 1, 0), // 8 txPowerLow
    numberField(0x01, 3, 1, 0), // 9 tot
    numberField(0x01, 2, 1, 0), // 10 byte1Bit2
    numberField(0x01, 0, 2, 0), // 11 encryption
    numberField(0x02, 6, 2, 0), // 12 lockOut
    numberField(0x02, 5, 1, 0), // 13 dialScan
    {.kind = FieldKind::Number, // 14 clockShift, stored inverted
     .byteOffset = 0x02,
     .bitPosition = 3,
     .width = 1,
     .invert = true},
    numberField(0x03, 4, 4, 0),     // 15 squelchLevel
    numberField(0x03, 1, 2, 0),     // 16 signalType
    numberField(0x03, 0, 1, 0),     // 17 ani
    numberField(0x04, 3, 5, 0),     // 18 signalNumber
    numberField(0x05, 7, 1, 0),     // 19 txToneOn
    numberField(0x05, 6, 1, 0),     // 20 txToneDcs
    numberField(0x05, 5, 1, 0),     // 21 txDcsInverted
    numberField(0x05, 0, 12, 0),    // 22 txToneCode, 0x05–0x06
    numberField(0x07, 7, 1, 0),     // 23 rxToneOn
    numberField(0x07, 6, 1, 0),     // 24 rxToneDcs
    numberField(0x07, 5, 1, 0),     // 25 rxDcsInverted
    numberField(0x07, 4, 1, 0),     // 26 rxDcsBoth
    numberField(0x07, 0, 12, 0),    // 27 rxToneCode, 0x07–0x08
    numberField(0x09, 7, 1, 0),     // 28 rxPllFlag
    numberField(0x09, 4, 3, 0),     // 29 rxPllA
    numberField(0x09, 0, 12, 0),    // 30 rxPllHigh, 0x09–0x0A
    numberField(0x0B, 0, 4, 0),     // 31 rxPllM0
    numberField(0x0B, 4, 4, 0),     // 32 rxPllM1
    numberField(0x0C, 0, 8, 0),     // 33 rxTuneDa
    numberField(0x0D, 7, 1, 0),     // 34 txPllFlag
    numberField(0x0D, 4, 3, 0),     // 35 txPllA
    numberField(0x0D, 0, 12, 0),    // 36 txPllHigh, 0x0D–0x0E
    numberField(0x0F, 0, 4, 0),     // 37 txPllM0
    numberField(0x0F, 4, 4, 0),     // 38 txPllM1
    numberField(0x10, 0, 8, 0),     // 39 txVcoDa
    numberField(0x11, 0, 8, 0),     // 40 alignByte11
    numberField(0x12, 0, 8, 0),     // 41 txPowerHighDa
    numberField(0x13, 0, 8, 0),     // 42 txPowerDa
    numberField(0x14, 0, 8, 0),     // 43 maxDeviationDa
    numberField(0x15, 0, 8, 0),     // 44 subAudioDeviationDa
    numberField(0x16, 0, 8, 0),     // 45 alignByte16
    textField(0x17, 8, "        "), // 46 tag, 0x17–0x1E
};
static_assert(allValid(CHANNEL_RECORD_FIELDS));
static_assert(std::size(CHANNEL_RECORD_FIELDS) == 47);

// One bit or byte per channel, selected by bit: the scan bitmap from 0x0008 (stride 1 bit)
// and the two alignment bytes from 0x2780 and 0x2781 (stride 16 bits).
constexpr FieldDescriptor CHANNEL_BIT_FIELD[] = {numberField(0, 0, 1, 0)};
constexpr FieldDescriptor CHANNEL_ALIGN_FIELD[] = {numberField(0, 0, 8, 0)};

// One channel's values and its alpha tag.
struct HChannelRecord {
    std::array<std::int32_t, CHANNEL_VALUE_COUNT> values{};
    std::string tagText = "        ";

    HChannelRecord();
};

} // namespace kq70
