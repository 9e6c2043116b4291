#include "service/BasicAlignment.h"

#include "align/HAdustmentBackUpParams.h"
#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "core/link/DialogJobs.h"
#include "doc/DataFile.h"
#include "link/CancelFlag.h"
#include "service/HBasicAlignment.h"
#include "service/HRxTune.h"
#include "service/HVcoAlignAuto.h"
#include "support/CancellingProgress.h"
#include "support/CliRun.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

namespace kq70 {
namespace {

using namespace test;

// The VCO items 86-91 and the receive tune items 13-15 that the automatic procedures align.
template <typename Items> std::array<int, 9> alignedItems(const Items& items) {
    std::array<int, 9> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = items.get(i < 6 ? 86 + i : 13 + i - 6);
    }
    return values;
}

// Every point of an automatic procedure, then OK.
template <typename Procedure> bool completes(Procedure& procedure, int points) {
    for (int point = 0; point < points; ++point) {
        if (!procedure.Start()) {
            return false;
        }
    }
    return procedure.Ok();
}

class BasicAlignmentTest : public ::testing::Test {
protected:
    BasicAlignmentTest() {
        sim.adjustment.setNoiseAmplitude(0);
        sim.radio.setRestartDelay(std::chrono::milliseconds(1000));
        sim.radio.switchOn(sim.clock.now());
    }

    std::unique_ptr<BasicAlignment>
    makePass(CommProgress& stops, int accessMode = ACCESS_ADJUSTMENT, bool builtIn = true) {
        return std::make_unique<BasicAlignment>(
            *document, AlignmentLine{sim.link, sim.clock, lastKind, stops},
            AlignmentPortSettings{0, 9600, 1, ""},
            CommJobContext{accessMode, home.path(), false, false, true, builtIn}, prompt);
    }

    BasicAlignment::Outcome run(const BasicAlignment::WindowRunner& window,
                                int accessMode = ACCESS_ADJUSTMENT, bool builtIn = true) {
        const auto pass = makePass(progress, accessMode, builtIn);
        const auto outcome = pass->Run(window);
        status = pass->PreparationStatus();
        return outcome;
    }

