#include "channel/HChannelData.h"

#include "align/AdjustmentFrequencyLookup.h"
#include "align/HAdustmentBackUpParams.h"
#include "channel/FrequencyCodec.h"
#include "fields/HRecordFieldTable.h"
#include "image/RadioImage.h"

#include <algorithm>
#include <cmath>

namespace kq70 {

namespace {

constexpr FieldDescriptor CHANNEL_GLOBAL_FIELDS[] = {
    {.kind = FieldKind::Number, // 0 the trailer's first word, carried
     .byteOffset = 0x2A00,
     .width = 32,
     .readOnly = true},
    numberField(0x00EC, 0, 8), // 1
    numberField(0x00ED, 0, 8), // 2
    numberField(0x0263, 0, 8), // 3 priority channel
    numberField(0x0262, 0, 4), // 4 priority channel's group
    numberField(0x0206, 4, 1), // 5 priority channel set
    numberField(0x0265, 0, 4), // 6 option unit
};
static_assert(allValid(CHANNEL_GLOBAL_FIELDS));

constexpr int LAST_STORED_VALUE = alignByte16;
constexpr int MAX_PAGING_STORED = 9;

// Lookup values of the adjustment data (the item groups in their order, then the three
// tuning curves) that the per-channel alignment bytes take.
constexpr std::size_t K_TX_POWER_HIGH = 1;
constexpr std::size_t K_TX_POWER = 2;
constexpr std::size_t K_MAX_DEVIATION_WIDE = 3;
constexpr std::size_t K_MAX_DEVIATION_NARROW = 4;
constexpr std::size_t K_SUB_AUDIO_DEVIATION = 5; // +1 narrow, +2 DCS
constexpr std::size_t K_ALIGN_BYTE16 = 9;        // +2 with hardware value 24 set, +1 narrow
constexpr std::size_t K_ALIGN_BYTE11 = 13;
constexpr std::size_t K_RX_TUNE = 15;
constexpr std::size_t K_RX_VCO = 16;
constexpr std::size_t K_TX_VCO = 17;
constexpr int TONE_MODE_DCS = 2;

HRecordFieldTable recordTable() {
    return HRecordFieldTable(
        CHANNEL_RECORD_FIELDS,
        RecordLayout{.base = CHANNEL_TABLE_OFFSET, .strideBytes = CHANNEL_RECORD_SIZE});
}

HRecordFieldTable bitTable(std::span<const FieldDescriptor> field, std::size_t base,
                           std::size_t strideBits) {
    return HRecordFieldTable(field, RecordLayout{.base = base, .strideBits = strideBits});
}

// The three per-channel tables outside the record, in value order 47, 48, 49.
std::array<HRecordFieldTable, 3> outsideTables() {
    return {bitTable(CHANNEL_BIT_FIELD, SCAN_BITMAP_OFFSET, 1),
            bitTable(CHANNEL_ALIGN_FIELD, CHANNEL_ALIGNMENT_OFFSET, 16),
            bitTable(CHANNEL_ALIGN_FIELD, CHANNEL_ALIGNMENT_OFFSET + 1, 16)};
}

// Step rows 0 and 1 share the first offset.
std::size_t offsetSlot(int stepRow) {
    return stepRow <= 1 ? 0 : static_cast<std::size_t>(stepRow - 1);
}

std::int32_t byteValue(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, 255));
}

bool validChannel(int channel) {
    return channel >= 0 && channel < CHANNEL_COUNT;
}

} // namespace

HChannelData::HChannelData() {
    for (std::size_t i = 0; i < CHANNEL_GLOBAL_COUNT; ++i) {
        m_globals[i] = CHANNEL_GLOBAL_FIELDS[i].defaultValue;
    }
}

void HChannelData::extract(const RadioImage& image) {
    HFieldTable globals(CHANNEL_GLOBAL_FIELDS);
    globals.init(image);
    for (std::size_t i = 0; i < CHANNEL_GLOBAL_COUNT; ++i) {
        m_globals[i] = globals.getValue(i);
    }
    m_hardware = ChannelHardware::fromImage(image);
    extractRecords(image);
    m_groups.extract(image, m_hardware.radioChannel);
    for (HChannelRecord& record : m_records) {
        deriveValues(record);
    }
    m_globals[GLOBAL_0x00EC] = 0;
    m_globals[GLOBAL_0x00ED] = 0;
}

