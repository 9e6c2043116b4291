#include "frame/AdjustmentRecoverCommand.h"

#include "align/HAdustmentBackUpParams.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "core/link/DialogJobs.h"
#include "link/CancelFlag.h"
#include "service/AdjustmentChecks.h"
#include "support/CancellingProgress.h"
#include "support/CompletionMarker.h"
#include "support/DataFiles.h"
#include "support/FrameFixtures.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <string>

namespace kq70 {
namespace {

using namespace test;

using Outcome = AdjustmentRecoverCommand::Outcome;

constexpr std::size_t FLASH_BLOCK = 0x2980;
constexpr std::size_t BLOCK_SIZE = 95;

std::string text(int id) {
    return std::string(Strings::get(id));
}

// Answers as scripted, and asks the jobs to stop when it answers `stopAt`.
class StoppingPrompt : public ScriptedPrompt {
public:
    StoppingPrompt(CancelFlag& flag, std::string stopAt)
        : m_flag(flag), m_stopAt(std::move(stopAt)) {}
    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override {
        if (text == m_stopAt) {
            m_flag.request();
        }
        return ScriptedPrompt::messageBox(text, caption, buttons, icon);
    }

private:
    CancelFlag& m_flag;
    std::string m_stopAt;
};

class AdjustmentRecoverCommandTest : public ::testing::Test, protected SimulatedRadioLink {
protected:
    AdjustmentRecoverCommandTest() { settings.portName = "/dev/ttyUSB0"; }

    std::optional<AdjustmentRecoverCommand::Result> recover(const RadioImage& memory,
                                                            UserPrompt& answers,
                                                            const CancelFlag* cancel = nullptr,
                                                            CommProgress* shown = nullptr) {
        sim.radio.memory() = memory;
        sim.radio.switchOn(sim.clock.now());
        AdjustmentRecoverCommand command(
            settings, accessMode, home.path(), answers, listener,
            RadioLink{sim.link, sim.clock, lastKind, shown != nullptr ? *shown : progress});
        command.SetCancelFlag(cancel);
        return command.OnRadioAdjustmentRecover();
    }

    std::size_t writeFrames() const { return countFrames(sim.radio, isWrite); }
    std::size_t resetFrames() const { return countFrames(sim.radio, isReset); }

    test::TempFolder home;
    AppSettings settings;
    AccessMode accessMode{ACCESS_MANUFACTURE};
    SaveCounter listener;
    const RadioImage sound = test::radioWithChannels(3);
};

TEST_F(AdjustmentRecoverCommandTest, ADamagedFlashCopyIsRepairedFromTheEepromCopy) {
    // The dealer's saved upload of the radio from before the fault.
    const std::string path = writeDataFile(home.file("saved.k70"), sound);
    RadioImage damaged = sound;
    damageAdjustmentData(damaged, AdjustmentDamage::Flash);
    ScriptedPrompt answers;
    answers.expectMessage(text(IDS_LOAD_SAVED_DATA_FILE), MessageAnswer::Yes);
    answers.expectOpenFile(path);
    answers.expectMessage(std::string(text::ADJ_RECOVERY_COMPLETE), MessageAnswer::Ok,
                          MessageIcon::Information);

    const auto result = recover(damaged, answers);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->outcome, Outcome::Repaired);
    const RadioImage& radio = sim.radio.memory();
    EXPECT_EQ(AdjustmentChecks::ReliabilityTest(radio), AdjustmentChecks::BOTH_RIGHT);
    EXPECT_EQ(firstDifference(radio, sound, FLASH_BLOCK, BLOCK_SIZE + 2), "");
}

TEST_F(AdjustmentRecoverCommandTest, ARadioWithBothCopiesSoundKeepsItsWholeChannelTable) {
    // A 256-channel radio: the read must take every channel page, or the write would put
    // zeros where the channels were.
    RadioImage radio256 = test::radioWithChannels(6);
    HAdustmentBackUpParams backup;
    backup.extract(radio256);
    backup.set(18, backup.get(18) + 2);
    backup.recomputeChecksum(radio256);
    ScriptedPrompt answers;
    answers.expectMessage(text(IDS_RECOVER_TO_SHIPPING_DEFAULT), MessageAnswer::Yes);
    answers.expectMessage(std::string(text::ADJ_RECOVERY_COMPLETE));

    const auto result = recover(radio256, answers);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->outcome, Outcome::Repaired);
    const RadioImage& radio = sim.radio.memory();
    EXPECT_EQ(firstDifference(radio, radio256, CHANNEL_TABLE_OFFSET, 256 * CHANNEL_RECORD_SIZE),
              "");
}

