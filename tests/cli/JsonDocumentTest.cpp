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

Json shownJson(const RadioImage& image) {
    const auto objects = std::make_unique<DocumentObjects>();
    objects->extract(image);
    return documentJson(*objects, image, 10787);
}

// Which keys and types show prints is held by the patch test that gives them all back; here the
// units and the values worked out for the reader.
TEST(JsonDocumentTest, UnitsAndVerdictsOfTheBuiltInRadio) {
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    Json shown = shownJson(image);
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
    shown = shownJson(image);
    EXPECT_EQ(shown["adjustment"]["checksumOk"], false);
    EXPECT_EQ(shown["shippingDefault"]["checksumOk"], false);
}

} // namespace
} // namespace kq70
