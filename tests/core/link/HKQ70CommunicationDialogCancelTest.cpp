#include "link/HKQ70CommunicationDialog.h"

#include "DialogJobs.h"
#include "app/AccessMode.h"
#include "link/CancelFlag.h"
#include "support/CancellingProgress.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <string>

namespace kq70 {
namespace {

using namespace test;

struct Outcome {
    int result = 0;
    bool cancelled = false;
    bool resetSent = false;
    bool portOpen = true;
    bool writing = false; // what the flag said the job had reached
    RadioImage radioAfter;
    RadioImage documentBefore;
    RadioImage documentAfter;
};

// One job against a fresh simulated radio whose document differs from the radio in its
// channel table, stopped where `phase` and `position` say.
Outcome runCancelled(std::uint32_t jobNumber, int phase, int position, std::string_view message,
                     bool withFlag = true) {
    test::TempFolder home;
    InProcessRadio sim;
    sim.radio.switchOn(sim.clock.now());
    Outcome outcome;
    RadioImage document = sim.radio.memory();
    for (std::size_t offset = CHANNEL_TABLE_OFFSET; offset < CHANNEL_TABLE_OFFSET + 64; ++offset) {
        document.setByte(offset, static_cast<std::uint8_t>(offset * 7 + 1));
    }
    outcome.documentBefore = document;

    CancelFlag flag;
    CancellingProgress progress(flag, phase, position);
    test::ScriptedPrompt prompt;
    prompt.expectMessage(std::string(message));
    CommJobContext context{ACCESS_NORMAL, home.path()};
    context.cancel = withFlag ? &flag : nullptr;
    DialogJob job(sim.link, sim.clock, jobNumber, prompt, context, progress);
    outcome.result = job.run(document);
    outcome.cancelled = job.dialog().WasCancelled();
    outcome.resetSent = countFrames(sim.radio, isReset) > 0;
    outcome.portOpen = sim.link.isOpen();
    outcome.writing = flag.writing();
    outcome.radioAfter = sim.radio.memory();
    outcome.documentAfter = document;
    return outcome;
}

TEST(HKQ70CommunicationDialogCancelTest, AStoppedJobSaysWhatItLeft) {
    struct Case {
        const char* name;
        std::uint32_t job;
        int phase;
        int position;
        std::string_view message;
        bool reset;
        bool radioChanged;
    };
    const Case cases[] = {
        // Upload: the document is never touched, the radio is only read.
        {"upload stopped while waiting for the radio", JOB_UPLOAD, -1, 0, text::UPLOAD_CANCELLED,
         false, false},
        {"upload stopped while reading", JOB_UPLOAD, 0, 3, text::UPLOAD_CANCELLED, false, false},
        // Download before its first write: the reset, nothing in the radio changed.
        // (A radio still offering the connection takes no reset: none shows in its frames.)
        {"download stopped while waiting for the radio", JOB_DOWNLOAD, -1, 0,
         text::DOWNLOAD_CANCELLED, false, false},
        {"download stopped while reading the radio", JOB_DOWNLOAD, 0, 2, text::DOWNLOAD_CANCELLED,
         true, false},
        // After its first write: the marker stays invalid and the radio must be written again.
        {"download stopped while writing", JOB_DOWNLOAD, 1, 2,
         text::DOWNLOAD_CANCELLED_PARTLY_WRITTEN, true, true},
        {"download stopped while reading back", JOB_DOWNLOAD, 2, 1,
         text::DOWNLOAD_CANCELLED_PARTLY_WRITTEN, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = runCancelled(c.job, c.phase, c.position, c.message);
        EXPECT_EQ(outcome.result, 1);
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_EQ(outcome.resetSent, c.reset);
        EXPECT_FALSE(outcome.portOpen);
        if (c.job == JOB_UPLOAD) {
            EXPECT_TRUE(outcome.documentAfter == outcome.documentBefore);
        }
        // From its first write the job tells whoever would stop it.
        EXPECT_EQ(outcome.writing, c.radioChanged);
        if (c.radioChanged) {
            EXPECT_EQ(outcome.radioAfter.be16(eepromWordOffset(MARKER_WORD)), MARKER_IN_PROGRESS);
            EXPECT_FALSE(outcome.radioAfter == makeSimulatorSeedImage());
        } else {
            EXPECT_TRUE(outcome.radioAfter == makeSimulatorSeedImage());
        }
    }
}

// Stopping once the radio is written asks first; before, it just stops.
TEST(HKQ70CommunicationDialogCancelTest, StoppingWhileWritingAsksFirst) {
    struct Case {
        bool writing;
        std::optional<MessageAnswer> answer; // nothing: nothing asked
        bool stopped;
    };
    const Case cases[] = {{false, std::nullopt, true},
                          {true, MessageAnswer::No, false},
                          {true, MessageAnswer::Yes, true}};
    for (const Case& c : cases) {
        CancelFlag flag;
        if (c.writing) {
            flag.noteWriting();
        }
        test::ScriptedPrompt prompt;
        if (c.answer) {
            prompt.expectMessage(std::string(text::STOP_WHILE_WRITING), *c.answer,
                                 MessageIcon::Question, MessageButtons::YesNo);
        }
        EXPECT_EQ(flag.requestStop(prompt), c.stopped);
        EXPECT_EQ(flag.requested(), c.stopped);
        flag.clear();
        EXPECT_FALSE(flag.writing()) << "a new job starts with nothing written";
    }
}

// A job without a flag, or whose flag is set only after it has finished, runs to its end.
TEST(HKQ70CommunicationDialogCancelTest, WithoutTheFlagAJobRunsToItsEnd) {
    const Outcome upload = runCancelled(JOB_UPLOAD, 0, 3, text::UPLOAD_COMPLETE, false);
    EXPECT_EQ(upload.result, 0);
    EXPECT_FALSE(upload.cancelled);
    const Outcome download = runCancelled(JOB_DOWNLOAD, 1, 2, text::DOWNLOAD_COMPLETE, false);
    EXPECT_EQ(download.result, 0);
    EXPECT_FALSE(download.cancelled);
    EXPECT_NE(download.radioAfter.be16(eepromWordOffset(MARKER_WORD)), MARKER_IN_PROGRESS);
}

} // namespace
} // namespace kq70
