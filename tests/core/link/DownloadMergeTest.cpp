#include "link/DownloadMerge.h"

#include "SimulatorSeed.h"
#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "link/CommJobContext.h"
#include "params/HHardwareParams.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>

#include <vector>

namespace kq70 {
namespace {

using test::firstDifference;

// The key function bytes of the A–D keys, pressed and held.
constexpr std::size_t LETTER_KEY_OFFSETS[] = {0x026B, 0x026C, 0x026D, 0x026E,
                                              0x0271, 0x0272, 0x0273, 0x0274};

const RangeList EEPROM_READ = {{0x00, 0x03}, {0x80, 0xB8}};
const RangeList FLASH_READ = {{0x00, 0x00}, {0x02, 0x06}, {0x49, 0x4F}};

// What the download's work buffer holds of `radio`: the units it read, nothing else.
RadioImage workBufferOf(const RadioImage& radio) {
    RadioImage work;
    const RadioReadLists read{EEPROM_READ, FLASH_READ};
    for (std::size_t offset = 0; offset < TRANSFER_SIZE; ++offset) {
        if (read.covers(offset)) {
            work.setByte(offset, radio.byteAt(offset));
        }
    }
    return work;
}

void merge(const RadioImage& radio, RadioImage& document, const CommJobContext& context) {
    MergeRadioData(workBufferOf(radio), {EEPROM_READ, FLASH_READ}, context, document);
}

TEST(DownloadMergeTest, ReadListsCoverTheirUnitsOnly) {
    const RadioReadLists read{EEPROM_READ, FLASH_READ};
    struct Case {
        std::size_t offset;
        bool covered;
    };
    for (const Case c :
         {Case{0x0000, true}, Case{0x0007, true}, Case{0x0008, false}, Case{0x0100, true},
          Case{0x0171, true}, Case{0x0172, false}, Case{0x0200, true}, Case{0x0280, false},
          Case{0x0300, true}, Case{0x057F, true}, Case{0x0580, false}, Case{0x2680, true},
          Case{0x29FF, true}, Case{0x2A00, false}, Case{IMAGE_SIZE, false}}) {
        EXPECT_EQ(read.covers(c.offset), c.covered) << std::hex << c.offset;
    }
}

// The bytes a download always sets, whatever document and radio held there.
TEST(DownloadMergeTest, TheDownloadsFixedBytesAreSetInEveryMode) {
    const std::pair<std::size_t, std::uint8_t> fixed[] = {
        {0x00EA, 0x20}, {0x00EB, 0x00}, {0x00EE, 0x00}, {0x00FD, 0x00}, {0x0101, 0x00}};
    for (const int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE}) {
        RadioImage radio = makeSimulatorSeedImage();
        RadioImage document = radio;
        for (std::size_t offset = 0x00E8; offset <= 0x0101; ++offset) {
            radio.setByte(offset, 0x5A);
            document.setByte(offset, 0xA5);
        }
        merge(radio, document, CommJobContext{mode, {}, false, false});
        for (const auto& [offset, value] : fixed) {
            EXPECT_EQ(document.byteAt(offset), value) << std::hex << offset << " mode " << mode;
        }
        EXPECT_EQ(document.byteAt(0x00FE), 0xA5) << "the document's own after the cleared run";
        EXPECT_EQ(document.byteAt(0x0100), 0x5A) << "the radio's own";
    }
}

TEST(DownloadMergeTest, ManufactureModeKeepsTheDocumentsEditedIdentity) {
    RadioImage radio = makeSimulatorSeedImage();
    radio.setByte(0x0007, 0x7B); // not the mirror of 0x26E9, so the source of each byte shows
    radio.setByte(0x26E8, 0x0C);
    radio.setByte(0x26E9, 0x3B);
    RadioImage document = radio;
    document.setBe16(0x0000, 0x1111);
    document.setBe16(0x0002, 0x0C05);
    document.setBe16(0x0004, 0x2222);
    document.setByte(0x0006, 0x33);
    document.setByte(0x0007, 0x44);
    document.setByte(0x26E8, 0x4C);
    document.setByte(0x26E9, 0x25);
    document.setByte(0x26EB, static_cast<std::uint8_t>(radio.byteAt(0x26EB) + 1));

    struct Case {
        bool word1Edited;
        bool hardwareEdited;
        std::uint16_t word1;
        std::uint8_t byte0007;
        std::uint8_t byte26E8;
        std::uint8_t byte26E9;
    };
    const std::vector<Case> cases = {
        {false, false, 0x0C00, 0x7B, 0x0C, 0x3B},
        {true, false, 0x0C05, 0x7B, 0x0C, 0x3B},
        // Low 3 bits of the document's 0x26E9 (0x25), high 5 bits of the radio's own bytes.
        {false, true, 0x0C00, 0x7D, 0x4C, 0x3D},
        {true, true, 0x0C05, 0x7D, 0x4C, 0x3D},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.word1Edited << c.hardwareEdited);
        RadioImage merged = document;
        merge(radio, merged, {ACCESS_MANUFACTURE, {}, c.word1Edited, c.hardwareEdited});
        EXPECT_EQ(merged.be16(0x0000), radio.be16(0x0000));
        EXPECT_EQ(merged.be16(0x0002), c.word1);
        EXPECT_EQ(merged.be16(0x0004), radio.be16(0x0004));
        EXPECT_EQ(merged.byteAt(0x0006), radio.byteAt(0x0006));
        EXPECT_EQ(merged.byteAt(0x0007), c.byte0007);
        EXPECT_EQ(merged.byteAt(0x26E8), c.byte26E8);
        EXPECT_EQ(merged.byteAt(0x26E9), c.byte26E9);
        EXPECT_EQ(firstDifference(merged, document, 0x26EA, 0x273A - 0x26EA), "")
            << "the rest of the hardware block is the document's";
    }
    // The other modes take all four identity words.
    for (const int mode : {ACCESS_NORMAL, ACCESS_ADJUSTMENT, ACCESS_E_MODE}) {
        RadioImage merged = document;
        merge(radio, merged, {mode, {}, true, true});
        EXPECT_EQ(firstDifference(merged, radio, 0x0000, 8), "") << mode;
    }
}

