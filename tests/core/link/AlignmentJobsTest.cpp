// The communication dialog's alignment transfers: job 2 puts a radio into the adjustment
// mode with the alignment channels, jobs 3 and 4 write a radio back after an alignment.

#include "DialogJobs.h"
#include "app/AccessMode.h"
#include "doc/AdjustmentDefaultImage.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <memory>

namespace kq70 {
namespace {

using namespace test;

class AlignmentJobsTest : public ::testing::Test, protected RadioOnPort {
protected:
    AlignmentJobsTest() {
        sim.radio.setRestartDelay(std::chrono::milliseconds(500));
        sim.radio.switchOn(sim.clock.now());
    }

    int run(std::uint32_t job) {
        HKQ70CommunicationDialog dialog(static_cast<int>(job), port, progress, prompt, sim.clock,
                                        {ACCESS_ADJUSTMENT, home.path(), false, false, true});
        auto request = std::make_unique<HCommRequest>(job);
        request->SetBaudRate(19200);
        request->m_image = image.get();
        if (job == JOB_ALIGNMENT_START) {
            request->m_workBuffer = work.get();
            request->m_flashRead = {{0x00, 0x01}, {0x02, 0xFF}, {0x49, 0x4F}};
            request->m_flashWrite = {{0x00, 0x01}, {0x02, 0xFF}, {0x4B, 0x4E}};
        } else {
            request->m_flashWrite = {{0x00, 0x01}, {0x02, 0xFF}, {0x49, 0x4F}};
        }
        return dialog.RunJob(std::move(request));
    }

    test::RecordingProgress progress;
    test::ScriptedPrompt prompt;
    test::TempFolder home;
    std::unique_ptr<RadioImage> radioBefore = std::make_unique<RadioImage>(sim.radio.memory());
    std::unique_ptr<RadioImage> image = std::make_unique<RadioImage>();
    std::unique_ptr<RadioImage> work = std::make_unique<RadioImage>();
};

TEST_F(AlignmentJobsTest, AlignmentStartLeavesTheRadioInAdjustmentModeWithTheAlignmentChannels) {
    ASSERT_EQ(run(JOB_ALIGNMENT_START), 0);
    EXPECT_EQ(sim.radio.state(), SimState::AdjustmentMode);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.GetDcb().BaudRate, 9600u);

    auto defaults = std::make_unique<RadioImage>();
    makeAdjustmentDefaultImage(*defaults);
    const RadioImage& radio = sim.radio.memory();
    // The image took the alignment channels, groups, hardware block and generator settings
    // of the adjustment default file; the radio got the channels and groups (its hardware
    // pages are not in the write list), and kept its identity and adjustment data.
    EXPECT_EQ(firstDifference(*image, *defaults, 0x0315, 640), "");
    EXPECT_EQ(firstDifference(*image, *defaults, 0x0305, 16), "");
    EXPECT_EQ(firstDifference(*image, *defaults, 0x26E8, 2), "");
    EXPECT_EQ(firstDifference(*image, *defaults, 0x26EB, 79), "");
    EXPECT_EQ(firstDifference(*image, *defaults, 0x2A10, 19), "");
    EXPECT_EQ(firstDifference(radio, *defaults, 0x0315, 640), "");
    EXPECT_EQ(firstDifference(radio, *defaults, 0x0305, 16), "");
    EXPECT_EQ(firstDifference(radio, *radioBefore, 0x26E8, 0x273A - 0x26E8), "");
    EXPECT_EQ(firstDifference(radio, *radioBefore, 0x273A, 0x2752 - 0x273A + 1), "");
    EXPECT_EQ(firstDifference(radio, *radioBefore, 0x2980, 0x29E0 - 0x2980 + 1), "");
    EXPECT_EQ(firstDifference(radio, *radioBefore, 0x29E8, 0x18), "");
    // The work buffer keeps the radio's former data for the write-back.
    EXPECT_EQ(firstDifference(*work, *radioBefore, FLASH_OFFSET, 0x0D * 128), "");
}

TEST_F(AlignmentJobsTest, AnAdjustmentDefaultFileInTheProgramFolderComesFirst) {
    auto own = std::make_unique<RadioImage>();
    makeAdjustmentDefaultImage(*own);
    own->setByte(0x2A10, 0x0B); // the RX tune generator level
    test::TempFolder::writeBytes(home.file("adj_pmr.w70"),
                                 std::vector<std::uint8_t>(own->data(), own->data() + IMAGE_SIZE));
    ASSERT_EQ(run(JOB_ALIGNMENT_START), 0);
    EXPECT_EQ(image->byteAt(0x2A10), 0x0B);
}

TEST_F(AlignmentJobsTest, AlignmentEndWritesTheImageAndFinishes) {
    sim.radio.enterCloneMode();
    *image = *radioBefore;
    image->setByte(0x29D3, 0x44);
    prompt.expectMessage(std::string(text::ALIGNMENT_FINISHED));
    ASSERT_EQ(run(JOB_ALIGNMENT_END), 0);
    EXPECT_EQ(sim.radio.memory().byteAt(0x29D3), 0x44);
    EXPECT_TRUE(markerWrites(sim.radio).empty());
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(AlignmentJobsTest, TheMarkerVariantInvalidatesAndValidatesWordB8AroundTheWrite) {
    sim.radio.enterCloneMode();
    *image = *radioBefore;
    prompt.expectMessage(std::string(text::ALIGNMENT_FINISHED));
    ASSERT_EQ(run(JOB_ALIGNMENT_END_RECOVER_BACKUP), 0);
    EXPECT_EQ(markerWrites(sim.radio), (std::vector<std::uint16_t>{0xFFFF, 0x5AA5}));
    EXPECT_EQ(sim.radio.memory().be16(MARKER_OFFSET), MARKER_DONE);
}

TEST_F(AlignmentJobsTest, AFailedWriteBackIsACommunicationError) {
    sim.radio.enterCloneMode();
    sim.radio.addFault({SimFaultKind::Silence, 3, 0});
    *image = *radioBefore;
    prompt.expectMessage(std::string(text::COMMUNICATION_ERROR));
    EXPECT_EQ(run(JOB_ALIGNMENT_END), 1);
}

} // namespace
} // namespace kq70