    InProcessRadio sim;
    LastPortKind lastKind;
    test::RecordingProgress progress;
    test::ScriptedPrompt prompt;
    test::TempFolder home;
    std::unique_ptr<RadioImage> document = std::make_unique<RadioImage>(unlikeAnyRadio());
    std::unique_ptr<RadioImage> documentBefore = std::make_unique<RadioImage>(*document);
    std::unique_ptr<RadioImage> radioBefore = std::make_unique<RadioImage>(sim.radio.memory());
    int status = -1;
};

TEST_F(BasicAlignmentTest, APassKeepsTheRadiosProgrammingAndTakesTheNewAdjustmentItems) {
    prompt.expectMessage(std::string(text::ALIGNMENT_FINISHED));
    std::array<int, 9> results{};
    const auto outcome = run([&results](HBasicAlignment& window) {
        EXPECT_TRUE(window.ChangeChannel(1));
        for (const int direction : {VCO_RX, VCO_TX}) {
            EXPECT_TRUE(completes(*window.MakeVcoAuto(direction), VCO_POINT_COUNT));
            window.AfterOk();
        }
        EXPECT_TRUE(completes(*window.MakeRxTune(), HRxTune::POINTS));
        window.AfterOk();
        results = alignedItems(window.Context().set);
        return true;
    });
    ASSERT_EQ(outcome, BasicAlignment::Outcome::Aligned);
    EXPECT_EQ(status, 0);
    // What the simulated radio's VCO and tune model give without noise.
    EXPECT_EQ(results, (std::array<int, 9>{85, 105, 125, 95, 115, 135, 62, 110, 160}));

    const RadioImage& radio = sim.radio.memory();
    HAdustmentBackUpParams items;
    ASSERT_TRUE(items.verifyChecksum(radio));
    EXPECT_EQ(alignedItems(items), results);
    // The radio's former channels and groups stored over the new data change nothing: the
    // programming is the radio's own again and the records' alignment bytes follow the new
    // items, which moved them.
    auto former = std::make_unique<HChannelData>();
    former->extract(*radioBefore);
    auto rebuilt = std::make_unique<RadioImage>(radio);
    former->store(*rebuilt);
    EXPECT_EQ(firstDifference(*rebuilt, radio, 0, CHANNEL_TABLE_OFFSET + 32 * 16), "");
    EXPECT_EQ(firstDifference(*rebuilt, radio, CHANNEL_ALIGNMENT_OFFSET, 2 * 16), "");
    EXPECT_NE(firstDifference(radio, *radioBefore, CHANNEL_TABLE_OFFSET, 32 * 16), "");
    EXPECT_EQ(firstDifference(radio, *radioBefore, HARDWARE_BLOCK_OFFSET, 0x273A - 0x26E8), "");
    EXPECT_EQ(firstDifference(radio, *radioBefore, 0, FLASH_OFFSET), "");
    EXPECT_EQ(firstDifference(radio, *radioBefore, CHANNEL_TABLE_OFFSET + 32 * 16, 32 * 240), "");
    EXPECT_EQ(firstDifference(*document, *documentBefore, 0, IMAGE_SIZE), "");
}

TEST_F(BasicAlignmentTest, WithTheBackupRecoveryTheWriteBackGoesBetweenTheMarkers) {
    prompt.expectMessage(std::string(text::ALIGNMENT_FINISHED));
    const auto pass = makePass(progress);
    pass->SetRecoverBackup(true);
    ASSERT_EQ(pass->Run([](HBasicAlignment&) { return true; }), BasicAlignment::Outcome::Aligned);
    EXPECT_EQ(markerWrites(sim.radio), (std::vector<std::uint16_t>{0xFFFF, 0x5AA5}));
}

TEST_F(BasicAlignmentTest, BothJobsAndTheRestartWaitRunThroughTheExecutorTheWindowDoesNot) {
    prompt.expectMessage(std::string(text::ALIGNMENT_FINISHED));
    std::vector<std::string> steps;
    const auto pass = makePass(progress);
    pass->SetJobExecutor([&steps](const std::function<int()>& job) {
        steps.push_back("job");
        const int result = job();
        steps.push_back(strprintf("status %d", result));
        return result;
    });
    const auto outcome = pass->Run([&steps](HBasicAlignment&) {
        steps.push_back("window");
        return true;
    });
    EXPECT_EQ(outcome, BasicAlignment::Outcome::Aligned);
    // Job 2, the wait for the radio's restart, the window, job 3.
    EXPECT_EQ(steps, (std::vector<std::string>{"job", "status 0", "job", "status 0", "window",
                                               "job", "status 0"}));
}

// Leaving the window without OK asks first once a procedure ended with OK; the former data
// goes back and the end says so.
TEST_F(BasicAlignmentTest, ACancelledWindowWritesTheFormerDataBack) {
    const std::string discard(text::ALIGNMENT_DISCARD_QUESTION);
    prompt.expectMessage(discard, MessageAnswer::No, MessageIcon::Question, MessageButtons::YesNo)
        .expectMessage(discard, MessageAnswer::Yes)
        .expectMessage(std::string(text::ALIGNMENT_FORMER_RESTORED));
    const auto outcome = run([](HBasicAlignment& window) {
        EXPECT_TRUE(window.ConfirmDiscard()) << "nothing new: nothing asked";
        auto vco = window.MakeVcoAuto(VCO_RX);
        EXPECT_TRUE(vco->Start());
        window.AfterOk();
        EXPECT_TRUE(window.HasNewValues());
        EXPECT_FALSE(window.ConfirmDiscard());
        EXPECT_TRUE(window.ConfirmDiscard());
        return false;
    });
    EXPECT_EQ(outcome, BasicAlignment::Outcome::FormerRestored);
    EXPECT_EQ(firstDifference(sim.radio.memory(), *radioBefore, 0, IMAGE_SIZE), "");
}

TEST_F(BasicAlignmentTest, AFailureAfterTheFirstWriteWritesTheFormerDataBack) {
    // A pass that ends at once shows where the first write of the alignment start falls.
    prompt.expectMessage({});
    run([](HBasicAlignment&) { return false; });
    const auto requests = requestsOf(sim.radio);
    const auto firstWrite = std::find_if(requests.begin(), requests.end(),
                                         [](const Request& r) { return r[0] == CMD_FLASH_WRITE; });
    ASSERT_NE(firstWrite, requests.end());
    // The same pass again: the exchange four frames after its first write fails.
    sim.radio.switchOn(sim.clock.now());
    const auto firstWriteNumber = static_cast<unsigned>(firstWrite - requests.begin()) + 1;
    sim.radio.addFault({SimFaultKind::Nak, sim.radio.framesTaken() + firstWriteNumber + 4, 0});
    prompt.expectMessage(std::string(text::COMMUNICATION_ERROR))
        .expectMessage(std::string(Strings::get(IDS_ALIGNMENT_PREPARATION_FAILED)))
        .expectMessage(std::string(text::ALIGNMENT_FORMER_RESTORED));
    bool windowRan = false;
    const auto outcome = run([&windowRan](HBasicAlignment&) { return windowRan = true; });
    EXPECT_FALSE(windowRan);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(outcome, BasicAlignment::Outcome::FormerRestored);
    EXPECT_EQ(firstDifference(sim.radio.memory(), *radioBefore, 0, IMAGE_SIZE), "");
}

// Without the built-in adjustment defaults the file is wanted; missing or unreadable, the
// pass stops before any write.
TEST_F(BasicAlignmentTest, AMissingOrUnreadableAdjustmentDefaultFileStopsBeforeAnyWrite) {
    for (const bool unreadable : {false, true}) {
        SCOPED_TRACE(unreadable);
        if (unreadable) {
            TempFolder::writeBytes(home.file("adj_pmr.w70"), std::vector<std::uint8_t>(100, 0));
        }
        prompt.expectMessage(
            substitute1(Strings::get(IDS_ALIGNMENT_FILE_NOT_FOUND), "adj_pmr.w70"));
        const auto outcome = run([](HBasicAlignment&) { return true; }, ACCESS_ADJUSTMENT, false);
        EXPECT_EQ(outcome, BasicAlignment::Outcome::NotStarted);
        EXPECT_EQ(status, 1);
        EXPECT_GT(countFrames(sim.radio, isReset), 0u);
        EXPECT_EQ(countFrames(sim.radio, isWrite), 0u);
        EXPECT_EQ(firstDifference(sim.radio.memory(), *radioBefore, 0, IMAGE_SIZE), "");
    }
}

TEST_F(BasicAlignmentTest, AlignmentIsOfferedInTheAdjustmentModeOnly) {
    for (const int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE, ACCESS_E_MODE}) {
        EXPECT_EQ(run([](HBasicAlignment&) { return true; }, mode),
                  BasicAlignment::Outcome::Refused);
    }
    EXPECT_TRUE(sim.radio.transcript().empty());
}

