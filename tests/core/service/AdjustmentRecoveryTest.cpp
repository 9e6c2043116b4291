#include "service/AdjustmentRecovery.h"

#include "SimulatorSeed.h"
#include "align/HAdustmentBackUpParams.h"
#include "align/HShippingDefaultParams.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "image/RadioImage.h"
#include "link/HCommRequest.h"
#include "link/HKQ70CommunicationDialog.h"
#include "service/AdjustmentChecks.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kq70 {
namespace {

using test::firstDifference;
using test::ScriptedPrompt;

constexpr std::size_t EEPROM_BLOCK = 0x0102;
constexpr std::size_t EEPROM_LEVELS = 0x0164;
constexpr std::size_t EEPROM_SERIAL = 0x016C;
constexpr std::size_t FLASH_BLOCK = 0x2980;
constexpr std::size_t FLASH_LEVELS = 0x273A;
constexpr std::size_t FLASH_SERIAL = 0x29EE;
constexpr std::size_t BLOCK_SIZE = 95;

std::string text(int id) {
    return std::string(Strings::get(id));
}

void addToByte(RadioImage& image, std::size_t offset, int delta) {
    image.setByte(offset, static_cast<std::uint8_t>(image.byteAt(offset) + delta));
}

// A working copy that was aligned again after shipping: sound, but not the shipping default.
void realignWorkingCopy(RadioImage& image) {
    HAdustmentBackUpParams backup;
    backup.extract(image);
    backup.set(18, backup.get(18) + 3);
    backup.set(0, backup.get(0) ^ 0x05);
    backup.recomputeChecksum(image);
}

std::vector<std::uint8_t> bytes(const RadioImage& image, std::size_t offset, std::size_t count) {
    return {image.data() + offset, image.data() + offset + count};
}

std::size_t recordOffset(int channel) {
    return CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * static_cast<std::size_t>(channel);
}

class AdjustmentRecoveryTest : public ::testing::Test {
protected:
    bool recover(RadioImage& image) {
        AdjustmentRecovery recovery(prompt, home.path());
        return recovery.Recover(image, request, *spare);
    }

    std::string savedFile(const RadioImage& image) {
        ScriptedPrompt quiet;
        const std::string path = home.file("saved.k70");
        EXPECT_TRUE(WriteDataFile(path, image, quiet));
        return path;
    }

    void expectNothingToWrite() const {
        EXPECT_TRUE(request.m_eepromWrite.empty());
        EXPECT_TRUE(request.m_flashWrite.empty());
    }

