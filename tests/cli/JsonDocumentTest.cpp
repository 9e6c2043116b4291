#include "JsonDocument.h"

#include "ChannelValueNames.h"
#include "doc/DefaultImages.h"
#include "doc/DocumentObjects.h"
#include "frame/DocumentCommands.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <memory>

namespace kq70 {
namespace {

using Json = nlohmann::ordered_json;

Json shownJson(const RadioImage& image) {
    const auto objects = std::make_unique<DocumentObjects>();
    objects->extract(image);
    return documentJson(*objects, image, 10787);
}

TEST(JsonDocumentTest, ValuesOfTheBuiltInRadio) {
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    const Json shown = shownJson(image);

    // The built-in PMR446 radio: 16 channels in one group, 9-16 with CTCSS tones.
    EXPECT_EQ(shown["size"], 10787);
    EXPECT_EQ(shown["capacity"], 16);
    EXPECT_EQ(shown["activeGroups"], 1);
    EXPECT_EQ(shown["channelsLeft"], 0);
    EXPECT_EQ(shown["groups"][0]["count"], 16);
    EXPECT_EQ(shown["hardware"][HW_FREQUENCY_MIN], 400000000) << "limits in Hz";
    // The oscillator and the first IF as stored (40 kHz and 5 kHz units), their hertz apart.
    EXPECT_EQ(shown["hardware"][HW_FIRST_IF], image.be16(0x272C));
    EXPECT_EQ(shown["hardware"][HW_FIRST_IF].get<int>() * 5000, shown["hardwareDerived"][4]);
    EXPECT_EQ(shown["hardware"][HW_REF_XTAL].get<int>() * 40000, shown["hardwareDerived"][0]);
    const Json& channel = shown["channels"][8];
    EXPECT_EQ(channel.size(), 1u + CHANNEL_VALUE_COUNT);
    EXPECT_EQ(channel["index"], 8);
    EXPECT_EQ(channel["rxFrequency"], 446006250);
    EXPECT_EQ(channel["txToneMode"], 1);
    EXPECT_EQ(channel["txToneCode"], 670);
    EXPECT_TRUE(channel["tag"].is_string());
    EXPECT_EQ(shown["directCh"][1].size(), 2u);
    EXPECT_TRUE(shown["paging"][0]["defined"].is_boolean());
    EXPECT_TRUE(shown["powerSaving"][9].is_string()) << "the Power-ON tag is a text";
    EXPECT_TRUE(shown["programmingPassword"]["enabled"].is_boolean());
    EXPECT_EQ(shown["firmwareVersion"], shown["marketing"][1]);
    EXPECT_EQ(shown["adjustment"]["checksumOk"], true);
    EXPECT_EQ(shown["shippingDefault"]["checksumOk"], true);
}

TEST(JsonDocumentTest, ChecksumVerdictsFollowTheImage) {
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    image.setByte(WORKING_ADJUSTMENT_OFFSET + 3, image.byteAt(WORKING_ADJUSTMENT_OFFSET + 3) ^ 1);
    image.setByte(SHIPPING_ADJUSTMENT_OFFSET + 3, image.byteAt(SHIPPING_ADJUSTMENT_OFFSET + 3) ^ 1);
    const Json shown = shownJson(image);
    EXPECT_EQ(shown["adjustment"]["checksumOk"], false);
    EXPECT_EQ(shown["shippingDefault"]["checksumOk"], false);
}

} // namespace
} // namespace kq70