// A pass stopped by Cancel or a signal, or one whose radio vanishes: the radio's data is
// saved before the radio changes, and goes back; the file stays only when it could not.
class BasicAlignmentCancelTest : public BasicAlignmentTest {
protected:
    BasicAlignment::Outcome runStoppable(const BasicAlignment::WindowRunner& window,
                                         CommProgress& stops) {
        pass = makePass(stops);
        pass->SetCancelFlag(&stop);
        return pass->Run(window);
    }

    CancelFlag stop;
    std::unique_ptr<BasicAlignment> pass;
};

TEST_F(BasicAlignmentCancelTest, AStopAtAnyPointLeavesTheRadioWithItsOwnData) {
    constexpr int IN_WINDOW = 99; // a phase the progress never reaches
    struct Case {
        const char* name;
        int phase; // of job 2's progress: 0 reading, 1 writing; IN_WINDOW in the window
        std::vector<std::string> messages;
        BasicAlignment::Outcome outcome;
    };
    const Case cases[] = {
        {"while job 2 reads",
         0,
         {std::string(text::ALIGNMENT_CANCELLED)},
         BasicAlignment::Outcome::NotStarted},
        {"while job 2 writes",
         1,
         {std::string(text::ALIGNMENT_CANCELLED_WRITING_BACK),
          std::string(text::ALIGNMENT_FORMER_RESTORED)},
         BasicAlignment::Outcome::FormerRestored},
        {"in the window",
         IN_WINDOW,
         {std::string(text::ALIGNMENT_FORMER_RESTORED)},
         BasicAlignment::Outcome::FormerRestored},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.radio.memory() = *radioBefore;
        sim.radio.switchOn(sim.clock.now());
        stop.clear();
        for (const std::string& message : c.messages) {
            prompt.expectMessage(message);
        }
        test::CancellingProgress stops(stop, c.phase, 2);
        bool windowRan = false;
        const auto outcome = runStoppable(
            [this, &windowRan](HBasicAlignment&) {
                windowRan = true;
                stop.request(); // as a signal during a procedure
                return true;
            },
            stops);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(windowRan, c.phase == IN_WINDOW);
        EXPECT_TRUE(pass->WasCancelled());
        EXPECT_EQ(firstDifference(sim.radio.memory(), *radioBefore, 0, IMAGE_SIZE), "");
        EXPECT_TRUE(filesIn(home.path(), "align-").empty());
    }
}