// The decline paths themselves are the recovery's; here, that the command ends them unwritten.
TEST_F(AdjustmentRecoverCommandTest, NothingIsWrittenWhenNoPathRepairs) {
    RadioImage memory = sound;
    damageAdjustmentData(memory, AdjustmentDamage::Both);
    ScriptedPrompt answers;
    answers.expectMessage(text(IDS_ADJ_DATA_DEFECTED), MessageAnswer::No);

    const auto result = recover(memory, answers);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->outcome, Outcome::NotRepaired);
    EXPECT_EQ(sim.radio.memory(), memory);
    EXPECT_EQ(writeFrames(), 0u);
}

TEST_F(AdjustmentRecoverCommandTest, AFailedReadEndsTheCommandWithoutAQuestion) {
    // A radio that reports another model is never written, whatever its copies hold.
    RadioImage other = sound;
    other.setBe16(0x0004, 0xC065);
    ScriptedPrompt answers;
    answers.expectMessage(std::string(text::HARDWARE_TYPE_MISMATCHED), MessageAnswer::Ok,
                          MessageIcon::Stop);

    const auto result = recover(other, answers);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->outcome, Outcome::Failed);
    EXPECT_EQ(result->status, 1);
    EXPECT_EQ(writeFrames(), 0u);
}

// Cancel or a signal stops the command at every point, and the radio is always reset: a
// stopped read asks nothing and writes nothing, a stop at the repair question writes nothing,
// a stop during the write leaves the radio marked incomplete and says it must be written
// again. Never "Complete!".
TEST_F(AdjustmentRecoverCommandTest, CancelStopsItWhereverItComes) {
    constexpr int AT_QUESTION = 9; // a phase the bar never reaches: the prompt stops it
    struct Case {
        const char* name;
        int phase; // of the progress bar: 0 the read, 1 the write, 2 the read-back
        int position;
        std::string_view result;
        bool written;
        Outcome outcome;
    };
    const Case cases[] = {
        {"while the radio is read", 0, 3, text::RECOVERY_CANCELLED, false, Outcome::Failed},
        {"at the repair question", AT_QUESTION, 0, text::RECOVERY_CANCELLED, false,
         Outcome::NotRepaired},
        {"while the repair is written", 1, 2, text::RECOVERY_CANCELLED_PARTLY_WRITTEN, true,
         Outcome::Failed},
        {"while it is read back", 2, 1, text::RECOVERY_CANCELLED_PARTLY_WRITTEN, true,
         Outcome::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage damaged = sound;
        damageAdjustmentData(damaged, AdjustmentDamage::Eeprom);
        CancelFlag flag;
        test::CancellingProgress shown(flag, c.phase, c.position);
        StoppingPrompt answers(flag, c.phase == AT_QUESTION ? text(IDS_RECOVER_FROM_ADJ_DATA) : "");
        if (c.phase != 0) {
            answers.expectMessage(text(IDS_RECOVER_FROM_ADJ_DATA), MessageAnswer::Yes);
        }
        answers.expectMessage(std::string(c.result), MessageAnswer::Ok, MessageIcon::Stop);
        const std::size_t writesBefore = writeFrames();
        const std::size_t resetsBefore = resetFrames();

        const auto result = recover(damaged, answers, &flag, &shown);

        ASSERT_TRUE(result);
        EXPECT_EQ(result->outcome, c.outcome);
        EXPECT_EQ(resetFrames(), resetsBefore + 1);
        EXPECT_EQ(writeFrames() > writesBefore, c.written);
        if (c.written) {
            EXPECT_EQ(sim.radio.memory().be16(eepromWordOffset(MARKER_WORD)), MARKER_IN_PROGRESS);
        } else {
            EXPECT_EQ(sim.radio.memory(), damaged);
        }
    }
}

TEST_F(AdjustmentRecoverCommandTest, OfferedInTheManufactureModeOnly) {
    for (const int mode : {ACCESS_NORMAL, ACCESS_ADJUSTMENT, ACCESS_E_MODE}) {
        accessMode.set(mode);
        ScriptedPrompt answers;
        EXPECT_FALSE(recover(sound, answers)) << mode;
    }
    EXPECT_EQ(sim.link.openCount(), 0);
}

} // namespace
} // namespace kq70
