#include "JsonPatch.h"

#include "JsonDocument.h"
#include "doc/DefaultImages.h"
#include "doc/DocumentObjects.h"
#include "frame/DocumentCommands.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <memory>

namespace kq70 {
namespace {

using Json = nlohmann::ordered_json;

RadioImage pmr446Image() {
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    return image;
}

std::vector<std::string> applyPatch(const std::string& text, RadioImage& image) {
    return JsonPatch(Json::parse(text)).apply(image);
}

std::unique_ptr<DocumentObjects> objectsOf(const RadioImage& image) {
    auto objects = std::make_unique<DocumentObjects>();
    objects->extract(image);
    return objects;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

TEST(JsonPatchTest, RefusedPatchesNameTheKeyAndLeaveTheImageAlone) {
    struct Case {
        const char* patch;
        const char* message; // a line of the refusal, whole
    };
    const Case cases[] = {
        // The shape of the patch.
        {R"([1])", "the patch must be one JSON object"},
        {R"({"frobnicate": 1})", "frobnicate: unknown key"},
        {R"({"capacity": 16})", "capacity: shown only; it cannot be set"},
        {R"({"firmwareVersion": 110})", "firmwareVersion: shown only; set marketing.1 instead"},
        {R"({"scan": [3]})", "scan: expected an object"},
        {R"({"scan": {"11": 1}})", "scan.11: index 11 is out of range (0-10)"},
        {R"({"scan": {"-1": 1}})", "scan.-1: a value index (0-10) is expected"},
        {R"({"globals": {"7": 0}})", "globals.7: index 7 is out of range (0-6)"},
        {R"({"channels": {"index": 3}})", "channels: expected a list"},
        {R"({"channels": [3]})", "channels[0]: expected an object"},
        {R"({"channels": [{"index": 256}]})", "channels[0].index: 256 is out of range (0-255)"},
        {R"({"channels": [{"inUse": 1}]})", "channels[0]: \"index\" is missing"},
        {R"({"channels": [{"index": 1}, {"index": 1}]})",
         "channels[1].index: 1 is given more than once"},
        {R"({"channels": [{"index": 1, "rxFreq": 1}]})", "channels[0].rxFreq: unknown key"},
        {R"({"groups": [{"index": 0, "colour": 1}]})", "groups[0].colour: unknown key"},
        {R"({"paging": [{"index": 0, "defined": false}]})",
         "paging[0].defined: follows the code; give \"code\": \"\" to erase it"},
        {R"({"directCh": {"2": [0, 1]}})", "directCh.2: index 2 is out of range (0-1)"},
        {R"({"directCh": {"0": [1]}})", "directCh.0: expected [group, channel]"},
        {R"({"adjustment": {"items": {"113": 0}}})",
         "adjustment.items.113: the checksum is computed from the other items"},
        {R"({"shippingDefault": {"items": {"99": 0}}})",
         "shippingDefault.items.99: index 99 is out of range (0-98)"},
        {R"({"adjustment": {"checksumOk": true}})",
         "adjustment.checksumOk: shown only; the checksum is computed when items change"},
        {R"({"programmingPassword": {"pin": "1"}})", "programmingPassword.pin: unknown key"},
        // Types.
        {R"({"scan": {"6": "3"}})", "scan.6: expected an integer"},
        {R"({"scan": {"6": 3.0}})", "scan.6: expected an integer"},
        {R"({"scan": {"6": 4294967296}})", "scan.6: 4294967296 is too large for any value"},
        {R"({"channels": [{"index": 1, "tag": 5}]})", "channels[0].tag: expected a text"},
        {R"({"groups": [{"index": 0, "scan": 1}]})", "groups[0].scan: expected true or false"},
        // Texts the fields cannot hold.
        {R"({"channels": [{"index": 1, "tag": "Ch1"}]})",
         "channels[0].tag: \"Ch1\": the radio cannot show \"h\" (digits, capitals and  "
         "<>+-=*/[\\]:_ only)"},
        {R"({"paging": [{"index": 0, "code": "12E"}]})",
         "paging[0].code: expected three of 0-9, A-D, * and #, or \"\" to erase the code"},
        {R"({"programmingPassword": {"password": "12345E"}})",
         "programmingPassword.password: expected six of 0-9 and A-D"},
        // Values that would not read back as given (which values a field holds is the field's
        // rule; here one case per way the patch finds out).
        {R"({"scan": {"6": 9}})", "scan.6: 9 cannot be stored; it would read back as 1"},
        {R"({"channels": [{"index": 0, "rxFrequency": 446001000}]})",
         "channels[0].rxFrequency: 446001000 cannot be stored; it would read back as 446005000"},
        {R"({"channels": [{"index": 0, "txFrequency": 480000000}]})",
         "channels[0].txFrequency: 480000000 is outside the radio's frequency range "
         "400.00000-470.00000 MHz"},
        {R"({"channels": [{"index": 0, "txToneMode": 1, "txToneCode": 671}]})",
         "channels[0].txToneCode: 671 is not a CTCSS tone (tenths of a hertz, e.g. 670 for 67.0 "
         "Hz)"},
        {R"({"channels": [{"index": 0, "rxToneMode": 2}]})",
         "channels[0].rxToneCode: 0 is not a DCS code (the value of its octal digits, e.g. 19 for "
         "D023)"},
        {R"({"channels": [{"index": 0, "txToneMode": 3}]})",
         "channels[0].txToneMode: 3 cannot be stored; it would read back as 1"},
        {R"({"channels": [{"index": 0, "rxPllA": 3}]})",
         "channels[0].rxPllA: 3 cannot be stored; it would read back as 1 (worked out from the "
         "frequency when stored)"},
        {R"({"channels": [{"index": 0, "txToneOn": 1}]})",
         "channels[0].txToneOn: 1 cannot be stored; it would read back as 0 (follows the tone "
         "mode)"},
        {R"({"channels": [{"index": 0, "rxTuneDa": 5}]})",
         "channels[0].rxTuneDa: 5 cannot be stored; it would read back as 128 (worked out from "
         "the adjustment data unless \"keepAlignment\": 1 is given)"},
        // A radio without a display has no A-D keys.
        {R"({"hardware": {"3": 0}, "keyFunction": {"2": 5}})",
         "keyFunction.2: 5 cannot be stored; it would read back as 0"},
    };
    const RadioImage original = pmr446Image();
    for (const Case& c : cases) {
        RadioImage image = original;
        const std::string refused = joined(applyPatch(c.patch, image));
        EXPECT_NE(refused.find(std::string(c.message) + "\n"), std::string::npos) << c.patch << "\n"
                                                                                  << refused;
        EXPECT_TRUE(image == original) << c.patch;
    }
}

TEST(JsonPatchTest, EveryFaultOfAPatchIsReportedAtOnce) {
    RadioImage image = pmr446Image();
    const auto refused = applyPatch(
        R"({"scan": {"11": 1, "6": "x"}, "colour": 1, "groups": [{"index": 99}]})", image);
    EXPECT_EQ(refused.size(), 4u) << joined(refused);
}

TEST(JsonPatchTest, AcceptedValuesReadBackAsGiven) {
    RadioImage image = pmr446Image();
    const auto refused = applyPatch(R"({
        "scan": {"6": 3},
        "channels": [{"index": 3, "rxFrequency": 446043750, "txFrequency": 446043750,
                      "txToneMode": 2, "txToneCode": 19, "txDcsInverted": 1, "tag": "CH4"},
                     {"index": 20, "inUse": 1, "keepAlignment": 1, "rxTuneDa": 77}],
        "groups": [{"index": 0, "scan": true, "tag": "PMR"}],
        "powerSaving": {"9": "HELLO"},
        "programmingPassword": {"enabled": true, "password": "12ab34"},
        "paging": [{"index": 2, "code": "1a#", "action": 3}],
        "directCh": {"1": [0, 5]},
        "marketing": {"1": 110},
        "adjustment": {"items": {"20": 130}},
        "shippingDefault": {"items": {"12": 130}}
    })",
                                    image);
    ASSERT_TRUE(refused.empty()) << joined(refused);
    // As show prints them: list items by their place, tags padded, codes in capitals. Changed
    // items get a new checksum, as an alignment gives them.
    const Json expected = Json::parse(R"({
        "scan": {"6": 3},
        "channels": {"3": {"txToneMode": 2, "txToneCode": 19, "txDcsInverted": 1, "tag": "CH4     "},
                     "20": {"rxTuneDa": 77}},
        "groups": {"0": {"scan": true, "tag": "PMR     "}},
        "powerSaving": {"9": "HELLO   "},
        "programmingPassword": {"enabled": true, "password": "12AB34"},
        "paging": {"2": {"code": "1A#", "action": 3}},
        "directCh": {"1": {"1": 5}},
        "firmwareVersion": 110,
        "adjustment": {"items": {"20": 130}, "checksumOk": true},
        "shippingDefault": {"items": {"12": 130}, "checksumOk": true}
    })");
    const Json shown = documentJson(*objectsOf(image), image, 0);
    const Json flat = expected.flatten();
    for (const auto& [pointer, value] : flat.items()) {
        EXPECT_EQ(shown.at(Json::json_pointer(pointer)), value) << pointer;
    }
}