void HChannelData::extractRecords(const RadioImage& image) {
    HRecordFieldTable records = recordTable();
    records.init(image);
    auto outside = outsideTables();
    for (auto& table : outside) {
        table.init(image);
    }
    for (std::size_t i = 0; i < CHANNEL_COUNT; ++i) {
        HChannelRecord& record = m_records[i];
        records.selectRecordByByte(i);
        for (int v = 0; v <= LAST_STORED_VALUE; ++v) {
            record.values[static_cast<std::size_t>(v)] =
                records.getValue(static_cast<std::size_t>(v));
        }
        record.tagText = records.readString(tag);
        for (std::size_t t = 0; t < outside.size(); ++t) {
            outside[t].selectRecordByBit(i);
            record.values[scan + t] = outside[t].getValue(0);
        }
    }
}

void HChannelData::deriveValues(HChannelRecord& record) const {
    auto& v = record.values;
    const ChannelHardware& hw = m_hardware;
    if (v[rxPllHigh] == 0) {
        v[rxFrequency] = static_cast<std::int32_t>(bandDefaultFrequency(hw.band));
    } else {
        const std::int64_t n = joinDivider({v[rxPllA], v[rxPllM0], v[rxPllM1], v[rxPllHigh]});
        v[rxFrequency] = static_cast<std::int32_t>(
            receiveFrequency(n, hw.ifHz, hw.upperLocal, v[rxStepIndex], hw.channelStep));
    }
    if (v[txPllHigh] == 0) {
        v[txFrequency] = static_cast<std::int32_t>(bandDefaultFrequency(hw.band));
    } else {
        const std::int64_t n = joinDivider({v[txPllA], v[txPllM0], v[txPllM1], v[txPllHigh]});
        v[txFrequency] = static_cast<std::int32_t>(n * stepHz(v[txStepIndex], hw.channelStep));
    }
    v[txToneMode] = v[txToneOn] != 0 ? v[txToneDcs] + 1 : 0;
    v[rxToneMode] = v[rxToneOn] != 0 ? v[rxToneDcs] + 1 : 0;
    v[keepAlignment] = 0;
    v[keepAlignByte11] = 0;

    // A page that names no defined paging code is no page.
    const std::int32_t number = v[signalNumber];
    if (v[signalType] == PAGING_TYPE && (number < 0 || number > MAX_PAGING_STORED ||
                                         !hw.pagingDefined[static_cast<std::size_t>(number)])) {
        v[signalType] = 0;
        v[signalNumber] = 0;
    }
    switch (v[signalType]) {
    case 0:
        v[signalDisplayNumber] = 0;
        break;
    case 3:
        v[signalDisplayNumber] = v[signalNumber];
        break;
    default:
        v[signalDisplayNumber] =
            v[signalType] == PAGING_TYPE && v[signalNumber] > 10 ? 0 : v[signalNumber] + 1;
        break;
    }
    if (m_globals[GLOBAL_OPTION_UNIT] == OPTION_UNIT_ENCRYPTION &&
        (v[encryption] == 1 || v[encryption] == 2)) {
        v[encryption] = 0;
    }
}

void HChannelData::prepareForStore(HChannelRecord& record) const {
    auto& v = record.values;
    const ChannelHardware& hw = m_hardware;

    int rxRow = 0;
    const std::int64_t rx = storableFrequency(v[rxFrequency], hw.channelStep, rxRow);
    int txRow = 0;
    const std::int64_t tx = storableFrequency(v[txFrequency], hw.channelStep, txRow);
    v[rxStepIndex] = rxRow;
    v[txStepIndex] = txRow;
    v[rxFrequency] = static_cast<std::int32_t>(rx);
    v[txFrequency] = static_cast<std::int32_t>(tx);

    const PllWord rxWord =
        splitDivider(receiveDivider(rx, hw.ifHz, hw.upperLocal, rxRow, hw.channelStep));
    v[rxPllA] = rxWord.a;
    v[rxPllM0] = rxWord.m0;
    v[rxPllM1] = rxWord.m1;
    v[rxPllHigh] = rxWord.high;
    const PllWord txWord = splitDivider(tx / stepHz(txRow, hw.channelStep));
    v[txPllA] = txWord.a;
    v[txPllM0] = txWord.m0;
    v[txPllM1] = txWord.m1;
    v[txPllHigh] = txWord.high;

    v[txToneOn] = v[txToneMode] != 0 ? 1 : 0;
    v[txToneDcs] = v[txToneMode] != 0 ? v[txToneMode] - 1 : 0;
    v[rxToneOn] = v[rxToneMode] != 0 ? 1 : 0;
    v[rxToneDcs] = v[rxToneMode] != 0 ? v[rxToneMode] - 1 : 0;

    const std::int32_t shown = v[signalDisplayNumber];
    v[signalNumber] = shown;
    if (shown == 0) {
        v[signalType] = 0;
    }
    if (v[signalType] == 1 || v[signalType] == PAGING_TYPE) {
        v[signalNumber] = shown > 0 ? shown - 1 : 0;
        if (v[signalType] == PAGING_TYPE && v[signalNumber] > MAX_PAGING_STORED) {
            v[signalNumber] = 0;
        }
    }
    if (m_globals[GLOBAL_OPTION_UNIT] == OPTION_UNIT_ENCRYPTION) {
        v[encryption] = OPTION_UNIT_ENCRYPTION;
    }
}

