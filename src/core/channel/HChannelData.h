#pragma once

#include "channel/ChannelHardware.h"
#include "channel/HChannelRecord.h"
#include "channel/HGroupTable.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

namespace kq70 {

class AdjustmentFrequencyLookup;
class RadioImage;

// Indices of the channel data's global values.
enum ChannelGlobal : int {
    GLOBAL_TRAILER_WORD = 0, // 0x2A00, carried
    GLOBAL_0x00EC = 1,       // cleared after every load
    GLOBAL_0x00ED = 2,       // cleared after every load
    GLOBAL_PRIORITY_CHANNEL = 3,
    GLOBAL_PRIORITY_GROUP = 4,
    GLOBAL_PRIORITY_SET = 5,
    GLOBAL_OPTION_UNIT = 6,
};
constexpr int CHANNEL_GLOBAL_COUNT = 7;
constexpr int NO_PRIORITY_CHANNEL = 65535;
constexpr int OPTION_UNIT_ENCRYPTION = 3;

// What a store of the channel data writes: the records, groups and global values of the
// scope. An editor that changed only some of them stores only those, so bytes nobody edited
// stay as they were read.
struct ChannelStoreScope {
    std::bitset<CHANNEL_COUNT> records;
    std::bitset<HGroupTable::GROUP_COUNT> groups;
    bool globals = false;

    static ChannelStoreScope all() {
        return {std::bitset<CHANNEL_COUNT>().set(), std::bitset<HGroupTable::GROUP_COUNT>().set(),
                true};
    }
};

// The 256 channel records, the group table and the channel-related global values, with the
// frequencies and tones in the units the user sees. Built from the image by extract and
// written back by store; the image stays the only lasting copy.
class HChannelData {
public:
    HChannelData();

    void extract(const RadioImage& image);
    void store(RadioImage& image) { store(image, ChannelStoreScope::all()); }
    // A record's tag is written only when the image reads otherwise, so a tag nobody changed
    // keeps its stored form.
    void store(RadioImage& image, const ChannelStoreScope& scope);

    std::int32_t getValue(int channel, int index) const;
    void setValue(int channel, int index, std::int32_t value);
    std::string getTag(int channel) const;
    void setTag(int channel, const std::string& text);
    bool isInUse(int channel) const;
    // Which of the first 16 channels are programmed: what the scanning page offers as
    // priority channels.
    std::bitset<16> firstSixteenInUse() const;
    // The channel number the user sees (1-based); −1 for an index outside the table.
    int displayNumber(int channel) const;

    std::int32_t getGlobal(int index) const;
    void setGlobal(int index, std::int32_t value);

    int priorityChannelOfGroup(int group) const;
    void setPriority(int channel);
    void clearPriority();

    int groupCount() const { return m_groups.activeGroups(); }
    int capacity() const { return m_groups.capacity(); }
    int channelsLeft() const;
    int groupChannelCount(int group) const { return m_groups.count(group); }
    int groupFirstChannel(int group) const;
    bool isGroupUsed(int group) const { return m_groups.count(group) != 0; }
    int nextUsedGroup(int group) const;
    // The group a channel belongs to; −1 when it lies beyond every group.
    int groupOfChannel(int channel) const;

    HGroupTable& groups() { return m_groups; }
    const HGroupTable& groups() const { return m_groups; }
    const ChannelHardware& hardware() const { return m_hardware; }

private:
    void extractRecords(const RadioImage& image);
    void deriveValues(HChannelRecord& record) const;
    void prepareForStore(HChannelRecord& record) const;
    void computeAlignment(HChannelRecord& record, const AdjustmentFrequencyLookup& lookup) const;
    void storeRecords(RadioImage& image, const std::bitset<CHANNEL_COUNT>& records) const;

    std::array<HChannelRecord, CHANNEL_COUNT> m_records;
    std::array<std::int32_t, CHANNEL_GLOBAL_COUNT> m_globals{};
    HGroupTable m_groups;
    ChannelHardware m_hardware;
};

} // namespace kq70
