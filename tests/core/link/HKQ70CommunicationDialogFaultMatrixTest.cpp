#include "link/HKQ70CommunicationDialog.h"

#include "DialogJobs.h"
#include "app/AccessMode.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kq70 {
namespace {

using namespace test;

// Every fault the simulated radio can make at one frame, at every frame of a whole Upload
// and Download of a 16-channel radio.
// Each run must end with its message and the port closed; a failed Upload leaves the
// document byte for byte as it was; a failed Download leaves the radio either untouched
// (nothing written yet) or marked as not completely written.

struct Outcome {
    int result = -1;
    std::string message;
    bool portOpen = true;
    RadioImage document;
    RadioImage radioAfter;
    std::vector<SimFrame> frames;
};

Outcome runTransfer(std::uint32_t job, const std::vector<SimFault>& faults,
                    const RadioImage& document, const std::string& programFolder) {
    InProcessRadio radio;
    for (const SimFault& fault : faults) {
        radio.radio.addFault(fault);
    }
    radio.radio.switchOn(radio.clock.now());
    Outcome outcome;
    outcome.document = job == JOB_UPLOAD ? document : radio.radio.memory();
    test::ScriptedPrompt prompt;
    prompt.expectMessage(""); // any text: the test reads it back
    test::RecordingProgress progress;
    DialogJob dialog(radio.link, radio.clock, job, prompt,
                     {ACCESS_NORMAL, programFolder, false, false}, progress);
    outcome.result = dialog.run(outcome.document);
    outcome.message = prompt.asked().empty() ? std::string() : prompt.asked().back().text;
    outcome.portOpen = radio.link.isOpen();
    outcome.radioAfter = radio.radio.memory();
    outcome.frames = radio.radio.transcript();
    return outcome;
}

// Frames whose failure the job rides out by design: the closing reset, and the first
// marker write of a download (only logged) unless the radio went off there.
bool failureIsTolerated(const SimFrame& frame, bool firstWrite, SimFaultKind kind) {
    return frame.request[0] == RESET_COMMAND_BYTE ||
           (firstWrite && kind != SimFaultKind::SwitchedOff);
}

// The write that marks the radio as completely written.
bool marksCompletion(const SimFrame& frame) {
    return frame.request.size() >= 5 && frame.request[0] == CMD_EEPROM_WRITE &&
           frame.request[2] == MARKER_WORD && frame.request[3] == (MARKER_DONE >> 8) &&
           frame.request[4] == (MARKER_DONE & 0xFF);
}

// One part of the matrix: one job, one kind of fault at each of its frames.
class HKQ70CommunicationDialogFaultMatrixTest
    : public ::testing::TestWithParam<std::tuple<std::uint32_t, SimFaultKind>> {};

TEST_P(HKQ70CommunicationDialogFaultMatrixTest, FaultAtEveryFrame) {
    const auto [job, kind] = GetParam();
    // Faults that spoil only the answer: the radio has stored the frame all the same.
    const bool radioStores =
        kind == SimFaultKind::BadChecksum || kind == SimFaultKind::WrongCommand;
    test::TempFolder home;
    const RadioImage document = unlikeAnyRadio();
    const Outcome clean = runTransfer(job, {}, document, home.path());
    ASSERT_EQ(clean.result, 0);
    const RadioImage radioBefore = InProcessRadio().radio.memory();
    std::vector<SimFrame> numbered;
    for (const SimFrame& frame : clean.frames) {
        if (frame.number != 0) {
            numbered.push_back(frame);
        }
    }
    ASSERT_GT(numbered.size(), 100u);
    bool writeSeen = false;
    bool completionWritten = false;
    for (const SimFrame& frame : numbered) {
        const bool write = isWrite(frame.request);
        const bool firstWrite = write && !writeSeen;
        const SimFault fault{kind, frame.number, 0};
        SCOPED_TRACE(describeSimFault(fault) +
                     (job == JOB_UPLOAD ? " in an upload" : " in a download"));
        const Outcome run = runTransfer(job, {fault}, document, home.path());
        EXPECT_FALSE(run.portOpen);
        if (failureIsTolerated(frame, firstWrite, kind)) {
            EXPECT_EQ(run.result, 0);
            EXPECT_EQ(run.message,
                      job == JOB_UPLOAD ? text::UPLOAD_COMPLETE : text::DOWNLOAD_COMPLETE);
        } else {
            EXPECT_EQ(run.result, 1);
            // A download's reads after its writes are the read-back of what it wrote.
            if (job == JOB_DOWNLOAD && writeSeen && !write) {
                EXPECT_EQ(std::string(run.message).rfind("Verify failed", 0), 0u) << run.message;
            } else {
                EXPECT_EQ(run.message, text::COMMUNICATION_ERROR);
            }
            if (job == JOB_UPLOAD) {
                EXPECT_TRUE(run.document == document) << "the document is untouched";
                EXPECT_TRUE(run.radioAfter == radioBefore) << "an upload writes nothing";
            } else if (!writeSeen) {
                EXPECT_TRUE(run.radioAfter == radioBefore) << "nothing written yet";
            } else if (!completionWritten && !(marksCompletion(frame) && radioStores)) {
                EXPECT_NE(run.radioAfter.be16(eepromWordOffset(MARKER_WORD)), MARKER_DONE)
                    << "a half-written radio must not look completely written";
            }
        }
        writeSeen = writeSeen || write;
        completionWritten = completionWritten || marksCompletion(frame);
    }
    RecordProperty("rows", static_cast<int>(numbered.size()));
}

// The parts are separate tests, so the runner spreads them over the processors.
INSTANTIATE_TEST_SUITE_P(
    EveryFault, HKQ70CommunicationDialogFaultMatrixTest,
    ::testing::Combine(::testing::Values(JOB_UPLOAD, JOB_DOWNLOAD),
                       ::testing::Values(SimFaultKind::BadChecksum, SimFaultKind::WrongCommand,
                                         SimFaultKind::Silence, SimFaultKind::Nak,
                                         SimFaultKind::SwitchedOff)),
    [](const auto& part) {
        const std::string word = describeSimFault({std::get<1>(part.param), 0, 0});
        return (std::get<0>(part.param) == JOB_UPLOAD ? "Upload_" : "Download_") +
               word.substr(0, word.find('@'));
    });

} // namespace
} // namespace kq70