void HChannelData::computeAlignment(HChannelRecord& record,
                                    const AdjustmentFrequencyLookup& lookup) const {
    auto& v = record.values;
    if (v[keepAlignment] != 0) {
        return;
    }
    const ChannelHardware& hw = m_hardware;
    const std::int64_t rx = v[rxFrequency];
    const std::int64_t tx = v[txFrequency];
    const bool narrow = v[bandwidth] >= BANDWIDTH_NARROW;
    const bool dcs = v[txToneMode] == TONE_MODE_DCS;

    v[rxTuneDa] =
        byteValue(lookup.valueAt(K_RX_TUNE, rx) + hw.rxTuneOffsets[offsetSlot(v[rxStepIndex])]);
    const auto& txOffsets = dcs ? hw.txOffsetsDcs : hw.txOffsetsTone;
    v[txVcoDa] = byteValue(lookup.valueAt(K_TX_VCO, tx) + txOffsets[offsetSlot(v[txStepIndex])]);
    if (v[keepAlignByte11] == 0) {
        v[alignByte11] = byteValue(lookup.valueAt(K_ALIGN_BYTE11, tx));
    }
    v[txPowerHighDa] = byteValue(lookup.valueAt(K_TX_POWER_HIGH, tx));
    v[txPowerDa] = byteValue(lookup.valueAt(K_TX_POWER, tx));
    std::int64_t deviation =
        lookup.valueAt(narrow ? K_MAX_DEVIATION_NARROW : K_MAX_DEVIATION_WIDE, tx);
    if (v[bandwidth] == 1) { // W4 runs at 0.8 of the W5 deviation
        deviation = std::llround(static_cast<double>(deviation) * 0.8);
    }
    v[maxDeviationDa] = byteValue(deviation);
    v[subAudioDeviationDa] =
        byteValue(lookup.valueAt(K_SUB_AUDIO_DEVIATION + (narrow ? 1 : 0) + (dcs ? 2 : 0), tx));
    v[alignByte16] = byteValue(lookup.valueAt(
        K_ALIGN_BYTE16 + (hw.alignmentItemSelect != 0 ? 2 : 0) + (narrow ? 1 : 0), tx));
    v[rxAlignDa] = byteValue(lookup.valueAt(K_RX_VCO, rx));
    v[txAlignDa] = byteValue(lookup.valueAt(K_TX_VCO, tx));
}

void HChannelData::store(RadioImage& image, const ChannelStoreScope& scope) {
    m_hardware = ChannelHardware::fromImage(image);
    // The adjustment items are read once: computing the records writes nothing of them.
    HAdustmentBackUpParams items;
    items.extract(image);
    const AdjustmentFrequencyLookup lookup = AdjustmentFrequencyLookup::fromItems(items);
    for (std::size_t i = 0; i < CHANNEL_COUNT; ++i) {
        if (scope.records.test(i)) {
            prepareForStore(m_records[i]);
            computeAlignment(m_records[i], lookup);
        }
    }
    storeRecords(image, scope.records);
    if (scope.globals) {
        HFieldTable globals(CHANNEL_GLOBAL_FIELDS);
        globals.init(image);
        for (std::size_t i = 0; i < CHANNEL_GLOBAL_COUNT; ++i) {
            globals.setValue(i, m_globals[i]);
        }
    }
    m_groups.store(image, scope.groups);
}

void HChannelData::storeRecords(RadioImage& image, const std::bitset<CHANNEL_COUNT>& stored) const {
    HRecordFieldTable records = recordTable();
    records.init(image);
    auto outside = outsideTables();
    for (auto& table : outside) {
        table.init(image);
    }
    for (std::size_t i = 0; i < CHANNEL_COUNT; ++i) {
        if (!stored.test(i)) {
            continue;
        }
        const HChannelRecord& record = m_records[i];
        records.selectRecordByByte(i);
        for (int v = 0; v <= LAST_STORED_VALUE; ++v) {
            records.setValue(static_cast<std::size_t>(v),
                             record.values[static_cast<std::size_t>(v)]);
        }
        if (records.readString(tag) != record.tagText) {
            records.writeString(tag, record.tagText);
        }
        for (std::size_t t = 0; t < outside.size(); ++t) {
            outside[t].selectRecordByBit(i);
            outside[t].setValue(0, record.values[scan + t]);
        }
    }
}