// The channel data is stored after the hardware, so a new first IF gives new PLL words for the
// same frequencies instead of new frequencies from the old PLL words.
TEST(JsonPatchTest, ChannelFrequenciesKeepTheirHertzUnderNewHardware) {
    RadioImage image = pmr446Image();
    const auto before = objectsOf(image);
    ASSERT_NE(before->hardware.get(HW_FIRST_IF), 45000000);
    const auto refused = applyPatch(R"({"hardware": {"14": 9000}})", image); // 5 kHz units
    ASSERT_TRUE(refused.empty()) << joined(refused);
    const auto after = objectsOf(image);
    EXPECT_EQ(after->hardware.get(HW_FIRST_IF), 45000000);
    for (int c = 0; c < 16; ++c) {
        EXPECT_EQ(after->channels.getValue(c, rxFrequency),
                  before->channels.getValue(c, rxFrequency))
            << c;
    }
    EXPECT_NE(after->channels.getValue(0, rxPllHigh), before->channels.getValue(0, rxPllHigh));
}

// The priority channel and the option unit live in bytes both a page and the channel data
// write; the page value given must not be undone by the channel data stored after it.
TEST(JsonPatchTest, PageValuesInBytesTheChannelDataSharesAreKept) {
    struct Case {
        const char* patch;
        int global;
        std::int32_t value;
        const char* refusal;
    };
    const Case cases[] = {
        {R"({"miscellaneous": {"0": 2}})", GLOBAL_OPTION_UNIT, 2, ""},
        {R"({"scan": {"7": 5}})", GLOBAL_PRIORITY_CHANNEL, 5, ""},
        // Both name the same byte: the global is set last and wins, the page value is refused.
        {R"({"scan": {"7": 5}, "globals": {"3": 7}})", GLOBAL_PRIORITY_CHANNEL, 0,
         "scan.7: 5 cannot be stored; it would read back as 7\n"},
    };
    for (const Case& c : cases) {
        RadioImage image = pmr446Image();
        EXPECT_EQ(joined(applyPatch(c.patch, image)), c.refusal) << c.patch;
        EXPECT_EQ(objectsOf(image)->channels.getGlobal(c.global), c.value) << c.patch;
    }
}

