#include "pages/HChannelAllocationDialog.h"

#include "channel/GroupLine.h"
#include "params/HHardwareParams.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>

namespace kq70 {

namespace {

constexpr int GROUPS = HGroupTable::GROUP_COUNT;
constexpr int SMALL_ROWS = 3;
constexpr int LARGEST_GROUP = 255;
constexpr int RADIO_CHANNEL_48 = 5;

constexpr ComboEntry GROUP_SCAN_ENTRIES[] = {{text::GROUP_SCAN_TEXTS[0], 0},
                                             {text::GROUP_SCAN_TEXTS[1], 1}};
constexpr ComboDefinition GROUP_SCAN_COMBO = textCombo(GROUP_SCAN_ENTRIES);
constexpr EditDefinition COUNT_EDIT{.kind = EDIT_INTEGER,
                                    .maxChars = 3,
                                    .minimum = 0,
                                    .maximum = LARGEST_GROUP,
                                    .format = "%d",
                                    .filter = FILTER_DIGITS};
constexpr EditDefinition TAG_EDIT{.kind = EDIT_TEXT,
                                  .maxChars = static_cast<int>(HGroupTable::TAG_LENGTH),
                                  .format = "%s",
                                  .filter = FILTER_ALPHA_TAG,
                                  .upperCase = true};

HChannelAllocationDialog::Variant variantOf(const RadioImage& image) {
    HHardwareParams hardware;
    hardware.extract(image);
    return hardware.get(HW_RADIO_CHANNEL) >= RADIO_CHANNEL_256
               ? HChannelAllocationDialog::Variant::Large
               : HChannelAllocationDialog::Variant::Small;
}

std::size_t index(std::size_t base, int group) {
    return base + static_cast<std::size_t>(group);
}

} // namespace

HChannelAllocationDialog::HChannelAllocationDialog(RadioImage& image, int accessMode)
    : HChannelAllocationDialog(image, accessMode, variantOf(image)) {}

HChannelAllocationDialog::HChannelAllocationDialog(RadioImage& image, int accessMode,
                                                   Variant variant)
    : HDialog("HChannelAllocationDialog", image, accessMode), m_variant(variant) {
    SetHelpTopic(help::MAIN_WINDOW);
    for (int g = 0; g < GROUPS; ++g) {
        AddStatic(IDC_GROUP_LABEL + g,
                  std::string(text::GROUP_LABELS[static_cast<std::size_t>(g)]));
        AddEdit(IDC_COUNT + g, "CH", IDC_COUNT + g, COUNT_EDIT, m_groups,
                index(HGroupParams::COUNT, g));
        AddEdit(IDC_TAG + g, "TAG", IDC_TAG + g, TAG_EDIT, m_groups, index(HGroupParams::TAG, g));
        AddCombo(IDC_SCAN + g, "Group SCAN", IDC_SCAN + g, GROUP_SCAN_COMBO, m_groups,
                 index(HGroupParams::SCAN, g));
    }
    if (IsLarge()) {
        AddStatic(IDC_CHANNELS_LEFT, std::string(text::CHANNELS_LEFT));
    }
}

bool HChannelAllocationDialog::AcquireData() {
    m_data.extract(GetImage());
    m_groups.readFrom(m_data.groups());
    // Tags are edited without the blanks that pad them to their stored length, so typing
    // after the last letter adds to the tag; StoreData pads them again.
    for (int g = 0; g < GROUPS; ++g) {
        std::string tag = m_groups.getText(index(HGroupParams::TAG, g));
        tag.erase(tag.find_last_not_of(' ') + 1);
        m_groups.setText(index(HGroupParams::TAG, g), tag);
    }
    m_radioChannel = m_data.hardware().radioChannel;
    m_firstGrownGroup = NO_GROWN_GROUP;
    return true;
}

bool HChannelAllocationDialog::InitCombo() {
    HDialog::InitCombo();
    if (!IsLarge()) {
        // Rows 4–16 exist in the small page but are never shown; row 3 only for 48 channels.
        for (int g = SMALL_ROWS; g < GROUPS; ++g) {
            for (const int id : {IDC_GROUP_LABEL + g, IDC_COUNT + g, IDC_TAG + g, IDC_SCAN + g}) {
                SetVisible(id, false, false);
            }
        }
        if (m_radioChannel < RADIO_CHANNEL_48) {
            SetVisible(IDC_SCAN + 2, false, false);
            SetVisible(IDC_GROUP_LABEL + 2, false, false);
        }
    }
    return true;
}

bool HChannelAllocationDialog::InitEdit() {
    HDialog::InitEdit();
    if (!IsLarge()) {
        if (GetAccessMode() == 0) {
            for (int g = 0; g < SMALL_ROWS; ++g) {
                if (PageControl* edit = GetMutableControl(IDC_COUNT + g)) {
                    edit->enabled = false;
                }
            }
        }
        if (m_radioChannel < RADIO_CHANNEL_48) {
            SetVisible(IDC_COUNT + 2, false, false);
            SetVisible(IDC_TAG + 2, false, false);
        }
    }
    return true;
}

bool HChannelAllocationDialog::InitStatic() {
    if (PageControl* label = GetMutableControl(IDC_CHANNELS_LEFT)) {
        label->label =
            strprintf(std::string(text::CHANNELS_LEFT_FORMAT).c_str(), m_data.channelsLeft());
    }
    return true;
}

bool HChannelAllocationDialog::SetDataCombo() {
    HDialog::SetDataCombo();
    for (int g = 0; g < GROUPS; ++g) {
        PageControl* combo = GetMutableControl(IDC_SCAN + g);
        if (combo != nullptr && combo->visible) {
            combo->enabled = m_data.groupChannelCount(g) != 0;
        }
    }
    return true;
}

bool HChannelAllocationDialog::SetDataEdit() {
    HDialog::SetDataEdit();
    if (!IsLarge()) {
        for (int g = 0; g < SMALL_ROWS; ++g) {
            PageControl* tag = GetMutableControl(IDC_TAG + g);
            if (tag != nullptr && tag->visible) {
                tag->enabled = m_data.groupChannelCount(g) != 0;
            }
        }
    }
    return true;
}

int HChannelAllocationDialog::ShownCount(int group) const {
    const PageControl* edit = GetControl(IDC_COUNT + group);
    if (edit == nullptr) {
        return 0;
    }
    // The whole number shown; a fraction or anything after the digits is dropped.
    int count = 0;
    for (const char ch : edit->text) {
        if (ch < '0' || ch > '9') {
            break;
        }
        count = std::min(count * 10 + (ch - '0'), 100000);
    }
    return count;
}

void HChannelAllocationDialog::SetCountText(int group, int count) {
    if (PageControl* edit = GetMutableControl(IDC_COUNT + group)) {
        edit->text = std::to_string(count);
    }
}

void HChannelAllocationDialog::EnableForCount(int group, int count) {
    PageControl* combo = GetMutableControl(IDC_SCAN + group);
    if (combo != nullptr && combo->visible) {
        combo->enabled = count != 0;
    }
    if (!IsLarge()) {
        PageControl* tag = GetMutableControl(IDC_TAG + group);
        if (tag != nullptr && tag->visible) {
            tag->enabled = count != 0;
        }
    }
}

void HChannelAllocationDialog::Recompute(int group) {
    if (group < 0 || group >= GROUPS) {
        return;
    }
    int n = ShownCount(group);
    bool allZero = true;
    for (int g = 0; g < GROUPS; ++g) {
        allZero = allZero && ShownCount(g) == 0;
    }
    if (n == 0 && allZero) {
        n = 1; // at least one channel stays allotted
    }
    HGroupTable& groups = m_data.groups();
    if (IsLarge() && n > groups.count(group) && group < m_firstGrownGroup) {
        m_firstGrownGroup = group;
    }
    groups.setCount(group, 0);
    if (IsLarge()) {
        n = std::min(n, LARGEST_GROUP);
    }
    n = std::min(n, m_data.channelsLeft());
    groups.setCount(group, n);
    SetCountText(group, n);
    const PageControl* combo = GetControl(IDC_SCAN + group);
    if (IsLarge() && n == 0 && combo != nullptr && combo->enabled) {
        m_focusRequest = group + 1 < GROUPS ? IDC_COUNT + group + 1 : IDOK;
        m_pendingFocus = m_focusRequest;
    }
    EnableForCount(group, n);
    if (IsLarge()) {
        InitStatic();
    }
}

void HChannelAllocationDialog::CountEditKillFocus(int group) {
    Recompute(group);
    if (IsLarge() && ShownCount(group) == 0) {
        if (PageControl* combo = GetMutableControl(IDC_SCAN + group)) {
            SelectValue(*combo, 0);
        }
        m_groups.set(index(HGroupParams::SCAN, group), 0);
    }
}

bool HChannelAllocationDialog::CountEditEnter(int group) {
    Recompute(group);
    return !IsLarge();
}

bool HChannelAllocationDialog::SaveDataEdit() {
    // A count typed but not yet recomputed is recomputed as the focus leaving it would.
    for (int g = 0; g < GROUPS; ++g) {
        const PageControl* edit = GetControl(IDC_COUNT + g);
        if (edit != nullptr && edit->visible && edit->enabled &&
            ShownCount(g) != m_data.groupChannelCount(g)) {
            CountEditKillFocus(g);
        }
    }
    HDialog::SaveDataEdit();
    return true;
}

bool HChannelAllocationDialog::StoreData() {
    HGroupTable& groups = m_data.groups();
    for (int g = 0; g < GROUPS; ++g) {
        groups.setScanFlag(g, m_groups.get(index(HGroupParams::SCAN, g)) != 0);
        std::string tag = m_groups.getText(index(HGroupParams::TAG, g));
        tag.resize(HGroupTable::TAG_LENGTH, ' ');
        groups.setTag(g, tag);
    }
    if (IsLarge()) {
        for (int g = m_firstGrownGroup; g < GROUPS; ++g) {
            const int first = m_data.groupFirstChannel(g);
            for (int c = first; c < first + m_data.groupChannelCount(g); ++c) {
                m_data.setValue(c, inUse, 1);
            }
        }
    }
    m_data.store(GetImage());
    return true;
}

std::string HChannelAllocationDialog::GroupLine(int group) const {
    return groupLine(group, GetShownValue(IDC_TAG + group), GetShownValue(IDC_SCAN + group));
}

} // namespace kq70
