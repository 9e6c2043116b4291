#include "output/ImageComparison.h"

#include "channel/ChannelCellTexts.h"
#include "channel/ChannelColumns.h"
#include "channel/ChannelGridLayout.h"
#include "channel/GroupLine.h"
#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "image/RadioImage.h"
#include "pages/HDirectChDialog.h"
#include "pages/HHardwareDialog.h"
#include "pages/HKeyFuncDialog.h"
#include "pages/HMarketingDialog.h"
#include "pages/HMiscDialog.h"
#include "pages/HPowerSaveDialog.h"
#include "pages/HScanningDialog.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <span>

namespace kq70 {

namespace {

// Opening a page asks nothing; should one ever ask, nothing is agreed to.
class DecliningPrompt : public UserPrompt {
public:
    MessageAnswer messageBox(std::string_view, std::string_view, MessageButtons buttons,
                             MessageIcon) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> passwordEntry() override { return {}; }
};

// One shown value; the key pairs it with the same value of the other image.
struct ShownValue {
    std::string key;
    std::string section;
    std::string caption;
    std::string text;
    int channel = 0;
};

using ShownValues = std::vector<ShownValue>;

std::string hexBytes(const RadioImage& image, std::size_t offset, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += strprintf(i == 0 ? "%02X" : " %02X", image.byteAt(offset + i));
    }
    return text;
}

void addIdentity(const RadioImage& image, ShownValues& values) {
    const std::string section(text::COMPARE_SECTION_RADIO);
    const auto add = [&](std::string_view caption, std::string text) {
        values.push_back(
            {section + "|" + std::string(caption), section, std::string(caption), std::move(text)});
    };
    add(text::COMPARE_PRODUCTION_CODE, hexBytes(image, PRODUCTION_CODE_OFFSET, 2));
    add(text::COMPARE_PRODUCT_CODE, hexBytes(image, PRODUCT_CODE_OFFSET, 2));
    add(text::COMPARE_MANUFACTURE_DATE, hexBytes(image, MANUFACTURE_DATE_OFFSET, 4));
}

void addPage(HDialog& page, std::string_view title, ShownValues& values) {
    page.OnInitDialog();
    const std::string section(title);
    for (const PageControl& control : page.GetControls()) {
        if (!control.visible ||
            (control.kind != ControlKind::Combo && control.kind != ControlKind::Edit)) {
            continue;
        }
        std::string caption = HDialog::WithoutAmpersands(control.label);
        if (caption.empty()) {
            caption = strprintf("#%d", control.id);
        }
        values.push_back({section + "|" + std::to_string(control.id), section, caption,
                          page.GetShownValue(control.id)});
    }
}

void addPages(const RadioImage& image, int accessMode, ShownValues& values) {
    using Make = std::function<std::unique_ptr<HDialog>(RadioImage&)>;
    const std::pair<std::string_view, Make> pages[] = {
        {text::SCANNING_TITLE,
         [&](RadioImage& i) { return std::make_unique<HScanningDialog>(i, accessMode); }},
        {text::COMPARE_KEY_FUNCTION_TITLE,
         [&](RadioImage& i) { return std::make_unique<HKeyFuncDialog>(i, accessMode); }},
        {text::POWER_SAVING_TITLE,
         [&](RadioImage& i) { return std::make_unique<HPowerSaveDialog>(i, accessMode); }},
        {text::MISCELLANEOUS_TITLE,
         [&](RadioImage& i) { return std::make_unique<HMiscDialog>(i, accessMode); }},
        {text::MARKETING_TITLE,
         [&](RadioImage& i) { return std::make_unique<HMarketingDialog>(i, accessMode); }},
        {text::DIRECT_CH_TITLE,
         [&](RadioImage& i) { return std::make_unique<HDirectChDialog>(i, accessMode); }},
    };
    // Each page opens over its own copy: opening never writes, but nothing here may.
    auto doc = std::make_unique<CKQ70Doc>();
    doc->GetMainMemory() = image;
    DecliningPrompt prompt;
    HHardwareDialog hardware(*doc, accessMode, prompt);
    addPage(hardware, text::HARDWARE_TITLE, values);
    for (const auto& [title, make] : pages) {
        auto copy = std::make_unique<RadioImage>(image);
        const auto page = make(*copy);
        addPage(*page, title, values);
    }
}

void addGroups(const HChannelData& channels, ShownValues& values) {
    const std::string section(text::COMPARE_SECTION_GROUPS);
    for (int g = 0; g < channels.groupCount(); ++g) {
        const std::string caption = strprintf(text::GROUP_ENTRY_FORMAT.data(), g + 1);
        values.push_back(
            {section + "|" + caption, section, caption,
             strprintf(text::COMPARE_GROUP_FORMAT.data(), channels.groupChannelCount(g),
                       groupLine(channels.groups(), g).c_str())});
    }
}

void addChannels(const RadioImage& image, const HChannelData& channels, int accessMode,
                 ShownValues& values) {
    const std::string section(text::COMPARE_SECTION_CHANNELS);
    const CellTextContext context{accessMode, frequencyBandOf(image) == ChannelCellTexts::PMR_BAND};
    for (int channel = 0; channel < channels.capacity(); ++channel) {
        for (int column = COL_CHANNEL + 1; column < CHANNEL_COLUMN_COUNT; ++column) {
            if (ChannelGridLayout::alwaysHiddenItem(ChannelGridLayout::itemOfColumn(column))) {
                continue;
            }
            const std::string caption = strprintf(
                "CH%d %s", channel + 1,
                std::string(channelColumns()[static_cast<std::size_t>(column)].name).c_str());
            values.push_back({section + "|" + caption, section, caption,
                              ChannelCellTexts::cellText(channels, channel, column, context),
                              channel + 1});
        }
    }
}

ShownValues shownValues(const RadioImage& image, int accessMode) {
    ShownValues values;
    addIdentity(image, values);
    addPages(image, accessMode, values);
    auto channels = std::make_unique<HChannelData>();
    channels->extract(image);
    addGroups(*channels, values);
    addChannels(image, *channels, accessMode, values);
    return values;
}

std::vector<ComparisonEntry> differences(const ShownValues& a, const ShownValues& b) {
    std::map<std::string_view, const ShownValue*> inB;
    for (const ShownValue& value : b) {
        inB.emplace(value.key, &value);
    }
    std::vector<ComparisonEntry> entries;
    for (const ShownValue& value : a) {
        const auto match = inB.find(value.key);
        if (match == inB.end()) {
            entries.push_back({value.section, value.caption, value.text, {}, value.channel});
            continue;
        }
        if (match->second->text != value.text) {
            entries.push_back(
                {value.section, value.caption, value.text, match->second->text, value.channel});
        }
        inB.erase(match);
    }
    for (const ShownValue& value : b) {
        if (inB.contains(value.key)) {
            entries.push_back({value.section, value.caption, {}, value.text, value.channel});
        }
    }
    return entries;
}

bool sameShownValues(const ShownValues& a, const ShownValues& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key || a[i].text != b[i].text) {
            return false;
        }
    }
    return true;
}