// Everything show prints can be given back to apply as it stands: the keys and types of both
// agree, and a document patched with its own values does not change.
TEST(JsonPatchTest, ShownValuesAreAcceptedBackUnchanged) {
    RadioImage image = pmr446Image();
    const RadioImage stored = image;
    const Json shown = documentJson(*objectsOf(image), image, 10787);
    const auto byIndex = [](const Json& values, std::size_t skip = 999) {
        Json object = Json::object();
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i != skip) {
                object[std::to_string(i)] = values[i];
            }
        }
        return object;
    };
    const auto withIndex = [](const Json& list, const char* drop) {
        Json out = Json::array();
        for (std::size_t i = 0; i < list.size(); ++i) {
            Json element = list[i];
            element["index"] = i;
            element.erase(drop);
            out.push_back(element);
        }
        return out;
    };
    Json patch;
    for (const char* page : {"hardware", "globals", "scan", "keyFunction", "powerSaving",
                             "miscellaneous", "marketing"}) {
        patch[page] = byIndex(shown[page]);
    }
    patch["globals"].erase("1"); // cleared after every load
    patch["globals"].erase("2");
    patch["globals"].erase("0"); // carried, never written
    patch["channels"] = shown["channels"];
    patch["groups"] = withIndex(shown["groups"], "");
    patch["paging"] = withIndex(shown["paging"], "defined");
    patch["directCh"] = {{"0", shown["directCh"][0]}, {"1", shown["directCh"][1]}};
    patch["programmingPassword"] = shown["programmingPassword"];
    patch["adjustment"] = {{"items", byIndex(shown["adjustment"]["items"], ADJ_CHECKSUM)}};
    patch["shippingDefault"] = {
        {"items", byIndex(shown["shippingDefault"]["items"], SHIPPING_CHECKSUM_ITEM)}};

    const auto refused = JsonPatch(patch).apply(image);
    EXPECT_TRUE(refused.empty()) << joined(refused);
    // The hardware store brings its mirror in EEPROM word 3 up to date; nothing else moves.
    RadioImage expected = stored;
    expected.setBe16(HARDWARE_MIRROR_OFFSET, image.be16(HARDWARE_MIRROR_OFFSET));
    EXPECT_TRUE(image == expected);
}