    test::TempFolder home;
    ScriptedPrompt prompt;
    HCommRequest request{JOB_RECOVERY_WRITE};
    std::unique_ptr<RadioImage> spare = std::make_unique<RadioImage>();
    const RadioImage radio = makeSimulatorSeedImage();
};

TEST_F(AdjustmentRecoveryTest, BothCopiesDamagedAsksNothingAndWritesNothing) {
    RadioImage image = radio;
    damageAdjustmentData(image, AdjustmentDamage::Both);
    const RadioImage before = image;
    prompt.expectMessage(text(IDS_ADJ_DATA_DEFECTED), MessageAnswer::Ok, MessageIcon::Exclamation,
                         MessageButtons::Ok);

    EXPECT_FALSE(recover(image));
    EXPECT_EQ(image, before);
    expectNothingToWrite();
}

TEST_F(AdjustmentRecoveryTest, BothSoundSetsTheWorkingCopyBackToTheShippingDefault) {
    RadioImage image = radio;
    realignWorkingCopy(image);
    const RadioImage before = image;
    prompt.expectMessage(text(IDS_RECOVER_TO_SHIPPING_DEFAULT), MessageAnswer::Yes,
                         MessageIcon::Question, MessageButtons::YesNo);

    ASSERT_TRUE(recover(image));
    EXPECT_EQ(firstDifference(image, radio, FLASH_BLOCK, BLOCK_SIZE + 2), "");
    EXPECT_EQ(firstDifference(image, radio, FLASH_LEVELS, 8), "");
    EXPECT_EQ(firstDifference(image, before, 0, FLASH_LEVELS), "");
    EXPECT_EQ(firstDifference(image, before, FLASH_LEVELS + 8, FLASH_BLOCK - FLASH_LEVELS - 8), "");
    EXPECT_EQ(AdjustmentChecks::ReliabilityTest(image), AdjustmentChecks::BOTH_RIGHT);
    EXPECT_TRUE(request.m_eepromWrite.empty());
    EXPECT_EQ(request.m_flashWrite,
              (RangeList{{0x00, 0x01}, {0x02, FLASH_LAST_END_OF_CHANNELS}, {73, 79}}));
}

TEST_F(AdjustmentRecoveryTest, FlashSoundRebuildsTheEepromPartFromIt) {
    struct Case {
        const char* name;
        std::function<void(RadioImage&)> damage;
        std::uint16_t expectedHardwareWord; // 0 for the flash's 0x26E8–0x26E9
    };
    const Case cases[] = {
        {"block", [](RadioImage& i) { damageAdjustmentData(i, AdjustmentDamage::Eeprom); }, 0},
        {"erased hardware word", [](RadioImage& i) { i.setBe16(0x0006, 0xFFFF); }, 0},
        {"cleared hardware word", [](RadioImage& i) { i.setBe16(0x0006, 0x0000); }, 0},
        // A hardware word that holds data is the radio's own and stays.
        {"product code and a foreign word",
         [](RadioImage& i) {
             i.setBe16(0x0004, 0xC065);
             i.setBe16(0x0006, 0x1C31);
         },
         0x1C31},
        {"erased EEPROM copy and serial",
         [](RadioImage& i) {
             for (std::size_t o = EEPROM_BLOCK; o < 0x0170; ++o) {
                 i.setByte(o, 0xFF);
             }
             i.setByte(0x0002, 0xFF);
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage image = radio;
        realignWorkingCopy(image); // the EEPROM copy must take the flash's, not stay as it was
        c.damage(image);
        image.setByte(0x0101, 0x77);
        const RadioImage before = image;
        request.m_eepromWrite.clear();
        prompt.expectMessage(text(IDS_RECOVER_FROM_ADJ_DATA), MessageAnswer::Yes,
                             MessageIcon::Question, MessageButtons::YesNo);

        ASSERT_TRUE(recover(image));
        EXPECT_EQ(AdjustmentChecks::ReliabilityTest(image), AdjustmentChecks::BOTH_RIGHT);
        EXPECT_EQ(bytes(image, EEPROM_BLOCK, BLOCK_SIZE), bytes(image, FLASH_BLOCK, BLOCK_SIZE));
        EXPECT_EQ(bytes(image, EEPROM_LEVELS, 8), bytes(image, FLASH_LEVELS, 8));
        EXPECT_EQ(bytes(image, EEPROM_SERIAL, 4), bytes(image, FLASH_SERIAL, 4));
        EXPECT_EQ(image.be16(0x0006),
                  c.expectedHardwareWord != 0 ? c.expectedHardwareWord : image.be16(0x26E8));
        EXPECT_EQ(image.be16(0x0002), image.be16(0x29E8));
        EXPECT_EQ(image.be16(0x0004), 0xC083);
        EXPECT_EQ(image.byteAt(0x0101), 0x00);
        EXPECT_EQ(firstDifference(image, before, FLASH_OFFSET, IMAGE_SIZE - FLASH_OFFSET), "");
        EXPECT_EQ(request.m_eepromWrite, (RangeList{{0, 255}}));
        EXPECT_TRUE(request.m_flashWrite.empty());
    }
}

// The EEPROM-sound path: a saved file of the radio gives the flash part.
class EepromRightTest : public AdjustmentRecoveryTest {
protected:
    EepromRightTest() {
        damageAdjustmentData(damaged, AdjustmentDamage::Flash);
        // The radio lost more of its flash than the block: a channel record is garbage.
        damaged.setByte(recordOffset(3) + 5, 0xEE);
    }

    // The radio as saved before its flash was damaged: channels 1–16 programmed, a gap,
    // and channel 21 programmed after it; the records between hold leftovers.
    RadioImage savedRadio() const {
        RadioImage file = radio;
        for (int channel = 16; channel < 20; ++channel) {
            for (std::size_t i = 0; i < CHANNEL_RECORD_SIZE; ++i) {
                file.setByte(recordOffset(channel) + i, static_cast<std::uint8_t>(0x31 + i));
            }
            file.setByte(recordOffset(channel), 0x21); // not in use
        }
        for (std::size_t i = 0; i < CHANNEL_RECORD_SIZE; ++i) {
            file.setByte(recordOffset(20) + i, static_cast<std::uint8_t>(0x80 | (i * 7)));
        }
        return file;
    }

    RadioImage damaged = radio;
};

TEST_F(EepromRightTest, ASavedFileOfTheRadioRepairsTheFlashPart) {
    struct Case {
        const char* name;
        std::uint8_t optionSource; // shipping-default byte 0x137
        std::uint8_t expectedOptionBit;
    };
    for (const Case c : {Case{"option byte set", 0x12, 0x04}, Case{"option byte clear", 0, 0}}) {
        SCOPED_TRACE(c.name);
        RadioImage image = damaged;
        image.setByte(0x0137, c.optionSource);
        HShippingDefaultParams shipping; // the EEPROM copy stays sound
        shipping.extract(image);
        shipping.recomputeChecksum(image);
        image.setByte(0x0007, static_cast<std::uint8_t>((image.byteAt(0x0007) & 0xF8) | 0x05));
        const RadioImage radioBefore = image;
        RadioImage file = savedRadio();
        file.setByte(0x26E9, static_cast<std::uint8_t>(file.byteAt(0x26E9) & 0xF8));
        file.setByte(0x26EA, static_cast<std::uint8_t>((file.byteAt(0x26EA) & ~0x04) |
                                                       (c.expectedOptionBit ^ 0x04)));
        const std::string path = savedFile(file);
        request.m_flashWrite.clear();
        prompt.expectMessage(text(IDS_LOAD_SAVED_DATA_FILE), MessageAnswer::Yes,
                             MessageIcon::Question, MessageButtons::YesNo);
        prompt.expectOpenFile(path);

        ASSERT_TRUE(recover(image));
        EXPECT_EQ(prompt.asked().back().text, text::DATA_FILE_FILTER);
        EXPECT_EQ(AdjustmentChecks::ReliabilityTest(image), AdjustmentChecks::BOTH_RIGHT);
        // The radio's EEPROM part as it was; the flash block is its shipping copy.
        EXPECT_EQ(firstDifference(image, radioBefore, 0, EEPROM_SIZE), "");
        EXPECT_EQ(bytes(image, FLASH_BLOCK, BLOCK_SIZE), bytes(image, EEPROM_BLOCK, BLOCK_SIZE));
        // Programmed channels come from the file, the one after the gap too; empty records
        // after the first gap are the band's defaults.
        RadioImage defaults;
        BuildDefaultImage(frequencyBandOf(radio), defaults);
        EXPECT_EQ(firstDifference(image, file, recordOffset(0), 16 * CHANNEL_RECORD_SIZE), "");
        EXPECT_EQ(firstDifference(image, defaults, recordOffset(16), 4 * CHANNEL_RECORD_SIZE), "");
        EXPECT_EQ(firstDifference(image, file, recordOffset(20), CHANNEL_RECORD_SIZE), "");
        EXPECT_EQ(firstDifference(image, defaults, recordOffset(21), 235 * CHANNEL_RECORD_SIZE),
                  "");
        EXPECT_EQ(image.byteAt(0x26E9) & 0x07, 0x05);
        EXPECT_EQ(image.byteAt(0x26EA) & 0x04, c.expectedOptionBit);
        EXPECT_EQ(request.m_flashWrite, (RangeList{{0, 79}}));
        EXPECT_TRUE(request.m_eepromWrite.empty());
    }
}

TEST_F(EepromRightTest, ARefusedFileOrAnswerStopsWithNothingToWrite) {
    struct Case {
        const char* name;
        std::function<void(RadioImage&)> changeFile;
        bool answerYes;
        bool chooseFile;
        std::vector<std::string> messages; // after the question and the file dialog
        bool badSize = false;
    };
    const std::string ng = text(IDS_LOT_NUMBER_NG);
    const Case cases[] = {
        {"answered No", {}, false, false, {}},
        {"file dialog cancelled", {}, true, false, {}},
        {"another band",
         [](RadioImage& f) { f.setByte(0x26E8, 0x04); },
         true,
         true,
         {text(IDS_HARDWARE_DATA_MISMATCHED)}},
        // The file's own flash copy fails too: no question is asked about its lot.
        {"file damaged too", [](RadioImage& f) { addToByte(f, 0x2990, 1); }, true, true, {}},
        {"another radio's file", [](RadioImage& f) { f.setByte(0x29EF, 0x36); }, true, true, {ng}},
        {"wrong size", {}, true, true, {""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage image = damaged;
        const RadioImage before = image;
        RadioImage file = savedRadio();
        if (c.changeFile) {
            c.changeFile(file);
        }
        std::string path = savedFile(file);
        if (c.badSize) {
            test::TempFolder::writeBytes(path, std::vector<std::uint8_t>(10786, 0));
        }
        prompt.expectMessage(text(IDS_LOAD_SAVED_DATA_FILE),
                             c.answerYes ? MessageAnswer::Yes : MessageAnswer::No);
        if (c.answerYes) {
            prompt.expectOpenFile(c.chooseFile ? std::optional(path) : std::nullopt);
        }
        for (const std::string& message : c.messages) {
            prompt.expectMessage(message);
        }
        prompt.expectMessage(text(IDS_STOP_ADJ_RECOVERY));

        EXPECT_FALSE(recover(image));
        EXPECT_EQ(image, before);
        expectNothingToWrite();
    }
}

} // namespace
} // namespace kq70