// The desktop runs each job behind a window of its own that clears the flag as it opens, and
// the write-back behind one without Cancel. A stop that came just after job 2's last block
// still keeps the alignment window from starting.
TEST_F(BasicAlignmentCancelTest, AStopAtTheEndOfJobTwoOutlivesTheNextWindow) {
    prompt.expectMessage(std::string(text::ALIGNMENT_FORMER_RESTORED));
    std::vector<std::string> steps;
    pass = makePass(progress);
    pass->SetCancelFlag(&stop);
    pass->SetJobExecutor([this, &steps](const std::function<int()>& job) {
        stop.clear();
        const int result = job();
        steps.push_back(strprintf("stoppable %d", result));
        if (steps.size() == 1) {
            stop.request(); // Cancel as job 2's window closes
        }
        return result;
    });
    pass->SetWriteBackExecutor([this, &steps](const std::function<int()>& job) {
        stop.clear();
        steps.push_back("write-back");
        return job();
    });
    bool windowRan = false;
    const auto outcome = pass->Run([&windowRan](HBasicAlignment&) { return windowRan = true; });
    EXPECT_FALSE(windowRan);
    EXPECT_TRUE(pass->WasCancelled());
    EXPECT_EQ(outcome, BasicAlignment::Outcome::FormerRestored);
    EXPECT_EQ(steps, (std::vector<std::string>{"stoppable 0", "stoppable 0", "write-back"}));
    EXPECT_EQ(firstDifference(sim.radio.memory(), *radioBefore, 0, IMAGE_SIZE), "");
    EXPECT_TRUE(filesIn(home.path(), "align-").empty());
}

TEST_F(BasicAlignmentCancelTest, ARadioThatVanishesLeavesItsDataInANamedFile) {
    for (const bool duringWriteBack : {false, true}) {
        SCOPED_TRACE(duringWriteBack ? "during the write-back" : "during the adjustment");
        sim.radio.memory() = *radioBefore;
        sim.radio.switchOn(sim.clock.now());
        prompt.expectMessage({}); // the write-back's own failure
        prompt.expectMessage({});
        const auto outcome = runStoppable(
            [this, duringWriteBack](HBasicAlignment&) {
                if (duringWriteBack) {
                    sim.radio.addFault(
                        {SimFaultKind::SwitchedOff, sim.radio.framesTaken() + 12, 0});
                } else {
                    sim.radio.switchOff();
                }
                return false;
            },
            progress);
        EXPECT_EQ(outcome, BasicAlignment::Outcome::WriteBackFailed);
        const std::string saved = pass->FormerDataPath();
        ASSERT_EQ(filesIn(home.path(), "align-"),
                  std::vector<std::string>{saved.substr(home.path().size() + 1)});
        EXPECT_EQ(prompt.asked().back().text,
                  substitute1(text::FORMER_DATA_NOT_WRITTEN_BACK, saved));
        // The file is the radio as it was: its EEPROM part and every page the pass changes.
        test::ScriptedPrompt quiet;
        auto file = std::make_unique<RadioImage>();
        ASSERT_TRUE(ReadDataFile(saved, *file, quiet));
        EXPECT_EQ(firstDifference(*file, *radioBefore, 0, 2 * 0xBA), "");
        EXPECT_EQ(firstDifference(*file, *radioBefore, FLASH_OFFSET, 0x0E * FLASH_PAGE_SIZE), "");
        EXPECT_EQ(firstDifference(*file, *radioBefore, FLASH_OFFSET + 0x49 * FLASH_PAGE_SIZE,
                                  7 * FLASH_PAGE_SIZE),
                  "");
        ::unlink(saved.c_str());
    }
}

} // namespace
} // namespace kq70