// Applying what was accepted a second time changes nothing: the store rules that follow from
// a value (PLL words under a new IF, groups under a new capacity, the A-D keys of a radio
// without a display, checksums) are applied once and completely.
TEST(JsonPatchTest, ApplyingAnAcceptedPatchAgainChangesNothing) {
    const char* const corpus[] = {
        R"({"hardware": {"0": 0}})", // fewer channels than the groups hold
        R"({"hardware": {"0": 4}})",
        R"({"hardware": {"0": 6}, "groups": [{"index": 1, "count": 8}]})",
        R"({"hardware": {"5": 2}})",
        R"({"hardware": {"14": 9000}})",
        R"({"hardware": {"3": 0}})",
        R"({"hardware": {"1": 4}})",
        R"({"channels": [{"index": 3, "rxFrequency": 446043750, "txFrequency": 446050000}]})",
        R"({"channels": [{"index": 0, "txToneMode": 2, "txToneCode": 19, "tag": "DCS"}]})",
        R"({"channels": [{"index": 20, "inUse": 1, "keepAlignment": 1, "rxTuneDa": 77}]})",
        R"({"paging": [{"index": 0, "code": "123"}],
            "channels": [{"index": 2, "signalDisplayNumber": 1, "signalType": 2}]})",
        R"({"paging": [{"index": 0, "code": ""}]})",
        R"({"paging": [{"index": 0, "code": "123", "action": 2}]})",
        R"({"miscellaneous": {"0": 2}})",
        R"({"globals": {"3": 7}, "channels": [{"index": 7, "inUse": 1}]})",
        R"({"adjustment": {"items": {"20": 130}}, "shippingDefault": {"items": {"12": 1}}})",
        R"({"powerSaving": {"9": "HELLO"}, "keyFunction": {"2": 5}})",
        R"({"programmingPassword": {"enabled": true, "password": "1234AB"}})",
    };
    for (const int band : {PMR446_BAND, 4}) {
        RadioImage original;
        BuildDefaultImage(band, original);
        for (const char* patch : corpus) {
            RadioImage once = original;
            const auto refused = applyPatch(patch, once);
            if (!refused.empty()) {
                ADD_FAILURE() << "band " << band << " " << patch << "\n" << joined(refused);
                continue;
            }
            RadioImage twice = once;
            EXPECT_TRUE(applyPatch(patch, twice).empty()) << patch;
            EXPECT_TRUE(twice == once) << "band " << band << " " << patch;
        }
    }
}

