#include "service/AdjustmentChecks.h"

#include "SimulatorSeed.h"
#include "image/RadioImage.h"
#include "log/HLogPrint.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kq70 {
namespace {

// Channel 0 of the log into a file of its own while the object lives.
class LogCapture {
public:
    LogCapture()
        : m_log(HLogPrint::global()), m_oldLevel(m_log.level(0)), m_oldPath(m_log.path(0)) {
        m_log.enableChannel(0, LOG_D1, m_folder.file("checks.log"));
    }
    ~LogCapture() { m_log.enableChannel(0, m_oldLevel, m_oldPath); }

    std::string text() const { return test::TempFolder::readText(m_folder.file("checks.log")); }

private:
    test::TempFolder m_folder;
    HLogPrint& m_log;
    int m_oldLevel;
    std::string m_oldPath;
};

void addToByte(RadioImage& image, std::size_t offset, int delta) {
    image.setByte(offset, static_cast<std::uint8_t>(image.byteAt(offset) + delta));
}

TEST(AdjustmentChecksTest, EachSingleFaultFailsItsCopyWithItsLogLine) {
    struct Case {
        const char* name;
        std::function<void(RadioImage&)> damage;
        int expected;
        const char* logLine;
    };
    const Case cases[] = {
        {"EEPROM block byte", [](RadioImage& i) { addToByte(i, 0x0120, 1); },
         AdjustmentChecks::FLASH_RIGHT, "Eeprom CheckSum Error"},
        {"EEPROM checksum", [](RadioImage& i) { addToByte(i, 0x0163, 1); },
         AdjustmentChecks::FLASH_RIGHT, "Eeprom CheckSum Error"},
        // 0xFFxx can never be a sum of 95 bytes: an erased checksum is an error by itself.
        {"EEPROM checksum erased", [](RadioImage& i) { i.setBe16(0x0162, 0xFFFF); },
         AdjustmentChecks::FLASH_RIGHT, "Eeprom CheckSum Error"},
        {"EEPROM word 0x006 of 0000", [](RadioImage& i) { i.setBe16(0x0006, 0x0000); },
         AdjustmentChecks::FLASH_RIGHT, "Eeprom Data Error ADDR:$03=0000"},
        {"EEPROM word 0x006 of FFFF", [](RadioImage& i) { i.setBe16(0x0006, 0xFFFF); },
         AdjustmentChecks::FLASH_RIGHT, "Eeprom Data Error ADDR:$03=FFFF"},
        {"EEPROM product code", [](RadioImage& i) { i.setBe16(0x0004, 0xC065); },
         AdjustmentChecks::FLASH_RIGHT, "Eeprom Product Code Error ADDR:$02=C065"},
        {"EEPROM production code", [](RadioImage& i) { i.setByte(0x0002, 0x0D); },
         AdjustmentChecks::FLASH_RIGHT, "Eeprom Production Code Error ADDR:$01H=0D"},
        {"flash block byte", [](RadioImage& i) { addToByte(i, 0x29A0, -1); },
         AdjustmentChecks::EEPROM_RIGHT, "Flash CheckSum Error"},
        {"flash checksum", [](RadioImage& i) { addToByte(i, 0x29E0, 1); },
         AdjustmentChecks::EEPROM_RIGHT, "Flash CheckSum Error"},
        {"flash product code", [](RadioImage& i) { i.setBe16(0x29EA, 0xC065); },
         AdjustmentChecks::EEPROM_RIGHT, "Flash Product Code Error ADDR:$F7EA=C065"},
        {"flash production code", [](RadioImage& i) { i.setByte(0x29E8, 0x00); },
         AdjustmentChecks::EEPROM_RIGHT, "Flash Production Code Error ADDR:$F7E8=00"},
        {"flash band byte erased", [](RadioImage& i) { i.setByte(0x26E8, 0xFF); },
         AdjustmentChecks::EEPROM_RIGHT, "Flash Hardware Data Error ADDR:$F4E8=FF"},
        {"flash hardware mark", [](RadioImage& i) { i.setByte(0x26ED, 0x00); },
         AdjustmentChecks::EEPROM_RIGHT, "Flash Hardware Data Error ADDR:$F4ED=00"},
        {"both blocks", [](RadioImage& i) { addToByte(i, 0x0120, 1), addToByte(i, 0x29A0, 1); },
         AdjustmentChecks::BOTH_WRONG, "ReliabilityTest Result = Both Wrong"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage image = makeSimulatorSeedImage();
        c.damage(image);
        LogCapture log;
        EXPECT_EQ(AdjustmentChecks::ReliabilityTest(image), c.expected);
        EXPECT_NE(log.text().find(std::string(c.logLine) + " "), std::string::npos) << log.text();
    }
}

TEST(AdjustmentChecksTest, AnErasedBandByteAndAWrongHardwareMarkAreBothLogged) {
    // The erased band byte alone, with the mark set, is a case of the table above.
    RadioImage image = makeSimulatorSeedImage();
    image.setByte(0x26E8, 0xFF);
    image.setByte(0x26ED, 0x7F);
    LogCapture log;
    EXPECT_FALSE(AdjustmentChecks::FlashCheck(image));
    EXPECT_NE(log.text().find("ADDR:$F4E8=FF"), std::string::npos);
    EXPECT_NE(log.text().find("ADDR:$F4ED=7F"), std::string::npos);
}

TEST(AdjustmentChecksTest, LotNumbersAreCompared) {
    struct Case {
        const char* name;
        std::uint8_t eepromDate, eepromLot, flashDate, flashLot;
        bool asks;            // the Yes/No question
        bool refuses;         // "Lot Number NG!" alone
        MessageAnswer answer; // to the question
        bool expected;
    };
    const Case cases[] = {
        {"same date and lot", 0x45, 0x25, 0x45, 0x25, false, false, MessageAnswer::Yes, true},
        {"lots 25 and 35", 0x45, 0x25, 0x45, 0x35, true, false, MessageAnswer::Yes, true},
        {"lots 25 and 35, No", 0x45, 0x25, 0x45, 0x35, true, false, MessageAnswer::No, false},
        {"lots 35 and 25", 0x45, 0x35, 0x45, 0x25, true, false, MessageAnswer::Yes, true},
        {"lots 25 and 36", 0x45, 0x25, 0x45, 0x36, false, true, MessageAnswer::Yes, false},
        {"lots 36 and 25", 0x45, 0x36, 0x45, 0x25, false, true, MessageAnswer::Yes, false},
        {"equal lots, other date", 0x45, 0x25, 0x46, 0x25, true, false, MessageAnswer::Yes, true},
        // BCD, not binary: 0x19 and 0x20 are lots 19 and 20.
        {"lots 19 and 20", 0x45, 0x19, 0x45, 0x20, true, false, MessageAnswer::Yes, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage image = makeSimulatorSeedImage();
        image.setByte(0x016C, c.eepromDate);
        image.setByte(0x016D, c.eepromLot);
        image.setByte(0x29EE, c.flashDate);
        image.setByte(0x29EF, c.flashLot);
        test::ScriptedPrompt prompt;
        if (c.asks) {
            prompt.expectMessage(std::string(Strings::get(IDS_LOT_NUMBER_NG_CONTINUE)), c.answer,
                                 MessageIcon::Exclamation, MessageButtons::YesNo);
        }
        if (c.refuses) {
            prompt.expectMessage(std::string(Strings::get(IDS_LOT_NUMBER_NG)), MessageAnswer::Ok,
                                 MessageIcon::Stop, MessageButtons::Ok);
        }
        EXPECT_EQ(AdjustmentChecks::SerialNumberCheck(image, prompt), c.expected);
    }
}

TEST(AdjustmentChecksTest, ASavedFileMustBeOfTheRadiosBandAndRadioChannelValue) {
    struct Case {
        const char* name;
        std::uint8_t fileBandByte;  // 0x26E8
        std::uint8_t fileModelByte; // 0x26E9
        bool expected;
    };
    const RadioImage radio = makeSimulatorSeedImage();
    const std::uint8_t band = radio.byteAt(0x0006);
    const std::uint8_t model = radio.byteAt(0x0007);
    const Case cases[] = {
        {"same", band, model, true},
        {"other bits of both bytes differ", static_cast<std::uint8_t>(band ^ 0xF0),
         static_cast<std::uint8_t>(model ^ 0x8F), true},
        {"another band", static_cast<std::uint8_t>((band & 0xF0) | 0x04), model, false},
        {"another Radio Channel value", band, static_cast<std::uint8_t>(model ^ 0x40), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage file = makeSimulatorSeedImage();
        file.setByte(0x26E8, c.fileBandByte);
        file.setByte(0x26E9, c.fileModelByte);
        test::ScriptedPrompt prompt;
        if (!c.expected) {
            prompt.expectMessage(std::string(Strings::get(IDS_HARDWARE_DATA_MISMATCHED)));
        }
        EXPECT_EQ(AdjustmentChecks::FileCheckOnRecovery(radio, file, prompt), c.expected);
    }
}

} // namespace
} // namespace kq70
