#include "channel/HGroupParams.h"

#include "params/HHardwareParams.h"

#include <array>

namespace kq70 {

namespace {

constexpr std::size_t GROUP_SLOTS = HGroupTable::GROUP_COUNT;

constexpr std::array<FieldDescriptor, HGroupParams::VALUE_COUNT> makeFields() {
    std::array<FieldDescriptor, HGroupParams::VALUE_COUNT> fields{};
    for (std::uint32_t g = 0; g < GROUP_SLOTS; ++g) {
        fields[g] = numberField(0x0305 + g, 0, 8, 0);
        fields[GROUP_SLOTS + g] = numberField(0x0028 + g / 8, 7 - g % 8, 1, 0);
        fields[2 * GROUP_SLOTS + g] =
            textField(0x0285 + 8 * g, HGroupTable::TAG_LENGTH, "        ");
    }
    return fields;
}

constexpr std::array<FieldDescriptor, HGroupParams::VALUE_COUNT> GROUP_FIELDS = makeFields();
static_assert(allValid(GROUP_FIELDS));

} // namespace

HGroupParams::HGroupParams() : HParams(GROUP_FIELDS) {}

void HGroupParams::readFrom(const HGroupTable& groups) {
    for (std::size_t g = 0; g < GROUP_SLOTS; ++g) {
        const int group = static_cast<int>(g);
        set(COUNT + g, groups.count(group));
        set(SCAN + g, groups.scanFlag(group) ? 1 : 0);
        setText(TAG + g, groups.tag(group));
    }
}

void HGroupParams::writeTo(HGroupTable& groups) const {
    for (std::size_t g = 0; g < GROUP_SLOTS; ++g) {
        const int group = static_cast<int>(g);
        groups.setCount(group, get(COUNT + g));
        groups.setScanFlag(group, get(SCAN + g) != 0);
        groups.setTag(group, getText(TAG + g));
    }
}

void HGroupParams::extract(const RadioImage& image) {
    HHardwareParams hardware;
    hardware.extract(image);
    HGroupTable groups;
    groups.extract(image, hardware.get(HW_RADIO_CHANNEL));
    readFrom(groups);
}

} // namespace kq70