// Whether taking the bytes at `offsets` from `from` into `into` changes what `into` shows.
bool changesShown(const RadioImage& into, const ShownValues& shownInto, const RadioImage& from,
                  std::span<const std::size_t> offsets, int accessMode) {
    auto probe = std::make_unique<RadioImage>(into);
    for (const std::size_t offset : offsets) {
        probe->setByte(offset, from.byteAt(offset));
    }
    return !sameShownValues(shownInto, shownValues(*probe, accessMode));
}

// The images and what they show, for the search for bytes nobody sees.
struct Sides {
    const RadioImage& a;
    const RadioImage& b;
    const ShownValues& shownA;
    const ShownValues& shownB;
    int accessMode;
};

// Differing bytes among `offsets` that show nowhere, taken from B into A or from A into B
// (a tone code shows only with its tone mode, so one direction alone is not enough). A group
// that changes nothing is counted whole; one that does is split until single bytes remain.
std::size_t unshownAmong(const Sides& sides, std::span<const std::size_t> offsets) {
    if (offsets.empty()) {
        return 0;
    }
    if (!changesShown(sides.a, sides.shownA, sides.b, offsets, sides.accessMode) &&
        !changesShown(sides.b, sides.shownB, sides.a, offsets, sides.accessMode)) {
        return offsets.size();
    }
    if (offsets.size() == 1) {
        return 0;
    }
    const std::size_t half = offsets.size() / 2;
    return unshownAmong(sides, offsets.first(half)) + unshownAmong(sides, offsets.subspan(half));
}

constexpr std::size_t PROBE_BLOCK = 16;

} // namespace

ImageComparison ImageComparison::compare(const RadioImage& a, const RadioImage& b, int accessMode) {
    ImageComparison result;
    const ShownValues shownA = shownValues(a, accessMode);
    const ShownValues shownB = shownValues(b, accessMode);
    result.m_entries = differences(shownA, shownB);

    // A channel record belongs to its grid row: its differing bytes are shown when the row
    // differs. Every other differing byte is probed, block by block.
    std::vector<bool> rowDiffers(CHANNEL_COUNT + 1, false);
    for (const ComparisonEntry& entry : result.m_entries) {
        rowDiffers[static_cast<std::size_t>(entry.channel)] = true;
    }
    const auto capacity = [](const RadioImage& image) {
        return channelCapacityForRadioChannel(radioChannelValueOf(image));
    };
    const std::size_t rowsEnd =
        CHANNEL_TABLE_OFFSET +
        CHANNEL_RECORD_SIZE * static_cast<std::size_t>(std::max(capacity(a), capacity(b)));
    const Sides sides{a, b, shownA, shownB, accessMode};
    std::vector<std::size_t> block;
    const auto probeBlock = [&] {
        result.m_unshown += unshownAmong(sides, block);
        block.clear();
    };
    for (std::size_t offset = 0; offset < IMAGE_SIZE; ++offset) {
        if (!block.empty() && offset / PROBE_BLOCK != block.front() / PROBE_BLOCK) {
            probeBlock();
        }
        if (a.byteAt(offset) == b.byteAt(offset)) {
            continue;
        }
        if (offset >= CHANNEL_TABLE_OFFSET && offset < rowsEnd) {
            const std::size_t row = (offset - CHANNEL_TABLE_OFFSET) / CHANNEL_RECORD_SIZE;
            result.m_unshown += rowDiffers[row + 1] ? 0 : 1;
            continue;
        }
        block.push_back(offset);
    }
    probeBlock();
    return result;
}

} // namespace kq70