std::int32_t HChannelData::getValue(int channel, int index) const {
    if (!validChannel(channel) || index < 0 || index >= CHANNEL_VALUE_COUNT) {
        return -1;
    }
    return m_records[static_cast<std::size_t>(channel)].values[static_cast<std::size_t>(index)];
}

void HChannelData::setValue(int channel, int index, std::int32_t value) {
    if (validChannel(channel) && index >= 0 && index < CHANNEL_VALUE_COUNT && index != tag) {
        m_records[static_cast<std::size_t>(channel)].values[static_cast<std::size_t>(index)] =
            value;
    }
}

std::string HChannelData::getTag(int channel) const {
    return validChannel(channel) ? m_records[static_cast<std::size_t>(channel)].tagText
                                 : std::string();
}

void HChannelData::setTag(int channel, const std::string& text) {
    if (validChannel(channel)) {
        m_records[static_cast<std::size_t>(channel)].tagText = text;
    }
}

bool HChannelData::isInUse(int channel) const {
    return validChannel(channel) && getValue(channel, inUse) != 0;
}

std::bitset<16> HChannelData::firstSixteenInUse() const {
    std::bitset<16> inUse;
    for (std::size_t k = 0; k < inUse.size(); ++k) {
        inUse.set(k, isInUse(static_cast<int>(k)));
    }
    return inUse;
}

int HChannelData::displayNumber(int channel) const {
    return validChannel(channel) ? channel + 1 : -1;
}

std::int32_t HChannelData::getGlobal(int index) const {
    return index >= 0 && index < CHANNEL_GLOBAL_COUNT ? m_globals[static_cast<std::size_t>(index)]
                                                      : -1;
}

void HChannelData::setGlobal(int index, std::int32_t value) {
    if (index >= 0 && index < CHANNEL_GLOBAL_COUNT) {
        m_globals[static_cast<std::size_t>(index)] = value;
    }
}

int HChannelData::groupFirstChannel(int group) const {
    int first = 0;
    for (int g = 0; g < group && g < HGroupTable::GROUP_COUNT; ++g) {
        first += m_groups.count(g);
    }
    return first;
}

int HChannelData::groupOfChannel(int channel) const {
    int first = 0;
    for (int g = 0; g < HGroupTable::GROUP_COUNT; ++g) {
        const int count = m_groups.count(g);
        if (channel >= first && channel < first + count) {
            return g;
        }
        first += count;
    }
    return -1;
}

int HChannelData::channelsLeft() const {
    int used = 0;
    for (int g = 0; g < m_groups.activeGroups(); ++g) {
        used += m_groups.count(g);
    }
    return capacity() - used;
}

int HChannelData::nextUsedGroup(int group) const {
    for (int g = group + 1; g < HGroupTable::GROUP_COUNT; ++g) {
        if (isGroupUsed(g)) {
            return g;
        }
    }
    for (int g = 0; g < group && g < HGroupTable::GROUP_COUNT; ++g) {
        if (isGroupUsed(g)) {
            return g;
        }
    }
    return 0;
}

int HChannelData::priorityChannelOfGroup(int group) const {
    if (m_globals[GLOBAL_PRIORITY_SET] == 0) {
        return NO_PRIORITY_CHANNEL;
    }
    const int channel = m_globals[GLOBAL_PRIORITY_CHANNEL];
    return groupOfChannel(channel) == group ? channel : NO_PRIORITY_CHANNEL;
}

void HChannelData::setPriority(int channel) {
    const int group = groupOfChannel(channel);
    if (!isInUse(channel) || group < 0) {
        clearPriority();
        return;
    }
    m_globals[GLOBAL_PRIORITY_SET] = 1;
    m_globals[GLOBAL_PRIORITY_CHANNEL] = channel;
    m_globals[GLOBAL_PRIORITY_GROUP] = group;
}

void HChannelData::clearPriority() {
    m_globals[GLOBAL_PRIORITY_SET] = 0;
    m_globals[GLOBAL_PRIORITY_CHANNEL] = 0;
    m_globals[GLOBAL_PRIORITY_GROUP] = 0;
}

} // namespace kq70
