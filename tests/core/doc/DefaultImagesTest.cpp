#include "doc/DefaultImages.h"
#include "align/HAdustmentBackUpParams.h"
#include "align/HShippingDefaultParams.h"
#include "channel/HChannelData.h"
#include "doc/AdjustmentDefaultImage.h"
#include "factory/FactoryImages.h"
#include "params/HDirectChParams.h"
#include "params/HHardwareParams.h"
#include "params/HKeyFuncParams.h"
#include "params/HMarketingParams.h"
#include "params/HMiscParams.h"
#include "params/HPowerSaveParams.h"
#include "params/HScanParams.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace kq70 {
namespace {

using test::TempFolder;

TEST(DefaultImagesTest, EmbeddedImagesAreWhatTheFactoryCodeMakes) {
    // When this fails, run kq70-imagegen resources/ and commit the two files.
    EXPECT_TRUE(builtInImage(BuiltInImage::Vhf) == makeVhfFactoryImage());
    EXPECT_TRUE(builtInImage(BuiltInImage::Uhf) == makeUhfFactoryImage());
}

TEST(DefaultImagesTest, FixedBytes) {
    const std::uint8_t start[] = {0x01, 0x00, 0x06, 0x00, 0x06, 0x50, 0x00, 0x33};
    const std::uint8_t trailer[] = {0x0A, 0x1E, 0x0A, 0x8B, 0x1E, 0x0A, 0x8B, 0x1E, 0x0A, 0x84,
                                    0x1E, 0x0A, 0x84, 0x1E, 0x0A, 0x00, 0x00, 0x0F, 0x0F};
    struct Case {
        BuiltInImage which;
        std::uint16_t hardware;
        std::uint16_t productCode;
    };
    for (const Case& c :
         {Case{BuiltInImage::Vhf, 0x0033, 0x0000}, Case{BuiltInImage::Uhf, 0x053B, 0xC065}}) {
        const RadioImage& image = builtInImage(c.which);
        EXPECT_TRUE(std::equal(std::begin(start), std::end(start), image.data()));
        EXPECT_EQ(image.be16(0x26E8), c.hardware);
        EXPECT_EQ(image.be16(0x29EA), c.productCode);
        EXPECT_TRUE(std::equal(std::begin(trailer), std::end(trailer), image.data() + 0x2A10));
    }
}

using Pass = std::function<void(RadioImage&)>;

template <typename Params> Pass extractAndStore() {
    return [](RadioImage& image) {
        Params params;
        params.extract(image);
        params.store(image);
    };
}

TEST(DefaultImagesTest, ImagesSurviveEveryParameterObject) {
    const std::pair<const char*, Pass> objects[] = {
        {"hardware", extractAndStore<HHardwareParams>()},
        {"scan", extractAndStore<HScanParams>()},
        {"key function", extractAndStore<HKeyFuncParams>()},
        {"power saving", extractAndStore<HPowerSaveParams>()},
        {"miscellaneous", extractAndStore<HMiscParams>()},
        {"marketing", extractAndStore<HMarketingParams>()},
        {"direct CH", extractAndStore<HDirectChParams>()},
        {"adjustment", extractAndStore<HAdustmentBackUpParams>()},
        {"channels", extractAndStore<HChannelData>()},
    };
    for (const BuiltInImage which : {BuiltInImage::Vhf, BuiltInImage::Uhf}) {
        for (const auto& [name, pass] : objects) {
            RadioImage image = builtInImage(which);
            pass(image);
            RadioImage expected = builtInImage(which);
            if (which == BuiltInImage::Uhf && std::string(name) == "hardware") {
                // The UHF image's first eight bytes are fixed: its mirror of the hardware
                // bytes reads 00 33, which a hardware store brings up to date.
                expected.setBe16(0x0006, 0x053B);
            }
            EXPECT_TRUE(image == expected)
                << name << (which == BuiltInImage::Vhf ? " VHF" : " UHF");
        }
    }
}

TEST(DefaultImagesTest, AdjustmentCopiesAreValidAndEqual) {
    for (const BuiltInImage which : {BuiltInImage::Vhf, BuiltInImage::Uhf}) {
        const RadioImage& image = builtInImage(which);
        HAdustmentBackUpParams working;
        EXPECT_TRUE(working.verifyChecksum(image));
        HShippingDefaultParams shipping;
        EXPECT_TRUE(shipping.verifyChecksum(image));
        EXPECT_TRUE(
            std::equal(image.data() + 0x0102, image.data() + 0x0102 + 95, image.data() + 0x2980));
        EXPECT_EQ(image.be16(0x0162), image.be16(0x29DF)) << "equal blocks, equal sums";
        HHardwareParams hardware;
        hardware.extract(image);
        working.extract(image);
        const std::int64_t point2 = std::int64_t{working.get(10)} * 100000;
        EXPECT_GE(point2, hardware.get(HW_FREQUENCY_MIN)) << "alignment points lie in the band";
        EXPECT_LE(point2, hardware.get(HW_FREQUENCY_MAX));
    }
}

TEST(DefaultImagesTest, UhfImageIsASixteenChannelPmr446Radio) {
    HChannelData channels;
    channels.extract(builtInImage(BuiltInImage::Uhf));
    EXPECT_EQ(channels.capacity(), 16);
    EXPECT_EQ(channels.groupChannelCount(0), 16);
    for (int c = 0; c < 16; ++c) {
        const std::int32_t hz = 446006250 + 12500 * (c % 8);
        EXPECT_TRUE(channels.isInUse(c));
        EXPECT_EQ(channels.getValue(c, rxFrequency), hz) << c;
        EXPECT_EQ(channels.getValue(c, txFrequency), hz) << c;
        EXPECT_EQ(channels.getValue(c, txToneMode), c < 8 ? 0 : 1) << c;
    }
    EXPECT_FALSE(channels.isInUse(16));
}

TEST(DefaultImagesTest, BandStamping) {
    // Band, local offset, channel step and squelch release, each under its mask; the other
    // bits of their bytes are the source image's.
    const std::pair<std::size_t, int> fields[] = {
        {0x26E8, 0x0F}, {0x272B, 0x01}, {0x26EA, 0xC0}, {0x2742, 0x07}};
    const struct {
        int band;
        BuiltInImage source;
        int stamped[4];
    } cases[] = {
        {0, BuiltInImage::Vhf, {0, 1, 0x40, 6}}, {8, BuiltInImage::Vhf, {8, 1, 0x40, 6}},
        {5, BuiltInImage::Uhf, {5, 0, 0, 4}},    {12, BuiltInImage::Uhf, {12, 0, 0, 4}},
        {13, BuiltInImage::Vhf, {12, 0, 0, 4}},  {9, BuiltInImage::Uhf, {9, 0, 0, 4}},
    };
    for (const auto& c : cases) {
        RadioImage image;
        image.setByte(0x100, 0x77); // whatever was there is replaced
        BuildDefaultImage(c.band, image);
        const RadioImage& source = builtInImage(c.source);
        for (std::size_t f = 0; f < std::size(fields); ++f) {
            const auto [offset, mask] = fields[f];
            EXPECT_EQ(image.byteAt(offset) & mask, c.stamped[f]) << c.band << " field " << f;
            EXPECT_EQ(image.byteAt(offset) & ~mask, source.byteAt(offset) & ~mask) << c.band;
        }
        EXPECT_EQ(image.byteAt(0x100), source.byteAt(0x100));
    }

    RadioImage pmr;
    BuildDefaultImage(12, pmr);
    EXPECT_TRUE(std::equal(pmr.data() + CHANNEL_TABLE_OFFSET,
                           pmr.data() + CHANNEL_TABLE_OFFSET + 8192,
                           builtInImage(BuiltInImage::Uhf).data() + CHANNEL_TABLE_OFFSET))
        << "channels kept";
    // Band 9's 380 MHz lands at the edition's lowest storable frequency.
    RadioImage band9;
    BuildDefaultImage(9, band9);
    HChannelData channels;
    channels.extract(band9);
    for (const int c : {0, 15, 255}) {
        EXPECT_EQ(channels.getValue(c, rxFrequency), 436000000) << c;
        EXPECT_EQ(channels.getValue(c, txFrequency), 436000000) << c;
    }
    RadioImage undefined;
    BuildDefaultImage(3, undefined);
    EXPECT_EQ(undefined.byteAt(0x26E8), 0x03);
    EXPECT_EQ(undefined.byteAt(0x0000), 0x00) << "an undefined band has no built-in image";
}

TEST(DefaultImagesTest, BandDefaultPrefersAReadableTemplate) {
    TempFolder folder;
    RadioImage image;
    LoadBandDefaultImage(folder.path(), 4, image);
    RadioImage built;
    BuildDefaultImage(4, built);
    EXPECT_TRUE(image == built);

    TempFolder::writeBytes(folder.file("defaultUA.k70"), std::vector<std::uint8_t>(10787, 0x3C));
    LoadBandDefaultImage(folder.path(), 4, image);
    EXPECT_EQ(image.byteAt(1234), 0x3C);

    TempFolder::writeBytes(folder.file("defaultUA.k70"), std::vector<std::uint8_t>(100, 0x3C));
    LoadBandDefaultImage(folder.path(), 4, image);
    EXPECT_TRUE(image == built) << "a short template is passed over";
}

TEST(AdjustmentDefaultImageTest, TheBuiltInFileHoldsAnAlignmentChannelForEveryProcedure) {
    auto image = std::make_unique<RadioImage>();
    makeAdjustmentDefaultImage(*image);
    auto channels = std::make_unique<HChannelData>();
    channels->extract(*image);
    EXPECT_EQ(frequencyBandOf(*image), 12);
    EXPECT_GE(channels->capacity(), ALIGN_CHANNEL_COUNT);
    EXPECT_EQ(channels->groupChannelCount(0), ALIGN_CHANNEL_COUNT);
    for (int c = 0; c < ALIGN_CHANNEL_COUNT; ++c) {
        EXPECT_TRUE(channels->isInUse(c)) << c;
        EXPECT_GE(channels->getValue(c, rxFrequency), 446000000) << c;
        EXPECT_LE(channels->getValue(c, rxFrequency), 446200000) << c;
    }
    EXPECT_LT(channels->getValue(ALIGN_CHANNEL_LOW, rxFrequency),
              channels->getValue(ALIGN_CHANNEL_MIDDLE, rxFrequency));
    EXPECT_LT(channels->getValue(ALIGN_CHANNEL_MIDDLE, rxFrequency),
              channels->getValue(ALIGN_CHANNEL_HIGH, rxFrequency));
    EXPECT_GE(channels->getValue(ALIGN_CHANNEL_NARROW, bandwidth), 2);
    EXPECT_EQ(channels->getValue(ALIGN_CHANNEL_HIGH_POWER, txPowerLow), 0);
    EXPECT_EQ(channels->getValue(ALIGN_CHANNEL_MIDDLE, txPowerLow), 1);
    EXPECT_EQ(channels->getValue(ALIGN_CHANNEL_CTCSS_WIDE, txToneMode), 1);
    EXPECT_EQ(channels->getValue(ALIGN_CHANNEL_DCS_NARROW, txToneMode), 2);
    HAdustmentBackUpParams items;
    EXPECT_TRUE(items.verifyChecksum(*image));
    EXPECT_NE(items.get(ADJ_SG_THRESHOLD_NSQ_LEVEL), 0);
}

TEST(AdjustmentDefaultImageTest, AFileInTheProgramFolderComesFirstAndABadOneIsReported) {
    test::TempFolder folder;
    auto image = std::make_unique<RadioImage>();
    EXPECT_EQ(LoadAdjustmentDefaultImage(folder.path(), true, *image),
              AdjustmentDefaultSource::BuiltIn);
    EXPECT_EQ(LoadAdjustmentDefaultImage(folder.path(), false, *image),
              AdjustmentDefaultSource::Missing);
    std::vector<std::uint8_t> bytes(image->data(), image->data() + IMAGE_SIZE);
    bytes[0x2A10] = 0x33;
    test::TempFolder::writeBytes(folder.file("adj_pmr.w70"), bytes);
    auto loaded = std::make_unique<RadioImage>();
    EXPECT_EQ(LoadAdjustmentDefaultImage(folder.path(), true, *loaded),
              AdjustmentDefaultSource::File);
    EXPECT_EQ(loaded->byteAt(0x2A10), 0x33);
    bytes.resize(500);
    test::TempFolder::writeBytes(folder.file("adj_pmr.w70"), bytes);
    EXPECT_EQ(LoadAdjustmentDefaultImage(folder.path(), true, *loaded),
              AdjustmentDefaultSource::Unreadable);
    EXPECT_EQ(loaded->byteAt(0x2A10), 0x33);
}

} // namespace
} // namespace kq70
