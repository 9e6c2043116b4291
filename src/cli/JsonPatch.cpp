#include "JsonPatch.h"

#include "ChannelValueNames.h"
#include "DocumentObjects.h"
#include "channel/ToneTables.h"
#include "image/RadioImage.h"
#include "fields/RadioCharacterCode.h"
#include "ui/StrPrintf.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <memory>
#include <optional>
#include <set>

namespace kq70 {

namespace {

using Json = nlohmann::ordered_json;
using Entry = JsonPatch::Entry;
using Stage = Entry::Stage;
using IntGet = std::function<std::int32_t(const DocumentObjects&)>;
using IntSet = std::function<void(DocumentObjects&, std::int32_t)>;
using TextGet = std::function<std::string(const DocumentObjects&)>;
using TextSet = std::function<void(DocumentObjects&, const std::string&)>;

constexpr std::size_t TAG_LENGTH = 8;
constexpr std::size_t NO_ITEM = std::numeric_limits<std::size_t>::max();
constexpr double HZ_PER_MHZ = 1e6;

std::string quoted(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string upperCased(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// Stored texts are padded with blanks; "CH1" and "CH1     " are the same tag.
std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string integerMismatch(std::int32_t wanted, std::int32_t stored) {
    return wanted == stored
               ? std::string()
               : strprintf("%d cannot be stored; it would read back as %d", wanted, stored);
}

std::string textMismatch(const std::string& wanted, const std::string& stored) {
    return withoutTrailingBlanks(wanted) == withoutTrailingBlanks(stored)
               ? std::string()
               : quoted(wanted) + " cannot be stored; it would read back as " + quoted(stored);
}

// The first character an alpha tag cannot hold: the radio shows digits, capitals and a few
// symbols, and stores anything else as a blank.
std::optional<char> firstUnshowable(const std::string& text) {
    for (const char c : text) {
        if (RadioCharacterCode::decode(RadioCharacterCode::encode(c)) != c) {
            return c;
        }
    }
    return std::nullopt;
}

std::string frequencyRangeReason(std::int32_t hz, const HHardwareParams& hardware) {
    const std::int32_t low = hardware.get(HW_FREQUENCY_MIN);
    const std::int32_t high = hardware.get(HW_FREQUENCY_MAX);
    if (hz >= low && hz <= high) {
        return {};
    }
    return strprintf("%d is outside the radio's frequency range %.5f-%.5f MHz", hz,
                     low / HZ_PER_MHZ, high / HZ_PER_MHZ);
}

// A channel's tone code must be one of its tone mode's table.
std::string toneReason(const HChannelData& channels, int channel, bool transmit) {
    const std::int32_t mode = channels.getValue(channel, transmit ? txToneMode : rxToneMode);
    const std::int32_t code = channels.getValue(channel, transmit ? txToneCode : rxToneCode);
    if (mode == 1 && !toneCodeNumber(ToneKind::Ctcss, code)) {
        return strprintf("%d is not a CTCSS tone (tenths of a hertz, e.g. 670 for 67.0 Hz)", code);
    }
    if (mode == 2 && !toneCodeNumber(ToneKind::Dcs, code)) {
        return strprintf("%d is not a DCS code (the value of its octal digits, e.g. 19 for D023)",
                         code);
    }
    return {};
}

// Why a channel value may not read back as given: the store works some values out itself.
std::string_view derivedHint(int value) {
    switch (value) {
    case rxStepIndex:
    case txStepIndex:
    case rxPllFlag:
    case rxPllA:
    case rxPllHigh:
    case rxPllM0:
    case rxPllM1:
    case txPllFlag:
    case txPllA:
    case txPllHigh:
    case txPllM0:
    case txPllM1:
        return " (worked out from the frequency when stored)";
    case txToneOn:
    case txToneDcs:
    case rxToneOn:
    case rxToneDcs:
        return " (follows the tone mode)";
    case signalType:
    case signalNumber:
        return " (follows signalDisplayNumber)";
    case rxTuneDa:
    case txVcoDa:
    case alignByte11:
    case txPowerHighDa:
    case txPowerDa:
    case maxDeviationDa:
    case subAudioDeviationDa:
    case alignByte16:
    case rxAlignDa:
    case txAlignDa:
        return " (worked out from the adjustment data unless \"keepAlignment\": 1 is given)";
    default:
        return {};
    }
}

// Reads a patch into entries, collecting every fault instead of stopping at the first.
class PatchReader {
public:
    PatchReader(std::vector<Entry>& entries, std::vector<std::string>& errors)
        : m_entries(entries), m_errors(errors) {}

    void read(const Json& patch);

private:
    // A page of values by index. `edited` is raised when one is set; `computedItem` is an
    // index the patch may not name.
    struct PageRules {
        std::size_t count = 0;
        bool DocumentObjects::*edited = nullptr;
        std::size_t computedItem = NO_ITEM;
    };

    void readSection(const std::string& key, const Json& value);
    template <class P>
    void readPage(const std::string& path, const Json& value, P DocumentObjects::*page,
                  const PageRules& rules);
    void readGlobals(const Json& value);
    void readGroups(const Json& value);
    void readGroup(const std::string& path, const Json& group, int index);
    void readChannels(const Json& value);
    void readChannel(const std::string& path, const Json& channel, int index);
    void readChannelValue(const std::string& path, const Json& value, int channel, int index);
    void readDirectCh(const Json& value);
    void readPaging(const Json& value);
    void readPagingRecord(const std::string& path, const Json& record, std::size_t index);
    void readPassword(const Json& value);
    template <class P>
    void readAdjustmentSet(const std::string& name, const Json& value, P DocumentObjects::*set,
                           const PageRules& rules);

    // The "index" of a list element, checked against the list's range and against repeats.
    std::optional<int> listIndex(const std::string& path, const Json& element, int count,
                                 std::set<int>& seen);
    std::optional<std::size_t> keyIndex(const std::string& path, const std::string& key,
                                        std::size_t count);
    std::optional<std::int32_t> integer(const std::string& path, const Json& value);
    std::optional<std::string> tagText(const std::string& path, const Json& value,
                                       std::size_t length);
    bool isObject(const std::string& path, const Json& value);
    bool isArray(const std::string& path, const Json& value);

    void addInteger(const std::string& path, const Json& value, IntSet set, IntGet get,
                    Stage stage = Stage::Objects);
    void addBoolean(const std::string& path, const Json& value, IntSet set, IntGet get);
    void addTag(const std::string& path, const Json& value, std::size_t length, TextSet set,
                TextGet get);
    void add(std::string path, Stage stage, std::function<void(DocumentObjects&)> set,
             std::function<std::string(const DocumentObjects&)> verify);
    void fail(const std::string& path, const std::string& reason);

    std::vector<Entry>& m_entries;
    std::vector<std::string>& m_errors;
};

void PatchReader::fail(const std::string& path, const std::string& reason) {
    m_errors.push_back(path.empty() ? reason : path + ": " + reason);
}

void PatchReader::add(std::string path, Stage stage, std::function<void(DocumentObjects&)> set,
                      std::function<std::string(const DocumentObjects&)> verify) {
    m_entries.push_back({std::move(path), stage, std::move(set), std::move(verify)});
}

bool PatchReader::isObject(const std::string& path, const Json& value) {
    if (!value.is_object()) {
        fail(path, "expected an object");
        return false;
    }
    return true;
}

bool PatchReader::isArray(const std::string& path, const Json& value) {
    if (!value.is_array()) {
        fail(path, "expected a list");
        return false;
    }
    return true;
}

std::optional<std::int32_t> PatchReader::integer(const std::string& path, const Json& value) {
    if (!value.is_number_integer()) {
        fail(path, "expected an integer");
        return std::nullopt;
    }
    constexpr auto LOW = std::numeric_limits<std::int32_t>::min();
    constexpr auto HIGH = std::numeric_limits<std::int32_t>::max();
    const bool fits = value.is_number_unsigned()
                          ? value.get<std::uint64_t>() <= HIGH
                          : value.get<std::int64_t>() >= LOW && value.get<std::int64_t>() <= HIGH;
    if (!fits) {
        fail(path, value.dump() + " is too large for any value");
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value.get<std::int64_t>());
}

std::optional<std::size_t> PatchReader::keyIndex(const std::string& path, const std::string& key,
                                                 std::size_t count) {
    std::size_t index = 0;
    const char* end = key.data() + key.size();
    const auto [last, error] = std::from_chars(key.data(), end, index);
    if (key.empty() || error != std::errc() || last != end) {
        fail(path, strprintf("a value index (0-%zu) is expected", count - 1));
        return std::nullopt;
    }
    if (index >= count) {
        fail(path, strprintf("index %zu is out of range (0-%zu)", index, count - 1));
        return std::nullopt;
    }
    return index;
}

std::optional<int> PatchReader::listIndex(const std::string& path, const Json& element, int count,
                                          std::set<int>& seen) {
    if (!element.contains("index")) {
        fail(path, "\"index\" is missing");
        return std::nullopt;
    }
    const auto index = integer(path + ".index", element["index"]);
    if (!index) {
        return std::nullopt;
    }
    if (*index < 0 || *index >= count) {
        fail(path + ".index", strprintf("%d is out of range (0-%d)", *index, count - 1));
        return std::nullopt;
    }
    if (!seen.insert(*index).second) {
        fail(path + ".index", strprintf("%d is given more than once", *index));
        return std::nullopt;
    }
    return *index;
}

std::optional<std::string> PatchReader::tagText(const std::string& path, const Json& value,
                                                std::size_t length) {
    if (!value.is_string()) {
        fail(path, "expected a text");
        return std::nullopt;
    }
    const auto text = value.get<std::string>();
    if (text.size() > length) {
        fail(path, quoted(text) + strprintf(" is longer than %zu characters", length));
        return std::nullopt;
    }
    if (const auto c = firstUnshowable(text)) {
        fail(path, quoted(text) + ": the radio cannot show " + quoted(std::string(1, *c)) +
                       " (digits, capitals and  <>+-=*/[\\]:_ only)");
        return std::nullopt;
    }
    return text;
}

void PatchReader::addInteger(const std::string& path, const Json& value, IntSet set, IntGet get,
                             Stage stage) {
    const auto wanted = integer(path, value);
    if (!wanted) {
        return;
    }
    add(
        path, stage, [set, v = *wanted](DocumentObjects& o) { set(o, v); },
        [get, v = *wanted](const DocumentObjects& o) { return integerMismatch(v, get(o)); });
}

void PatchReader::addBoolean(const std::string& path, const Json& value, IntSet set, IntGet get) {
    if (!value.is_boolean()) {
        fail(path, "expected true or false");
        return;
    }
    const std::int32_t wanted = value.get<bool>() ? 1 : 0;
    add(
        path, Stage::Objects, [set, wanted](DocumentObjects& o) { set(o, wanted); },
        [get, wanted](const DocumentObjects& o) {
            return get(o) == wanted ? std::string()
                                    : std::string(wanted != 0 ? "true" : "false") +
                                          " cannot be stored; it would read back as " +
                                          (wanted != 0 ? "false" : "true");
        });
}

void PatchReader::addTag(const std::string& path, const Json& value, std::size_t length,
                         TextSet set, TextGet get) {
    const auto wanted = tagText(path, value, length);
    if (!wanted) {
        return;
    }
    add(
        path, Stage::Objects, [set, t = *wanted](DocumentObjects& o) { set(o, t); },
        [get, t = *wanted](const DocumentObjects& o) { return textMismatch(t, get(o)); });
}

void PatchReader::read(const Json& patch) {
    if (!patch.is_object()) {
        fail("", "the patch must be one JSON object");
        return;
    }
    for (const auto& item : patch.items()) {
        readSection(item.key(), item.value());
    }
}

void PatchReader::readSection(const std::string& key, const Json& value) {
    if (key == "hardware") {
        readPage(key, value, &DocumentObjects::hardware,
                 {.count = HARDWARE_VALUE_COUNT, .edited = &DocumentObjects::hardwareEdited});
    } else if (key == "globals") {
        readGlobals(value);
    } else if (key == "groups") {
        readGroups(value);
    } else if (key == "channels") {
        readChannels(value);
    } else if (key == "scan") {
        readPage(key, value, &DocumentObjects::scan, {.count = SCAN_VALUE_COUNT});
    } else if (key == "keyFunction") {
        readPage(key, value, &DocumentObjects::keyFunction,
                 {.count = HKeyFuncParams::KEY_SLOT_COUNT});
    } else if (key == "powerSaving") {
        readPage(key, value, &DocumentObjects::powerSaving,
                 {.count = HPowerSaveParams::VALUE_COUNT});
    } else if (key == "miscellaneous") {
        readPage(key, value, &DocumentObjects::miscellaneous, {.count = HMiscParams::VALUE_COUNT});
    } else if (key == "marketing") {
        readPage(key, value, &DocumentObjects::marketing, {.count = HMarketingParams::VALUE_COUNT});
    } else if (key == "directCh") {
        readDirectCh(value);
    } else if (key == "paging") {
        readPaging(value);
    } else if (key == "programmingPassword") {
        readPassword(value);
    } else if (key == "adjustment") {
        readAdjustmentSet(key, value, &DocumentObjects::adjustment,
                          {.count = ADJ_ITEM_COUNT,
                           .edited = &DocumentObjects::adjustmentEdited,
                           .computedItem = ADJ_CHECKSUM});
    } else if (key == "shippingDefault") {
        readAdjustmentSet(key, value, &DocumentObjects::shippingDefault,
                          {.count = SHIPPING_ITEM_COUNT,
                           .edited = &DocumentObjects::shippingDefaultEdited,
                           .computedItem = SHIPPING_CHECKSUM_ITEM});
    } else if (key == "firmwareVersion") {
        fail(key, "shown only; set marketing.1 instead");
    } else if (key == "size" || key == "hardwareDerived" || key == "capacity" ||
               key == "activeGroups" || key == "channelsLeft") {
        fail(key, "shown only; it cannot be set");
    } else {
        fail(key, "unknown key");
    }
}

template <class P>
void PatchReader::readPage(const std::string& path, const Json& value, P DocumentObjects::*page,
                           const PageRules& rules) {
    if (!isObject(path, value)) {
        return;
    }
    const P probe{};
    for (const auto& item : value.items()) {
        const std::string itemPath = path + "." + item.key();
        const auto index = keyIndex(itemPath, item.key(), rules.count);
        if (!index) {
            continue;
        }
        const std::size_t i = *index;
        if (i == rules.computedItem) {
            fail(itemPath, "the checksum is computed from the other items");
            continue;
        }
        const FieldDescriptor& field = probe.descriptors()[i];
        if (field.kind == FieldKind::Text) {
            addTag(
                itemPath, item.value(), field.width,
                [page, i](DocumentObjects& o, const std::string& t) { (o.*page).setText(i, t); },
                [page, i](const DocumentObjects& o) { return (o.*page).getText(i); });
            continue;
        }
        bool DocumentObjects::*const edited = rules.edited;
        addInteger(
            itemPath, item.value(),
            [page, i, edited](DocumentObjects& o, std::int32_t v) {
                (o.*page).set(i, v);
                if (edited != nullptr) {
                    o.*edited = true;
                }
            },
            [page, i](const DocumentObjects& o) { return (o.*page).get(i); });
    }
}

template <class P>
void PatchReader::readAdjustmentSet(const std::string& name, const Json& value,
                                    P DocumentObjects::*set, const PageRules& rules) {
    if (!isObject(name, value)) {
        return;
    }
    for (const auto& item : value.items()) {
        const std::string path = name + "." + item.key();
        if (item.key() == "items") {
            readPage(path, item.value(), set, rules);
        } else if (item.key() == "checksumOk") {
            fail(path, "shown only; the checksum is computed when items change");
        } else {
            fail(path, "unknown key");
        }
    }
}

// The global values are set after the channel data has taken the pages' shared bytes, so a
// global the patch names wins over the page value in the same byte.
void PatchReader::readGlobals(const Json& value) {
    if (!isObject("globals", value)) {
        return;
    }
    for (const auto& item : value.items()) {
        const std::string path = "globals." + item.key();
        const auto index = keyIndex(path, item.key(), CHANNEL_GLOBAL_COUNT);
        if (!index) {
            continue;
        }
        const int g = static_cast<int>(*index);
        addInteger(
            path, item.value(),
            [g](DocumentObjects& o, std::int32_t v) { o.channels.setGlobal(g, v); },
            [g](const DocumentObjects& o) { return o.channels.getGlobal(g); },
            Stage::ChannelGlobals);
    }
}

void PatchReader::readGroups(const Json& value) {
    if (!isArray("groups", value)) {
        return;
    }
    std::set<int> seen;
    for (std::size_t k = 0; k < value.size(); ++k) {
        const std::string path = strprintf("groups[%zu]", k);
        if (!isObject(path, value[k])) {
            continue;
        }
        if (const auto index = listIndex(path, value[k], HGroupTable::GROUP_COUNT, seen)) {
            readGroup(path, value[k], *index);
        }
    }
}

void PatchReader::readGroup(const std::string& path, const Json& group, int g) {
    for (const auto& item : group.items()) {
        const std::string itemPath = path + "." + item.key();
        if (item.key() == "index") {
            continue;
        }
        if (item.key() == "count") {
            addInteger(
                itemPath, item.value(),
                [g](DocumentObjects& o, std::int32_t v) { o.channels.groups().setCount(g, v); },
                [g](const DocumentObjects& o) { return o.channels.groups().count(g); });
        } else if (item.key() == "scan") {
            addBoolean(
                itemPath, item.value(),
                [g](DocumentObjects& o, std::int32_t v) {
                    o.channels.groups().setScanFlag(g, v != 0);
                },
                [g](const DocumentObjects& o) { return o.channels.groups().scanFlag(g) ? 1 : 0; });
        } else if (item.key() == "tag") {
            addTag(
                itemPath, item.value(), HGroupTable::TAG_LENGTH,
                [g](DocumentObjects& o, const std::string& t) { o.channels.groups().setTag(g, t); },
                [g](const DocumentObjects& o) { return o.channels.groups().tag(g); });
        } else {
            fail(itemPath, "unknown key");
        }
    }
}

void PatchReader::readChannels(const Json& value) {
    if (!isArray("channels", value)) {
        return;
    }
    std::set<int> seen;
    for (std::size_t k = 0; k < value.size(); ++k) {
        const std::string path = strprintf("channels[%zu]", k);
        if (!isObject(path, value[k])) {
            continue;
        }
        if (const auto index = listIndex(path, value[k], CHANNEL_COUNT, seen)) {
            readChannel(path, value[k], *index);
        }
    }
}

void PatchReader::readChannel(const std::string& path, const Json& channel, int c) {
    for (const auto& item : channel.items()) {
        const std::string itemPath = path + "." + item.key();
        if (item.key() == "index") {
            continue;
        }
        if (item.key() == "tag") {
            addTag(
                itemPath, item.value(), TAG_LENGTH,
                [c](DocumentObjects& o, const std::string& t) { o.channels.setTag(c, t); },
                [c](const DocumentObjects& o) { return o.channels.getTag(c); });
        } else if (const auto index = channelValueByName(item.key())) {
            readChannelValue(itemPath, item.value(), c, *index);
        } else {
            fail(itemPath, "unknown key");
        }
    }
    // A tone code or mode given is checked against the tone table of the mode it ends with.
    for (const bool transmit : {true, false}) {
        const char* modeKey = transmit ? "txToneMode" : "rxToneMode";
        const char* codeKey = transmit ? "txToneCode" : "rxToneCode";
        if (channel.contains(modeKey) || channel.contains(codeKey)) {
            add(path + "." + codeKey, Stage::Objects, nullptr,
                [c, transmit](const DocumentObjects& o) {
                    return toneReason(o.channels, c, transmit);
                });
        }
    }
}

void PatchReader::readChannelValue(const std::string& path, const Json& value, int c, int v) {
    const IntSet set = [c, v](DocumentObjects& o, std::int32_t x) { o.channels.setValue(c, v, x); };
    const IntGet get = [c, v](const DocumentObjects& o) { return o.channels.getValue(c, v); };
    if (v == keepAlignment || v == keepAlignByte11) {
        // Instructions to the next store, not stored values: they always read back as 0.
        if (const auto wanted = integer(path, value)) {
            add(
                path, Stage::Objects, [set, x = *wanted](DocumentObjects& o) { set(o, x); },
                nullptr);
        }
        return;
    }
    const auto wanted = integer(path, value);
    if (!wanted) {
        return;
    }
    const bool frequency = v == rxFrequency || v == txFrequency;
    add(
        path, Stage::Objects, [set, x = *wanted](DocumentObjects& o) { set(o, x); },
        [get, x = *wanted, frequency, hint = derivedHint(v)](const DocumentObjects& o) {
            const std::string outside = frequency ? frequencyRangeReason(x, o.hardware) : "";
            if (!outside.empty()) {
                return outside;
            }
            const std::string mismatch = integerMismatch(x, get(o));
            return mismatch.empty() ? mismatch : mismatch + std::string(hint);
        });
}

void PatchReader::readDirectCh(const Json& value) {
    if (!isObject("directCh", value)) {
        return;
    }
    for (const auto& item : value.items()) {
        const std::string path = "directCh." + item.key();
        const auto index = keyIndex(path, item.key(), HDirectChParams::DIRECT_CH_COUNT);
        if (!index) {
            continue;
        }
        if (!item.value().is_array() || item.value().size() != 2) {
            fail(path, "expected [group, channel]");
            continue;
        }
        const std::size_t slots[] = {HDirectChParams::groupIndex(*index),
                                     HDirectChParams::channelIndex(*index)};
        for (std::size_t k = 0; k < 2; ++k) {
            const std::size_t slot = slots[k];
            addInteger(
                strprintf("%s[%zu]", path.c_str(), k), item.value()[k],
                [slot](DocumentObjects& o, std::int32_t v) { o.directCh.set(slot, v); },
                [slot](const DocumentObjects& o) { return o.directCh.get(slot); });
        }
    }
}

void PatchReader::readPaging(const Json& value) {
    if (!isArray("paging", value)) {
        return;
    }
    std::set<int> seen;
    constexpr int RECORDS = static_cast<int>(HPagingCodeParams::PAGING_CODE_RECORDS);
    for (std::size_t k = 0; k < value.size(); ++k) {
        const std::string path = strprintf("paging[%zu]", k);
        if (!isObject(path, value[k])) {
            continue;
        }
        if (const auto index = listIndex(path, value[k], RECORDS, seen)) {
            readPagingRecord(path, value[k], static_cast<std::size_t>(*index));
        }
    }
}

void PatchReader::readPagingRecord(const std::string& path, const Json& record, std::size_t r) {
    using P = HPagingCodeParams;
    for (const auto& item : record.items()) {
        const std::string itemPath = path + "." + item.key();
        const std::string& key = item.key();
        std::size_t field = NO_ITEM;
        if (key == "action") {
            field = P::DECODE_ACTION;
        } else if (key == "status") {
            field = P::DECODE_STATUS;
        } else if (key == "flag") {
            field = P::FLAG;
        }
        if (field != NO_ITEM) {
            addInteger(
                itemPath, item.value(),
                [r, field](DocumentObjects& o, std::int32_t v) { o.paging[r].set(field, v); },
                [r, field](const DocumentObjects& o) { return o.paging[r].get(field); });
        } else if (key == "code") {
            P probe(r);
            if (!item.value().is_string() || !probe.setCodeText(item.value().get<std::string>())) {
                fail(itemPath, "expected three of 0-9, A-D, * and #, or \"\" to erase the code");
                continue;
            }
            const std::string code = upperCased(item.value().get<std::string>());
            add(
                itemPath, Stage::Objects,
                [r, code](DocumentObjects& o) { o.paging[r].setCodeText(code); },
                [r, code](const DocumentObjects& o) {
                    return textMismatch(code, o.paging[r].codeText());
                });
        } else if (key == "defined") {
            fail(itemPath, "follows the code; give \"code\": \"\" to erase it");
        } else if (key != "index") {
            fail(itemPath, "unknown key");
        }
    }
}

void PatchReader::readPassword(const Json& value) {
    using P = HProgrammingPasswordParams;
    if (!isObject("programmingPassword", value)) {
        return;
    }
    for (const auto& item : value.items()) {
        const std::string path = "programmingPassword." + item.key();
        if (item.key() == "enabled") {
            addBoolean(
                path, item.value(),
                [](DocumentObjects& o, std::int32_t v) { o.programmingPassword.set(P::ENABLE, v); },
                [](const DocumentObjects& o) { return o.programmingPassword.isEnabled() ? 1 : 0; });
        } else if (item.key() == "password") {
            P probe;
            if (!item.value().is_string() || !probe.setPassword(item.value().get<std::string>())) {
                fail(path, "expected six of 0-9 and A-D");
                continue;
            }
            const std::string password = upperCased(item.value().get<std::string>());
            add(
                path, Stage::Objects,
                [password](DocumentObjects& o) { o.programmingPassword.setPassword(password); },
                [password](const DocumentObjects& o) {
                    return textMismatch(password, o.programmingPassword.password());
                });
        } else {
            fail(path, "unknown key");
        }
    }
}

void setStage(const std::vector<Entry>& entries, Stage stage, DocumentObjects& objects) {
    for (const Entry& entry : entries) {
        if (entry.stage == stage && entry.set) {
            entry.set(objects);
        }
    }
}

} // namespace

JsonPatch::JsonPatch(const nlohmann::ordered_json& patch) {
    PatchReader(m_entries, m_errors).read(patch);
}

std::vector<std::string> JsonPatch::apply(RadioImage& image) const {
    if (!m_errors.empty()) {
        return m_errors;
    }
    RadioImage trial = image;
    const auto objects = std::make_unique<DocumentObjects>();
    objects->extract(trial);
    setStage(m_entries, Stage::Objects, *objects);
    objects->storeParameters(trial);
    objects->takeSharedGlobals(trial);
    setStage(m_entries, Stage::ChannelGlobals, *objects);
    objects->storeChannelData(trial);

    // What a later Open will see: every value the patch names must be there as given.
    const auto stored = std::make_unique<DocumentObjects>();
    stored->extract(trial);
    std::vector<std::string> refused;
    for (const Entry& entry : m_entries) {
        const std::string reason = entry.verify ? entry.verify(*stored) : std::string();
        if (!reason.empty()) {
            refused.push_back(entry.path + ": " + reason);
        }
    }
    if (refused.empty()) {
        image = trial;
    }
    return refused;
}

} // namespace kq70
