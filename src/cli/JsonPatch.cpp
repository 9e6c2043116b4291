#include "JsonPatch.h"

#include "ChannelValueNames.h"
#include "JsonDocument.h"
#include "channel/ChannelValueChecks.h"
#include "image/RadioImage.h"
#include "ui/AsciiText.h"
#include "ui/StrPrintf.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <type_traits>

namespace kq70 {

namespace {

using Entry = JsonPatch::Entry;
using Stage = Entry::Stage;
using Part = DocumentPart;
using IntGet = std::function<std::int32_t(const DocumentObjects&)>;
using IntSet = std::function<void(DocumentObjects&, std::int32_t)>;
using TextGet = std::function<std::string(const DocumentObjects&)>;
using TextSet = std::function<void(DocumentObjects&, const std::string&)>;

constexpr std::size_t TAG_LENGTH = 8;
constexpr std::size_t NO_ITEM = std::numeric_limits<std::size_t>::max();
// Stores repeated over their own result until the image stops changing; one more round than
// any chain of store rules needs (hardware, then groups, then channels).
constexpr int SETTLE_ROUNDS = 4;
// More unnamed changes than this are counted, not listed.
constexpr std::size_t LISTED_CHANGES = 20;

std::string quoted(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string upperCased(std::string text) {
    return asciiUpperCase(text);
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

// Why a channel value may not read back as given: the store works some values out itself.
std::string_view derivedHint(int value) {
    switch (channelValueSource(value)) {
    case ChannelValueSource::Frequency:
        return " (worked out from the frequency when stored)";
    case ChannelValueSource::ToneMode:
        return " (follows the tone mode)";
    case ChannelValueSource::SignalDisplayNumber:
        return " (follows signalDisplayNumber)";
    case ChannelValueSource::Adjustment:
        return " (worked out from the adjustment data unless \"keepAlignment\": 1 is given)";
    default:
        return {};
    }
}

std::string joinTarget(const std::string& section, std::size_t index, const std::string& name) {
    return name.empty() ? section + "." + std::to_string(index)
                        : section + "." + std::to_string(index) + "." + name;
}

// ----- Syntax ---------------------------------------------------------------------------------

// Where in the text the reader stopped, as an editor counts lines and columns (both from 1).
std::string textPosition(std::string_view text, std::size_t charsRead) {
    const std::string_view read = text.substr(0, std::min(charsRead, text.size()));
    const std::size_t line =
        1 + static_cast<std::size_t>(std::count(read.begin(), read.end(), '\n'));
    const std::size_t lastBreak = read.rfind('\n');
    const std::size_t column =
        lastBreak == std::string_view::npos ? charsRead : charsRead - lastBreak - 1;
    return strprintf("line %zu, column %zu", line, std::max<std::size_t>(column, 1));
}

// A patch names a value inside an element inside a section; nothing it means is nested much
// deeper. A deeper text is refused before it is parsed: each level costs the reader memory
// in proportion to its depth, so a small file of nested brackets would take gigabytes.
constexpr std::size_t MAX_NESTING = 8;

// Where the first bracket opens a level deeper than MAX_NESTING (outside strings), as the
// parser counts characters read; nothing when there is none.
std::optional<std::size_t> firstTooDeep(std::string_view text) {
    std::size_t depth = 0;
    bool inString = false;
    bool escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > MAX_NESTING) {
                return i + 1;
            }
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return std::nullopt;
}

// The library's words for what is wrong, without its own error number and position.
std::string syntaxProblem(const std::string& what) {
    std::size_t from = what.find("column ");
    from = from == std::string::npos ? what.find("] ") : what.find(": ", from);
    return from == std::string::npos ? what : what.substr(from + 2);
}

// Goes through the text once without building anything: the first syntax fault with its
// position, and every key an object names twice (the library would silently keep the last).
class SyntaxCheck : public nlohmann::json_sax<Json> {
public:
    explicit SyntaxCheck(std::string_view text) : m_text(text) {}

    bool null() override { return value(); }
    bool boolean(bool /*value*/) override { return value(); }
    bool number_integer(number_integer_t /*value*/) override { return value(); }
    bool number_unsigned(number_unsigned_t /*value*/) override { return value(); }
    bool number_float(number_float_t /*value*/, const string_t& /*text*/) override {
        return value();
    }
    bool string(string_t& /*value*/) override { return value(); }
    bool binary(binary_t& /*value*/) override { return value(); }
    bool start_object(std::size_t /*count*/) override { return open(true); }
    bool start_array(std::size_t /*count*/) override { return open(false); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& name) override {
        Frame& frame = m_frames.back();
        frame.key = name;
        if (!frame.keys.insert(name).second) {
            duplicates.push_back(childPath() + ": the key is given more than once");
        }
        return true;
    }

    bool parse_error(std::size_t position, const std::string& /*lastToken*/,
                     const nlohmann::detail::exception& error) override {
        fault = textPosition(m_text, position) + ": " + syntaxProblem(error.what());
        return false;
    }

    std::optional<std::string> fault;
    std::vector<std::string> duplicates;

private:
    struct Frame {
        bool object = false;
        std::string path;
        std::string key;
        std::size_t index = 0;
        std::set<std::string> keys;
    };

    std::string childPath() const {
        if (m_frames.empty()) {
            return {};
        }
        const Frame& frame = m_frames.back();
        if (frame.object) {
            return frame.path.empty() ? frame.key : frame.path + "." + frame.key;
        }
        return frame.path + "[" + std::to_string(frame.index) + "]";
    }

    bool value() {
        if (!m_frames.empty() && !m_frames.back().object) {
            ++m_frames.back().index;
        }
        return true;
    }

    bool open(bool object) {
        Frame frame;
        frame.object = object;
        frame.path = childPath();
        m_frames.push_back(std::move(frame));
        return true;
    }

    bool close() {
        m_frames.pop_back();
        return value();
    }

    std::string_view m_text;
    std::vector<Frame> m_frames;
};

// ----- Reading the patch ---------------------------------------------------------------------

// Reads a patch into entries, collecting every fault instead of stopping at the first.
class PatchReader {
public:
    PatchReader(std::vector<Entry>& entries, std::vector<std::string>& errors)
        : m_entries(entries), m_errors(errors) {}

    void read(const Json& patch);

private:
    // A page of values by index. `computedItem` is an index the patch may not name.
    struct PageRules {
        std::size_t count = 0;
        Part part = Part::Hardware;
        std::size_t computedItem = NO_ITEM;
    };
    // Where a value goes: its path in the patch, its name in the document, its part and,
    // within the channel data, its record, group or the global values.
    struct Place {
        std::string path;
        std::string target;
        Part part;
        Entry::Object object = Entry::Object::Part;
        int index = -1;
    };
    using ElementReader = void (PatchReader::*)(const std::string& path, const Json& element,
                                                int index);

    void readSection(const std::string& key, const Json& value);
    template <class P>
    void readPage(const std::string& path, const std::string& target, const Json& value,
                  P DocumentObjects::*page, const PageRules& rules);
    void readGlobals(const Json& value);
    void readList(const std::string& name, const Json& value, int count, ElementReader element);
    void readGroup(const std::string& path, const Json& group, int index);
    void readChannel(const std::string& path, const Json& channel, int index);
    void readChannelValue(const Place& place, const Json& value, int channel, int index);
    void readDirectCh(const Json& value);
    void readPagingRecord(const std::string& path, const Json& record, int index);
    void readPassword(const Json& value);
    template <class P>
    void readAdjustmentSet(const std::string& name, const Json& value, P DocumentObjects::*set,
                           const PageRules& rules);

    std::optional<std::size_t> keyIndex(const std::string& path, const std::string& key,
                                        std::size_t count);
    std::optional<std::int32_t> integer(const std::string& path, const Json& value);
    std::optional<std::string> tagText(const std::string& path, const Json& value,
                                       std::size_t length);
    bool isObject(const std::string& path, const Json& value);

    void addInteger(const Place& place, const Json& value, IntSet set, IntGet get,
                    Stage stage = Stage::Objects);
    void addBoolean(const Place& place, const Json& value, IntSet set, IntGet get);
    void addTag(const Place& place, const Json& value, std::size_t length, TextSet set,
                TextGet get);
    void add(const Place& place, Stage stage, std::function<void(DocumentObjects&)> set,
             std::function<std::string(const DocumentObjects&)> verify);
    void fail(const std::string& path, const std::string& reason);

    std::vector<Entry>& m_entries;
    std::vector<std::string>& m_errors;
};

void PatchReader::fail(const std::string& path, const std::string& reason) {
    m_errors.push_back(path.empty() ? reason : path + ": " + reason);
}

void PatchReader::add(const Place& place, Stage stage, std::function<void(DocumentObjects&)> set,
                      std::function<std::string(const DocumentObjects&)> verify) {
    m_entries.push_back({place.path, place.target, place.part, stage, std::move(set),
                         std::move(verify), place.object, place.index});
}

bool PatchReader::isObject(const std::string& path, const Json& value) {
    if (!value.is_object()) {
        fail(path, "expected an object");
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

std::optional<std::string> PatchReader::tagText(const std::string& path, const Json& value,
                                                std::size_t length) {
    if (!value.is_string()) {
        fail(path, "expected a text");
        return std::nullopt;
    }
    const auto text = value.get<std::string>();
    if (const std::string reason = tagTextReason(text, length); !reason.empty()) {
        // "is longer than" reads on from the text; a character fault follows a colon.
        const bool tooLong = text.size() > length;
        fail(path, quoted(text) + (tooLong ? " " : ": ") + reason);
        return std::nullopt;
    }
    return text;
}

void PatchReader::addInteger(const Place& place, const Json& value, IntSet set, IntGet get,
                             Stage stage) {
    const auto wanted = integer(place.path, value);
    if (!wanted) {
        return;
    }
    add(
        place, stage, [set, v = *wanted](DocumentObjects& o) { set(o, v); },
        [get, v = *wanted](const DocumentObjects& o) { return integerMismatch(v, get(o)); });
}

void PatchReader::addBoolean(const Place& place, const Json& value, IntSet set, IntGet get) {
    if (!value.is_boolean()) {
        fail(place.path, "expected true or false");
        return;
    }
    const std::int32_t wanted = value.get<bool>() ? 1 : 0;
    add(
        place, Stage::Objects, [set, wanted](DocumentObjects& o) { set(o, wanted); },
        [get, wanted](const DocumentObjects& o) {
            return get(o) == wanted ? std::string()
                                    : std::string(wanted != 0 ? "true" : "false") +
                                          " cannot be stored; it would read back as " +
                                          (wanted != 0 ? "false" : "true");
        });
}

void PatchReader::addTag(const Place& place, const Json& value, std::size_t length, TextSet set,
                         TextGet get) {
    const auto wanted = tagText(place.path, value, length);
    if (!wanted) {
        return;
    }
    add(
        place, Stage::Objects, [set, t = *wanted](DocumentObjects& o) { set(o, t); },
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
        readPage(key, key, value, &DocumentObjects::hardware,
                 {.count = HARDWARE_VALUE_COUNT, .part = Part::Hardware});
    } else if (key == "globals") {
        readGlobals(value);
    } else if (key == "groups") {
        readList(key, value, HGroupTable::GROUP_COUNT, &PatchReader::readGroup);
    } else if (key == "channels") {
        readList(key, value, CHANNEL_COUNT, &PatchReader::readChannel);
    } else if (key == "scan") {
        readPage(key, key, value, &DocumentObjects::scan,
                 {.count = SCAN_VALUE_COUNT, .part = Part::Scan});
    } else if (key == "keyFunction") {
        readPage(key, key, value, &DocumentObjects::keyFunction,
                 {.count = HKeyFuncParams::KEY_SLOT_COUNT, .part = Part::KeyFunction});
    } else if (key == "powerSaving") {
        readPage(key, key, value, &DocumentObjects::powerSaving,
                 {.count = HPowerSaveParams::VALUE_COUNT, .part = Part::PowerSaving});
    } else if (key == "miscellaneous") {
        readPage(key, key, value, &DocumentObjects::miscellaneous,
                 {.count = HMiscParams::VALUE_COUNT, .part = Part::Miscellaneous});
    } else if (key == "marketing") {
        readPage(key, key, value, &DocumentObjects::marketing,
                 {.count = HMarketingParams::VALUE_COUNT, .part = Part::Marketing});
    } else if (key == "directCh") {
        readDirectCh(value);
    } else if (key == "paging") {
        readList(key, value, static_cast<int>(HPagingCodeParams::PAGING_CODE_RECORDS),
                 &PatchReader::readPagingRecord);
    } else if (key == "programmingPassword") {
        readPassword(value);
    } else if (key == "adjustment") {
        readAdjustmentSet(
            key, value, &DocumentObjects::adjustment,
            {.count = ADJ_ITEM_COUNT, .part = Part::Adjustment, .computedItem = ADJ_CHECKSUM});
    } else if (key == "shippingDefault") {
        readAdjustmentSet(key, value, &DocumentObjects::shippingDefault,
                          {.count = SHIPPING_ITEM_COUNT,
                           .part = Part::ShippingDefault,
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
void PatchReader::readPage(const std::string& path, const std::string& target, const Json& value,
                           P DocumentObjects::*page, const PageRules& rules) {
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
        const Place place{itemPath, joinTarget(target, i, ""), rules.part};
        if (probe.descriptors()[i].kind == FieldKind::Text) {
            addTag(
                place, item.value(), probe.descriptors()[i].width,
                [page, i](DocumentObjects& o, const std::string& t) { (o.*page).setText(i, t); },
                [page, i](const DocumentObjects& o) { return (o.*page).getText(i); });
            continue;
        }
        if constexpr (std::is_same_v<P, HHardwareParams>) {
            addInteger(
                place, item.value(),
                [page, i](DocumentObjects& o, std::int32_t v) {
                    setShownHardwareValue(o.*page, i, v);
                },
                [page, i](const DocumentObjects& o) { return shownHardwareValue(o.*page, i); });
            continue;
        }
        addInteger(
            place, item.value(),
            [page, i](DocumentObjects& o, std::int32_t v) { (o.*page).set(i, v); },
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
            readPage(path, path, item.value(), set, rules);
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
            {path, joinTarget("globals", *index, ""), Part::Channels,
             Entry::Object::ChannelGlobals},
            item.value(), [g](DocumentObjects& o, std::int32_t v) { o.channels.setGlobal(g, v); },
            [g](const DocumentObjects& o) { return o.channels.getGlobal(g); },
            Stage::ChannelGlobals);
    }
}

// A list of objects, each naming the "index" of the record it sets, every index at most once.
void PatchReader::readList(const std::string& name, const Json& value, int count,
                           ElementReader element) {
    if (!value.is_array()) {
        fail(name, "expected a list");
        return;
    }
    std::set<int> seen;
    for (std::size_t k = 0; k < value.size(); ++k) {
        const std::string path = strprintf("%s[%zu]", name.c_str(), k);
        if (!isObject(path, value[k])) {
            continue;
        }
        if (!value[k].contains("index")) {
            fail(path, "\"index\" is missing");
            continue;
        }
        const auto index = integer(path + ".index", value[k]["index"]);
        if (!index) {
            continue;
        }
        if (*index < 0 || *index >= count) {
            fail(path + ".index", strprintf("%d is out of range (0-%d)", *index, count - 1));
        } else if (!seen.insert(*index).second) {
            fail(path + ".index", strprintf("%d is given more than once", *index));
        } else {
            (this->*element)(path, value[k], *index);
        }
    }
}

void PatchReader::readGroup(const std::string& path, const Json& group, int g) {
    for (const auto& item : group.items()) {
        const Place place{path + "." + item.key(),
                          joinTarget("groups", static_cast<std::size_t>(g), item.key()),
                          Part::Channels, Entry::Object::Group, g};
        if (item.key() == "index") {
            continue;
        }
        if (item.key() == "count") {
            addInteger(
                place, item.value(),
                [g](DocumentObjects& o, std::int32_t v) { o.channels.groups().setCount(g, v); },
                [g](const DocumentObjects& o) { return o.channels.groups().count(g); });
        } else if (item.key() == "scan") {
            addBoolean(
                place, item.value(),
                [g](DocumentObjects& o, std::int32_t v) {
                    o.channels.groups().setScanFlag(g, v != 0);
                },
                [g](const DocumentObjects& o) { return o.channels.groups().scanFlag(g) ? 1 : 0; });
        } else if (item.key() == "tag") {
            addTag(
                place, item.value(), HGroupTable::TAG_LENGTH,
                [g](DocumentObjects& o, const std::string& t) { o.channels.groups().setTag(g, t); },
                [g](const DocumentObjects& o) { return o.channels.groups().tag(g); });
        } else {
            fail(place.path, "unknown key");
        }
    }
}

void PatchReader::readChannel(const std::string& path, const Json& channel, int c) {
    const auto place = [&](const std::string& key) {
        return Place{path + "." + key, joinTarget("channels", static_cast<std::size_t>(c), key),
                     Part::Channels, Entry::Object::Channel, c};
    };
    for (const auto& item : channel.items()) {
        if (item.key() == "index") {
            continue;
        }
        if (item.key() == "tag") {
            addTag(
                place(item.key()), item.value(), TAG_LENGTH,
                [c](DocumentObjects& o, const std::string& t) { o.channels.setTag(c, t); },
                [c](const DocumentObjects& o) { return o.channels.getTag(c); });
        } else if (const auto index = channelValueByName(item.key())) {
            readChannelValue(place(item.key()), item.value(), c, *index);
        } else {
            fail(path + "." + item.key(), "unknown key");
        }
    }
    // A tone code or mode given is checked against the tone table of the mode it ends with.
    for (const bool transmit : {true, false}) {
        const char* modeKey = transmit ? "txToneMode" : "rxToneMode";
        const char* codeKey = transmit ? "txToneCode" : "rxToneCode";
        if (channel.contains(modeKey) || channel.contains(codeKey)) {
            add(place(codeKey), Stage::Objects, nullptr, [c, transmit](const DocumentObjects& o) {
                return toneReason(o.channels, c, transmit);
            });
        }
    }
}

void PatchReader::readChannelValue(const Place& place, const Json& value, int c, int v) {
    const IntSet set = [c, v](DocumentObjects& o, std::int32_t x) { o.channels.setValue(c, v, x); };
    const IntGet get = [c, v](const DocumentObjects& o) { return o.channels.getValue(c, v); };
    const auto wanted = integer(place.path, value);
    if (!wanted) {
        return;
    }
    if (channelValueSource(v) == ChannelValueSource::Instruction) {
        // Read by the store, not stored: they always read back as 0.
        add(
            place, Stage::Objects, [set, x = *wanted](DocumentObjects& o) { set(o, x); }, nullptr);
        return;
    }
    const bool frequency = v == rxFrequency || v == txFrequency;
    add(
        place, Stage::Objects, [set, x = *wanted](DocumentObjects& o) { set(o, x); },
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
                {strprintf("%s[%zu]", path.c_str(), k),
                 joinTarget("directCh", *index, std::to_string(k)), Part::DirectCh},
                item.value()[k],
                [slot](DocumentObjects& o, std::int32_t v) { o.directCh.set(slot, v); },
                [slot](const DocumentObjects& o) { return o.directCh.get(slot); });
        }
    }
}

void PatchReader::readPagingRecord(const std::string& path, const Json& record, int index) {
    using P = HPagingCodeParams;
    const auto r = static_cast<std::size_t>(index);
    for (const auto& item : record.items()) {
        const std::string& key = item.key();
        const Place place{path + "." + key, joinTarget("paging", r, key), Part::Paging};
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
                place, item.value(),
                [r, field](DocumentObjects& o, std::int32_t v) { o.paging[r].set(field, v); },
                [r, field](const DocumentObjects& o) { return o.paging[r].get(field); });
        } else if (key == "code") {
            P probe(r);
            if (!item.value().is_string() || !probe.setCodeText(item.value().get<std::string>())) {
                fail(place.path, "expected three of 0-9, A-D, * and #, or \"\" to erase the code");
                continue;
            }
            const std::string code = upperCased(item.value().get<std::string>());
            add(
                place, Stage::Objects,
                [r, code](DocumentObjects& o) { o.paging[r].setCodeText(code); },
                [r, code](const DocumentObjects& o) {
                    return textMismatch(code, o.paging[r].codeText());
                });
        } else if (key == "defined") {
            fail(place.path, "follows the code; give \"code\": \"\" to erase it");
        } else if (key != "index") {
            fail(place.path, "unknown key");
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
        const Place place{path, path, Part::ProgrammingPassword};
        if (item.key() == "enabled") {
            addBoolean(
                place, item.value(),
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
                place, Stage::Objects,
                [password](DocumentObjects& o) { o.programmingPassword.setPassword(password); },
                [password](const DocumentObjects& o) {
                    return textMismatch(password, o.programmingPassword.password());
                });
        } else {
            fail(path, "unknown key");
        }
    }
}

// ----- Applying ------------------------------------------------------------------------------

// What storing the entry writes: its whole part, or the one record or group of the channel
// data it names, or the channel data's global values.
void markNamed(const Entry& entry, DocumentObjects& objects) {
    switch (entry.object) {
    case Entry::Object::Channel:
        objects.markEditedChannel(entry.index);
        break;
    case Entry::Object::Group:
        objects.markEditedGroup(entry.index);
        break;
    case Entry::Object::ChannelGlobals:
        objects.markEditedChannelGlobals();
        break;
    case Entry::Object::Part:
        objects.markEdited(entry.part);
        break;
    }
}

void setStage(const std::vector<Entry>& entries, Stage stage, DocumentObjects& objects) {
    for (const Entry& entry : entries) {
        if (entry.stage == stage && entry.set) {
            entry.set(objects);
        }
    }
}

using NamedValues = std::vector<std::pair<std::string, Json>>;

// Every value the document shows, by its dotted name ("channels.3.rxFrequency"), in the
// order show prints them.
void flatten(const Json& value, const std::string& name, NamedValues& out) {
    if (value.is_object()) {
        for (const auto& item : value.items()) {
            flatten(item.value(), name.empty() ? item.key() : name + "." + item.key(), out);
        }
    } else if (value.is_array()) {
        for (std::size_t k = 0; k < value.size(); ++k) {
            flatten(value[k], name + "." + std::to_string(k), out);
        }
    } else {
        out.emplace_back(name, value);
    }
}

NamedValues shownValues(const RadioImage& image) {
    const auto objects = std::make_unique<DocumentObjects>();
    objects->extract(image);
    NamedValues values;
    flatten(documentJson(*objects, image, 0), "", values);
    return values;
}

// The section and the last name of a dotted value name: "channels", "rxFrequency".
std::pair<std::string, std::string> sectionAndName(const std::string& name) {
    return {name.substr(0, name.find('.')), name.substr(name.rfind('.') + 1)};
}

// Values that change because the radio's own rules follow from what the patch names: shown
// figures worked out from others, values the store works out, and values bound to a named
// part (a new capacity regroups the channels, a radio without a display has no A–D keys, a
// changed option unit or paging code is reflected in the channels).
bool followsNamedValues(const std::string& name, const DocumentObjects& named) {
    const auto [section, last] = sectionAndName(name);
    if (section == "hardwareDerived" || section == "capacity" || section == "activeGroups" ||
        section == "channelsLeft" || section == "firmwareVersion" || last == "checksumOk" ||
        last == "defined" || name == "globals.1" || name == "globals.2" ||
        name == "adjustment.items." + std::to_string(ADJ_CHECKSUM) ||
        name == "shippingDefault.items." + std::to_string(SHIPPING_CHECKSUM_ITEM)) {
        return true;
    }
    if (section == "channels") {
        const auto value = channelValueByName(last);
        if (value && channelValueSource(*value) != ChannelValueSource::Given) {
            return true;
        }
        if (last == "encryption") {
            return named.mayChange(DependentValues::ChannelEncryption);
        }
        if (last == "signalDisplayNumber") {
            return named.mayChange(DependentValues::ChannelSignalNumbers);
        }
    }
    if (section == "groups") {
        return named.mayChange(DependentValues::Groups);
    }
    if (section == "keyFunction") {
        return named.mayChange(DependentValues::KeyFunctions);
    }
    if (section == "globals") {
        return named.mayChange(DependentValues::ChannelGlobals);
    }
    if (section == "scan" || section == "miscellaneous") {
        return named.mayChange(DependentValues::SharedPageValues);
    }
    return false;
}

} // namespace

JsonPatch::JsonPatch(const nlohmann::ordered_json& patch) {
    PatchReader(m_entries, m_errors).read(patch);
}

JsonPatch JsonPatch::fromText(std::string_view text) {
    JsonPatch patch;
    if (const auto deep = firstTooDeep(text)) {
        patch.m_syntaxError =
            textPosition(text, *deep) + strprintf(": nested deeper than %zu levels", MAX_NESTING);
        return patch;
    }
    SyntaxCheck check(text);
    Json::sax_parse(text, &check);
    if (check.fault) {
        patch.m_syntaxError = check.fault;
        return patch;
    }
    if (!check.duplicates.empty()) {
        patch.m_errors = check.duplicates;
        return patch;
    }
    JsonPatch read(Json::parse(text));
    return read;
}

std::vector<std::string> JsonPatch::apply(RadioImage& image) const {
    if (m_syntaxError) {
        return {*m_syntaxError};
    }
    if (!m_errors.empty()) {
        return m_errors;
    }
    // Some store rules read what another store wrote (the channel groups follow a new
    // capacity only once the hardware holds it), so the patch is stored again over its own
    // result until nothing moves: the result is one a second apply leaves alone.
    RadioImage trial = image;
    bool settled = false;
    for (int round = 0; round < SETTLE_ROUNDS && !settled; ++round) {
        const RadioImage previous = trial;
        storeOnce(trial);
        settled = round > 0 && trial == previous;
    }
    if (!settled) {
        return {"storing the patch does not settle: each store changes the image again"};
    }

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
        refused = unnamedChanges(image, trial);
    }
    if (refused.empty()) {
        image = trial;
    }
    return refused;
}

void JsonPatch::storeOnce(RadioImage& image) const {
    const auto objects = std::make_unique<DocumentObjects>();
    objects->extract(image);
    for (const Entry& entry : m_entries) {
        markNamed(entry, *objects);
    }
    setStage(m_entries, Stage::Objects, *objects);
    objects->storeParameters(image);
    objects->takeSharedGlobals(image);
    setStage(m_entries, Stage::ChannelGlobals, *objects);
    objects->storeChannelData(image);
}

// Values the patch does not name but storing it would change, one line each.
std::vector<std::string> JsonPatch::unnamedChanges(const RadioImage& before,
                                                   const RadioImage& after) const {
    const auto named = std::make_unique<DocumentObjects>();
    std::set<std::string> targets;
    for (const Entry& entry : m_entries) {
        markNamed(entry, *named);
        targets.insert(entry.target);
    }
    // Both views have the same shape: the document's layout does not depend on its values.
    const NamedValues was = shownValues(before);
    const NamedValues is = shownValues(after);
    std::vector<std::string> changes;
    std::size_t count = 0;
    for (std::size_t k = 0; k < is.size() && k < was.size(); ++k) {
        const auto& [name, value] = is[k];
        if (was[k].second == value || targets.count(name) != 0 ||
            followsNamedValues(name, *named)) {
            continue;
        }
        if (++count <= LISTED_CHANGES) {
            changes.push_back(name + ": would change from " + was[k].second.dump() + " to " +
                              value.dump() + ", which the patch does not name");
        }
    }
    if (count > LISTED_CHANGES) {
        changes.push_back(strprintf("and %zu more values the patch does not name would change",
                                    count - LISTED_CHANGES));
    }
    return changes;
}

} // namespace kq70
