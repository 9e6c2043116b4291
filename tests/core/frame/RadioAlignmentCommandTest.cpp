#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "frame/RadioCommands.h"
#include "service/HBasicAlignment.h"
#include "support/FrameFixtures.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(RadioAlignmentCommandTest, OfferedInTheAdjustmentModeOnlyAndLeavesTheDocumentAlone) {
    test::SimulatedRadioLink radio;
    InProcessRadio& sim = radio.sim;
    sim.radio.setRestartDelay(std::chrono::milliseconds(1000));
    sim.radio.switchOn(sim.clock.now());
    test::ScriptedPrompt prompt;
    test::TempFolder home;
    CKQ70Doc doc;
    doc.GetMainMemory().setByte(0x0400, 0x42);
    const RadioImage before = doc.GetMainMemory();
    AppSettings settings;
    settings.portName = "/dev/ttyUSB0";
    AccessMode mode;
    test::SaveCounter listener;
    RadioCommands commands(doc, settings, mode, home.path(), prompt, listener, radio.link(), {});
    int windows = 0;
    const auto window = [&windows](HBasicAlignment& w) {
        ++windows;
        return w.ChangeChannel(1);
    };

    EXPECT_FALSE(commands.OnRadioAlignment(window).has_value());
    EXPECT_EQ(sim.link.openCount(), 0);

    mode.set(ACCESS_ADJUSTMENT);
    prompt.expectMessage(std::string(text::ALIGNMENT_FINISHED));
    int executed = 0;
    commands.SetJobExecutor([&executed](const std::function<int()>& job) {
        ++executed;
        return job();
    });
    EXPECT_EQ(commands.OnRadioAlignment(window), BasicAlignment::Outcome::Aligned);
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(executed, 3); // job 2, the restart wait, job 3
    EXPECT_EQ(test::firstDifference(doc.GetMainMemory(), before, 0, IMAGE_SIZE), "");
}

} // namespace
} // namespace kq70
