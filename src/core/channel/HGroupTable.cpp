#include "channel/HGroupTable.h"

#include "fields/HRecordFieldTable.h"
#include "image/RadioImage.h"

#include <algorithm>

namespace kq70 {

namespace {

constexpr std::size_t GROUP_COUNT_OFFSET = 0x0305;
constexpr std::size_t GROUP_SCAN_OFFSET = 0x0028;
constexpr std::size_t GROUP_TAG_OFFSET = 0x0285;

constexpr FieldDescriptor GROUP_TAG_FIELD[] = {textField(0, HGroupTable::TAG_LENGTH, "        ")};

HRecordFieldTable tagTable() {
    return HRecordFieldTable(GROUP_TAG_FIELD, RecordLayout{.base = GROUP_TAG_OFFSET,
                                                           .strideBytes = HGroupTable::TAG_LENGTH});
}

bool validGroup(int group) {
    return group >= 0 && group < HGroupTable::GROUP_COUNT;
}

// Group scan flags, most significant bit first: group g is bit 7 − g mod 8 of 0x0028 + g/8.
std::size_t scanByte(int group) {
    return GROUP_SCAN_OFFSET + static_cast<std::size_t>(group / 8);
}
std::uint8_t scanMask(int group) {
    return static_cast<std::uint8_t>(0x80u >> (group % 8));
}

} // namespace

int HGroupTable::activeGroupsForRadioChannel(int radioChannelValue) {
    switch (radioChannelValue) {
    case 4:
        return 2;
    case 5:
        return 3;
    case 6:
        return GROUP_COUNT;
    default:
        return 1;
    }
}

void HGroupTable::extract(const RadioImage& image, int radioChannelValue) {
    m_capacity = channelCapacityForRadioChannel(radioChannelValue);
    m_activeGroups = activeGroupsForRadioChannel(radioChannelValue);
    HRecordFieldTable tags = tagTable();
    tags.init(image);
    for (int g = 0; g < GROUP_COUNT; ++g) {
        m_counts[static_cast<std::size_t>(g)] =
            image.byteAt(GROUP_COUNT_OFFSET + static_cast<std::size_t>(g));
        m_scan[static_cast<std::size_t>(g)] = (image.byteAt(scanByte(g)) & scanMask(g)) != 0;
        tags.selectRecordByByte(static_cast<std::size_t>(g));
        m_tags[static_cast<std::size_t>(g)] = tags.readString(0);
    }
    normalise();
}

void HGroupTable::normalise() {
    int total = 0;
    for (int g = 0; g < GROUP_COUNT; ++g) {
        int& c = m_counts[static_cast<std::size_t>(g)];
        if (g >= m_activeGroups) {
            c = 0; // only the count: tags and scan flags are carried
        }
        c = std::min(c, m_capacity);
        if (total + c > m_capacity) {
            c = m_capacity - total;
        }
        total += c;
    }
    if (total == 0) {
        m_counts[0] = m_capacity;
    }
}

void HGroupTable::store(RadioImage& image, const std::bitset<GROUP_COUNT>& groups) const {
    HRecordFieldTable tags = tagTable();
    tags.init(image);
    for (int g = 0; g < GROUP_COUNT; ++g) {
        const auto index = static_cast<std::size_t>(g);
        if (!groups.test(index)) {
            continue;
        }
        image.setByte(GROUP_COUNT_OFFSET + index, static_cast<std::uint8_t>(m_counts[index]));
        const std::uint8_t byte = image.byteAt(scanByte(g));
        image.setByte(scanByte(g), m_scan[index] ? byte | scanMask(g)
                                                 : byte & static_cast<std::uint8_t>(~scanMask(g)));
        tags.selectRecordByByte(index);
        if (tags.readString(0) != m_tags[index]) {
            tags.writeString(0, m_tags[index]);
        }
    }
}

int HGroupTable::count(int group) const {
    return validGroup(group) ? m_counts[static_cast<std::size_t>(group)] : 0;
}

void HGroupTable::setCount(int group, int value) {
    if (validGroup(group)) {
        m_counts[static_cast<std::size_t>(group)] = std::clamp(value, 0, m_capacity);
    }
}

bool HGroupTable::scanFlag(int group) const {
    return validGroup(group) && m_scan[static_cast<std::size_t>(group)];
}

void HGroupTable::setScanFlag(int group, bool on) {
    if (validGroup(group)) {
        m_scan[static_cast<std::size_t>(group)] = on;
    }
}

std::string HGroupTable::tag(int group) const {
    return validGroup(group) ? m_tags[static_cast<std::size_t>(group)] : std::string();
}

void HGroupTable::setTag(int group, const std::string& text) {
    if (validGroup(group)) {
        m_tags[static_cast<std::size_t>(group)] = text;
    }
}

} // namespace kq70
