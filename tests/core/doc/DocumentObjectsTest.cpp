#include "doc/DocumentObjects.h"

#include "support/ChannelViewHarness.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kq70 {
namespace {

std::unique_ptr<DocumentObjects> objectsOf(const RadioImage& image) {
    auto objects = std::make_unique<DocumentObjects>();
    objects->extract(image);
    return objects;
}

// Only edited parts are stored: a page whose bytes its editor would not write back as they
// are (a power-on tag the radio cannot show) stays as read unless that page was edited.
TEST(DocumentObjectsTest, OnlyEditedPartsAndThoseReadingThemAreStored) {
    RadioImage original = test::pmrImage();
    for (std::size_t k = 0; k < HPowerSaveParams::POWER_ON_TAG_LENGTH; ++k) {
        original.setByte(0x027D + k, 0x70);
    }
    struct Case {
        const char* name;
        DocumentPart part;
        bool tagRewritten;
        bool channelsStored;
    };
    const Case cases[] = {
        {"scan", DocumentPart::Scan, false, false},
        {"channels", DocumentPart::Channels, false, true},
        {"hardware", DocumentPart::Hardware, false, true},
        {"shipping default", DocumentPart::ShippingDefault, false, false},
        {"power saving", DocumentPart::PowerSaving, true, false},
    };
    for (const Case& c : cases) {
        auto objects = objectsOf(original);
        objects->markEdited(c.part);
        // A stored channel record shows itself by a changed tag.
        objects->channels.setTag(5, "MARK");
        RadioImage image = original;
        objects->store(image);
        EXPECT_EQ(image.byteAt(0x027D) != 0x70, c.tagRewritten) << c.name;
        EXPECT_EQ(objectsOf(image)->channels.getTag(5) == "MARK    ", c.channelsStored) << c.name;
    }
}

// Stored hardware brings the rules that hang on it: the channel data is worked out again
// under it, and a radio without a display loses its A-D key functions.
TEST(DocumentObjectsTest, StoredHardwareCarriesItsRules) {
    const RadioImage original = test::pmrImage();
    auto objects = objectsOf(original);
    objects->keyFunction.set(2, 5);
    objects->markEdited(DocumentPart::KeyFunction);
    objects->hardware.set(HW_LCD_TYPE, 0);
    objects->hardware.set(HW_FIRST_IF, 45000000);
    objects->markEdited(DocumentPart::Hardware);
    RadioImage image = original;
    objects->store(image);
    const auto stored = objectsOf(image);
    EXPECT_EQ(stored->keyFunction.get(2), HKeyFuncParams::KEY_NONE);
    EXPECT_EQ(stored->channels.getValue(0, rxFrequency),
              objectsOf(original)->channels.getValue(0, rxFrequency));
    EXPECT_NE(stored->channels.getValue(0, rxPllHigh),
              objectsOf(original)->channels.getValue(0, rxPllHigh));
}

// An edited adjustment set gets a new checksum; one that was not edited keeps its bytes, a
// wrong checksum included.
TEST(DocumentObjectsTest, EditedAdjustmentSetsGetANewChecksum) {
    RadioImage original = test::pmrImage();
    original.setByte(WORKING_CHECKSUM_OFFSET, original.byteAt(WORKING_CHECKSUM_OFFSET) ^ 1);
    original.setByte(SHIPPING_CHECKSUM_OFFSET, original.byteAt(SHIPPING_CHECKSUM_OFFSET) ^ 1);
    auto objects = objectsOf(original);
    objects->adjustment.set(20, objects->adjustment.get(20) + 1);
    objects->markEdited(DocumentPart::Adjustment);
    RadioImage image = original;
    objects->store(image);
    EXPECT_TRUE(HAdustmentBackUpParams().verifyChecksum(image));
    EXPECT_FALSE(HShippingDefaultParams().verifyChecksum(image));
    EXPECT_EQ(image.byteAt(SHIPPING_CHECKSUM_OFFSET), original.byteAt(SHIPPING_CHECKSUM_OFFSET));
}

TEST(DocumentObjectsTest, NothingEditedStoresNothing) {
    const RadioImage original = test::pmrImage();
    auto objects = objectsOf(original);
    objects->scan.set(SCAN_PRIORITY_CHECK, 3); // changed but not marked
    RadioImage image = original;
    objects->store(image);
    EXPECT_TRUE(image == original);
}

// A part edited alone changes the values of another part exactly where the document says it
// may: the pages and the channel globals share the priority channel and option unit bytes.
TEST(DocumentObjectsTest, SharedBytesMoveTheValuesTheDocumentSaysTheyMay) {
    using D = DependentValues;
    struct Case {
        const char* name;
        DocumentPart part;
        std::function<void(DocumentObjects&)> edit;
        std::function<std::int32_t(const DocumentObjects&)> moved; // the value that moves
        D dependent;
    };
    const Case cases[] = {
        {"option unit on its page", DocumentPart::Miscellaneous,
         [](DocumentObjects& o) {
             o.miscellaneous.set(HMiscParams::OPTION_UNIT, HMiscParams::OPTION_UNIT_ENCRYPTION);
         },
         [](const DocumentObjects& o) { return o.channels.getGlobal(GLOBAL_OPTION_UNIT); },
         D::ChannelGlobals},
        {"priority channel on its page", DocumentPart::Scan,
         [](DocumentObjects& o) { o.scan.set(SCAN_PRIORITY_CH, o.scan.get(SCAN_PRIORITY_CH) + 1); },
         [](const DocumentObjects& o) { return o.channels.getGlobal(GLOBAL_PRIORITY_CHANNEL); },
         D::ChannelGlobals},
        {"option unit in the channel globals", DocumentPart::Channels,
         [](DocumentObjects& o) {
             o.channels.setGlobal(GLOBAL_OPTION_UNIT, HMiscParams::OPTION_UNIT_ENCRYPTION);
         },
         [](const DocumentObjects& o) { return o.miscellaneous.optionUnit(); },
         D::SharedPageValues},
    };
    const RadioImage original = test::pmrImage();
    for (const Case& c : cases) {
        auto objects = objectsOf(original);
        EXPECT_FALSE(objects->mayChange(c.dependent)) << c.name;
        c.edit(*objects);
        objects->markEdited(c.part);
        RadioImage image = original;
        // An editor of the channel globals sets them after they took the pages' bytes.
        if (c.part == DocumentPart::Channels) {
            objects->storeParameters(image);
            objects->storeChannelData(image);
        } else {
            objects->store(image);
        }
        EXPECT_NE(c.moved(*objectsOf(original)), c.moved(*objectsOf(image))) << c.name;
        EXPECT_TRUE(objects->mayChange(c.dependent)) << c.name;
        EXPECT_FALSE(objects->mayChange(D::Groups)) << c.name;
    }
}

} // namespace
} // namespace kq70