// A new Channel Step would move channel frequencies off their hertz; the patch must name them.
TEST(JsonPatchTest, ValuesAPatchWouldChangeWithoutNamingThemAreListed) {
    RadioImage image = pmr446Image();
    const RadioImage original = image;
    const std::string refused = joined(applyPatch(R"({"hardware": {"5": 3}})", image));
    EXPECT_TRUE(image == original);
    EXPECT_EQ(refused.rfind("channels.0.rxFrequency: would change from 446006250 to 446010000, "
                            "which the patch does not name\n"
                            "channels.0.txFrequency: would change from 446006250 to 446010000, "
                            "which the patch does not name\n"
                            "channels.1.rxFrequency: ",
                            0),
              0u)
        << refused;
    EXPECT_NE(refused.find("\nand 492 more values the patch does not name would change\n"),
              std::string::npos)
        << refused;
}

// A channel patch writes the channel data only: a page holding what its editor would not
// store as it is (a power-on tag of codes the radio cannot show) keeps its bytes.
TEST(JsonPatchTest, AChannelPatchLeavesEveryByteOutsideTheChannelDataAlone) {
    RadioImage image = pmr446Image();
    for (std::size_t k = 0; k < HPowerSaveParams::POWER_ON_TAG_LENGTH; ++k) {
        image.setByte(0x027D + k, static_cast<std::uint8_t>(0x60 + k));
    }
    // Tags not in their stored form (ended early, not padded): group 2's and channel 5's,
    // which a store of the whole channel data would pad.
    constexpr std::size_t GROUP_TAGS = 0x0285;
    image.setByte(GROUP_TAGS + 2 * HGroupTable::TAG_LENGTH, 0xFF);
    image.setByte(CHANNEL_TABLE_OFFSET + 5 * CHANNEL_RECORD_SIZE + 0x17, 0xFF);
    const RadioImage original = image;
    ASSERT_TRUE(applyPatch(R"({"channels": [{"index": 3, "rxFrequency": 446043750,
                                            "txFrequency": 446043750, "tag": "NEW"}]})",
                           image)
                    .empty());
    // Channel 3's record, its scan bit and its alignment bytes.
    const auto inChannel3 = [](std::size_t offset) {
        const std::size_t record = CHANNEL_TABLE_OFFSET + 3 * CHANNEL_RECORD_SIZE;
        const std::size_t align = CHANNEL_ALIGNMENT_OFFSET + 3 * 2;
        return (offset >= record && offset < record + CHANNEL_RECORD_SIZE) ||
               (offset >= align && offset < align + 2) || offset == SCAN_BITMAP_OFFSET;
    };
    int changed = 0;
    for (std::size_t offset = 0; offset < IMAGE_SIZE; ++offset) {
        if (image.byteAt(offset) != original.byteAt(offset)) {
            ++changed;
            EXPECT_TRUE(inChannel3(offset)) << std::hex << offset;
        }
    }
    EXPECT_GT(changed, 0);

    // A group's scan flag: its scan bit only; the group's tag keeps its stored form.
    RadioImage expected = image;
    ASSERT_TRUE(applyPatch(R"({"groups": [{"index": 2, "scan": true}]})", image).empty());
    expected.setByte(0x0028, image.byteAt(0x0028));
    EXPECT_TRUE(image == expected);
}

