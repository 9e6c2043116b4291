#include "JsonDocument.h"

#include "ChannelValueNames.h"
#include "doc/DocumentObjects.h"

namespace kq70 {

namespace {

// A page's values by index; text fields as their text.
Json pageValues(const HParams& page, std::size_t count) {
    Json values = Json::array();
    for (std::size_t i = 0; i < count; ++i) {
        if (page.descriptors()[i].kind == FieldKind::Text) {
            values.push_back(page.getText(i));
        } else {
            values.push_back(page.get(i));
        }
    }
    return values;
}

bool isFrequencyLimit(std::size_t index) {
    return index == HW_FREQUENCY_MIN || index == HW_FREQUENCY_MAX;
}

Json hardwareValues(const HHardwareParams& hardware) {
    Json values = Json::array();
    for (std::size_t i = 0; i < HARDWARE_VALUE_COUNT; ++i) {
        values.push_back(shownHardwareValue(hardware, i));
    }
    return values;
}

Json hardwareDerivedValues(const HHardwareParams& hardware) {
    Json values = Json::array();
    for (std::size_t i = HARDWARE_VALUE_COUNT; i < HARDWARE_TABLE_SIZE; ++i) {
        values.push_back(hardware.get(i));
    }
    return values;
}

Json groupsJson(const HGroupTable& groups) {
    Json list = Json::array();
    for (int g = 0; g < HGroupTable::GROUP_COUNT; ++g) {
        list.push_back(
            {{"count", groups.count(g)}, {"scan", groups.scanFlag(g)}, {"tag", groups.tag(g)}});
    }
    return list;
}

Json channelJson(const HChannelData& channels, int channel) {
    Json record = {{"index", channel}};
    for (int v = 0; v < CHANNEL_VALUE_COUNT; ++v) {
        const std::string key(CHANNEL_VALUE_NAMES[static_cast<std::size_t>(v)]);
        if (v == tag) {
            record[key] = channels.getTag(channel);
        } else {
            record[key] = channels.getValue(channel, v);
        }
    }
    return record;
}

Json channelsJson(const HChannelData& channels) {
    Json list = Json::array();
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        list.push_back(channelJson(channels, c));
    }
    return list;
}

Json directChJson(const HDirectChParams& directCh) {
    Json list = Json::array();
    for (std::size_t k = 0; k < HDirectChParams::DIRECT_CH_COUNT; ++k) {
        list.push_back({directCh.get(HDirectChParams::groupIndex(k)),
                        directCh.get(HDirectChParams::channelIndex(k))});
    }
    return list;
}

Json pagingJson(const std::vector<HPagingCodeParams>& paging) {
    Json list = Json::array();
    for (const HPagingCodeParams& record : paging) {
        list.push_back({{"code", record.codeText()},
                        {"action", record.get(HPagingCodeParams::DECODE_ACTION)},
                        {"status", record.get(HPagingCodeParams::DECODE_STATUS)},
                        {"flag", record.get(HPagingCodeParams::FLAG)},
                        {"defined", record.isDefined()}});
    }
    return list;
}

// The checksum verdicts read the image afresh, so the objects shown stay untouched.
Json adjustmentJson(const HAdustmentBackUpParams& items, const RadioImage& image) {
    return {{"items", pageValues(items, ADJ_ITEM_COUNT)},
            {"checksumOk", HAdustmentBackUpParams().verifyChecksum(image)}};
}

Json shippingJson(const HShippingDefaultParams& items, const RadioImage& image) {
    return {{"items", pageValues(items, SHIPPING_ITEM_COUNT)},
            {"checksumOk", HShippingDefaultParams().verifyChecksum(image)}};
}

} // namespace

std::int32_t shownHardwareValue(const HHardwareParams& hardware, std::size_t index) {
    return isFrequencyLimit(index) ? hardware.get(index) : hardware.storedValue(index);
}

void setShownHardwareValue(HHardwareParams& hardware, std::size_t index, std::int32_t value) {
    if (isFrequencyLimit(index)) {
        hardware.set(index, value);
    } else {
        hardware.setStoredValue(index, value);
    }
}

Json documentJson(const DocumentObjects& objects, const RadioImage& image, long long fileSize) {
    const HChannelData& channels = objects.channels;
    Json document;
    document["size"] = fileSize;
    document["hardware"] = hardwareValues(objects.hardware);
    document["hardwareDerived"] = hardwareDerivedValues(objects.hardware);
    Json globals = Json::array();
    for (int g = 0; g < CHANNEL_GLOBAL_COUNT; ++g) {
        globals.push_back(channels.getGlobal(g));
    }
    document["globals"] = globals;
    document["capacity"] = channels.capacity();
    document["activeGroups"] = channels.groupCount();
    document["channelsLeft"] = channels.channelsLeft();
    document["groups"] = groupsJson(channels.groups());
    document["channels"] = channelsJson(channels);
    document["scan"] = pageValues(objects.scan, SCAN_VALUE_COUNT);
    document["keyFunction"] = pageValues(objects.keyFunction, HKeyFuncParams::KEY_SLOT_COUNT);
    document["powerSaving"] = pageValues(objects.powerSaving, HPowerSaveParams::VALUE_COUNT);
    document["miscellaneous"] = pageValues(objects.miscellaneous, HMiscParams::VALUE_COUNT);
    document["marketing"] = pageValues(objects.marketing, HMarketingParams::VALUE_COUNT);
    document["directCh"] = directChJson(objects.directCh);
    document["paging"] = pagingJson(objects.paging);
    document["programmingPassword"] = {{"enabled", objects.programmingPassword.isEnabled()},
                                       {"password", objects.programmingPassword.password()}};
    document["adjustment"] = adjustmentJson(objects.adjustment, image);
    document["shippingDefault"] = shippingJson(objects.shippingDefault, image);
    document["firmwareVersion"] = objects.marketing.firmwareVersion();
    return document;
}

} // namespace kq70