TEST(DownloadMergeTest, ARadioWithoutDisplayLosesItsLetterKeys) {
    struct Case {
        int mode;
        int radioLcd;
        int documentLcd;
        bool cleared;
    };
    const std::vector<Case> cases = {
        {ACCESS_NORMAL, 0, 1, true},       {ACCESS_NORMAL, 1, 0, false},
        {ACCESS_MANUFACTURE, 0, 1, false}, {ACCESS_MANUFACTURE, 1, 0, true},
        {ACCESS_ADJUSTMENT, 1, 0, true},   {ACCESS_E_MODE, 0, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " radio " << c.radioLcd
                                        << " document " << c.documentLcd);
        RadioImage radio = makeSimulatorSeedImage();
        test::setHardwareValue(radio, HW_LCD_TYPE, c.radioLcd);
        RadioImage document = radio;
        test::setHardwareValue(document, HW_LCD_TYPE, c.documentLcd);
        for (const std::size_t offset : LETTER_KEY_OFFSETS) {
            document.setByte(offset, 5);
        }
        merge(radio, document, {c.mode, {}, false, false});
        for (const std::size_t offset : LETTER_KEY_OFFSETS) {
            EXPECT_EQ(document.byteAt(offset), c.cleared ? 0 : 5) << std::hex << offset;
        }
        if (c.mode == ACCESS_NORMAL) {
            EXPECT_EQ(lcdTypeOf(document), c.radioLcd);
        }
    }
}

// The radio's bytes right after the last allotted channel are taken only where the
// download read them; elsewhere the work buffer holds no radio data.
TEST(DownloadMergeTest, BytesAfterTheLastChannelComeOnlyFromPagesRead) {
    struct Case {
        int radioChannel;
        int allotted;
        bool fromRadio;
    };
    const std::vector<Case> cases = {
        {3, 16, true}, {2, 10, true}, {4, 32, false}, {5, 48, false}, {6, 200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.allotted);
        RadioImage radio = test::radioWithChannels(c.radioChannel);
        RadioImage document = radio;
        for (std::size_t offset = CHANNEL_TABLE_OFFSET; offset < 0x2315; ++offset) {
            document.setByte(offset, 0x00); // unused channels, nothing like the radio's
        }
        HChannelData channels;
        channels.extract(document);
        for (int group = 0; group < 16; ++group) {
            channels.groups().setCount(group, group == 0 ? c.allotted : 0);
        }
        channels.store(document);
        RadioImage merged = document;
        merge(radio, merged, {ACCESS_NORMAL, {}, false, false});

        const std::size_t start = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * c.allotted;
        const std::size_t length = 32 * ((start % 128) / 32 + 1);
        const RadioImage& expected = c.fromRadio ? radio : document;
        EXPECT_EQ(firstDifference(merged, expected, start, length), "");
        EXPECT_EQ(firstDifference(merged, document, start + length, 32), "");
    }
}

TEST(DownloadMergeTest, FrequenciesSurviveARadioWithOtherSynthesizerValues) {
    RadioImage radio = makeSimulatorSeedImage();
    RadioImage document = radio;
    HHardwareParams hardware;
    hardware.extract(radio);
    test::setHardwareValue(radio, HW_FIRST_IF, hardware.get(HW_FIRST_IF) + 50000);

    HChannelData before;
    before.extract(document);
    merge(radio, document, {ACCESS_NORMAL, {}, false, false});
    HChannelData after;
    after.extract(document);
    ASSERT_EQ(after.hardware().ifHz, hardware.get(HW_FIRST_IF) + 50000) << "the radio's IF";
    int compared = 0;
    for (int channel = 0; channel < before.capacity(); ++channel) {
        if (before.isInUse(channel)) {
            EXPECT_EQ(after.getValue(channel, rxFrequency), before.getValue(channel, rxFrequency))
                << channel;
            EXPECT_EQ(after.getValue(channel, txFrequency), before.getValue(channel, txFrequency))
                << channel;
            ++compared;
        }
    }
    EXPECT_GT(compared, 0);

    // With the same hardware a second merge changes nothing more.
    RadioImage again = document;
    merge(radio, again, {ACCESS_NORMAL, {}, false, false});
    EXPECT_EQ(again, document);
}

} // namespace
} // namespace kq70
