#pragma once

#include <array>
#include <bitset>
#include <string>

namespace kq70 {

class RadioImage;

// The 16 channel groups: a channel count each (channels are allotted to groups in order), a
// group scan flag and an 8-character alpha tag, plus the capacity and the number of active
// groups, which follow the hardware's Radio Channel value.
class HGroupTable {
public:
    static constexpr int GROUP_COUNT = 16;
    static constexpr std::size_t TAG_LENGTH = 8;

    static int activeGroupsForRadioChannel(int radioChannelValue);

    // Reads the table and repairs it: counts of inactive groups are cleared, counts are cut
    // so that they add up to at most the capacity, and an empty table gives group 0 all.
    void extract(const RadioImage& image, int radioChannelValue);
    // Counts are stored as their low byte: a whole 256-channel group reads back as 0, which
    // the repair on extract turns into the whole capacity again. Only the groups of `groups`
    // are written, and a tag only when the image reads otherwise, so a tag nobody changed
    // keeps its stored form.
    void store(RadioImage& image,
               const std::bitset<GROUP_COUNT>& groups = std::bitset<GROUP_COUNT>().set()) const;

    int capacity() const { return m_capacity; }
    int activeGroups() const { return m_activeGroups; }

    int count(int group) const;
    void setCount(int group, int count);
    bool scanFlag(int group) const;
    void setScanFlag(int group, bool on);
    std::string tag(int group) const;
    void setTag(int group, const std::string& text);

private:
    void normalise();

    int m_capacity = 16;
    int m_activeGroups = 1;
    std::array<int, GROUP_COUNT> m_counts{};
    std::array<bool, GROUP_COUNT> m_scan{};
    std::array<std::string, GROUP_COUNT> m_tags;
};

} // namespace kq70