TEST(JsonPatchTest, TextsThatAreNotOneJsonObjectSayWhereAndWhy) {
    struct Case {
        const char* text;
        const char* syntax; // the syntax fault, or nothing
        const char* error;  // else the first refusal
    };
    const Case cases[] = {
        {"{\n  \"scan\": {\"6\": 1e400}}", "line 2, column 21: number overflow parsing '1e400'",
         nullptr},
        {"{} {}",
         "line 1, column 4: syntax error while parsing value - unexpected '{'; expected "
         "end of input",
         nullptr},
        {R"({"scan": {"6": 1, "6": 2}})", nullptr, "scan.6: the key is given more than once"},
        {R"({"channels": [{"index": 1}, {"index": 2, "tag": "A", "tag": "B"}]})", nullptr,
         "channels[1].tag: the key is given more than once"},
        // Nesting no patch needs is refused before it is parsed: 60 KB of brackets would
        // otherwise take gigabytes. Brackets in strings do not count.
        {"{\"a\":\n [[[[[[[[[[", "line 2, column 9: nested deeper than 8 levels", nullptr},
        {R"({"groups": [{"index": 0, "tag": "[[[[[[[[[["}]})", nullptr,
         "groups[0].tag: \"[[[[[[[[[[\" is longer than 8 characters"},
    };
    for (const Case& c : cases) {
        const JsonPatch patch = JsonPatch::fromText(c.text);
        EXPECT_EQ(patch.syntaxError().value_or(""), c.syntax ? c.syntax : "") << c.text;
        RadioImage image = pmr446Image();
        const RadioImage original = image;
        const auto refused = patch.apply(image);
        ASSERT_FALSE(refused.empty()) << c.text;
        if (c.error != nullptr) {
            EXPECT_EQ(refused.front(), c.error) << c.text;
        }
        EXPECT_TRUE(image == original) << c.text;
    }
}

// Which keys and types show prints is held by the patch test that gives them all back; here the
// units and the values worked out for the reader.
TEST(JsonDocumentTest, UnitsAndVerdictsOfTheBuiltInRadio) {
    RadioImage image = pmr446Image();
    Json shown = documentJson(*objectsOf(image), image, 10787);
    // The built-in PMR446 radio: 16 channels in one group.
    EXPECT_EQ(shown["capacity"], 16);
    EXPECT_EQ(shown["activeGroups"], 1);
    EXPECT_EQ(shown["channelsLeft"], 0);
    EXPECT_EQ(shown["hardware"][HW_FREQUENCY_MIN], 400000000) << "limits in Hz";
    // The oscillator and the first IF as stored (40 kHz and 5 kHz units), their hertz apart.
    EXPECT_EQ(shown["hardware"][HW_FIRST_IF], image.be16(0x272C));
    EXPECT_EQ(shown["hardware"][HW_FIRST_IF].get<int>() * 5000, shown["hardwareDerived"][4]);
    EXPECT_EQ(shown["hardware"][HW_REF_XTAL].get<int>() * 40000, shown["hardwareDerived"][0]);
    EXPECT_EQ(shown["channels"][8]["rxFrequency"], 446006250);
    EXPECT_EQ(shown["firmwareVersion"], shown["marketing"][1]);
    EXPECT_EQ(shown["adjustment"]["checksumOk"], true);
    EXPECT_EQ(shown["shippingDefault"]["checksumOk"], true);

    image.setByte(WORKING_ADJUSTMENT_OFFSET + 3, image.byteAt(WORKING_ADJUSTMENT_OFFSET + 3) ^ 1);
    image.setByte(SHIPPING_ADJUSTMENT_OFFSET + 3, image.byteAt(SHIPPING_ADJUSTMENT_OFFSET + 3) ^ 1);
    shown = documentJson(*objectsOf(image), image, 10787);
    EXPECT_EQ(shown["adjustment"]["checksumOk"], false);
    EXPECT_EQ(shown["shippingDefault"]["checksumOk"], false);
}

} // namespace
} // namespace kq70
