#include "frame/FrameLifecycle.h"

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "platform/IniFile.h"
#include "support/ChannelViewHarness.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(FrameLifecycleTest, CloseWhilePrintingIsRefusedWithoutTouchingTheDocument) {
    test::ScriptedPrompt prompt;
    prompt.expectMessage(std::string(text::CLOSE_WHILE_PRINTING));
    int asked = 0;
    auto save = [&asked] {
        ++asked;
        return true;
    };
    EXPECT_FALSE(FrameLifecycle::CanClose(true, prompt, save));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(FrameLifecycle::CanClose(false, prompt, save));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(FrameLifecycle::CanClose(false, prompt, [] { return false; }));
}

TEST(FrameLifecycleTest, CaptionNamesTheFileAndTheMode) {
    CKQ70Doc doc;
    EXPECT_EQ(FrameLifecycle::DocumentName(doc), "<none>");
    doc.SetCurrentFilePath("/home/dealer/radios/fleet 7.K70");
    EXPECT_EQ(FrameLifecycle::DocumentName(doc), "fleet 7.K70");
    EXPECT_EQ(FrameLifecycle::ModeTitle(ACCESS_NORMAL), "KQ70 for QM-724 PMR446");
    EXPECT_EQ(FrameLifecycle::ModeTitle(ACCESS_MANUFACTURE), "KQ70 for QM-724PMR446(M)");
    EXPECT_EQ(FrameLifecycle::ModeTitle(ACCESS_E_MODE), "KQ70 for QM-724 PMR446(E)");
}

// A settings file with CX=CY=2147483647 must not put the window off the screen.
TEST(FrameLifecycleTest, TheInitialSizeKeepsTheMinimumAndFitsTheScreen) {
    struct Case {
        int cx;
        int cy;
        FrameLifecycle::Size available;
        FrameLifecycle::Size expected;
    };
    const Case cases[] = {
        {0, 0, {0, 0}, {700, 570}},
        {900, 800, {0, 0}, {900, 800}},
        {2147483647, 2147483647, {1366, 738}, {1366, 738}},
        {900, 600, {1366, 738}, {900, 600}},
        {-5, 2147483647, {1366, 0}, {700, 2147483647}},
    };
    for (const Case& c : cases) {
        AppSettings settings;
        settings.cx = c.cx;
        settings.cy = c.cy;
        const FrameLifecycle::Size size = FrameLifecycle::InitialSize(settings, c.available);
        EXPECT_EQ(size.width, c.expected.width) << c.cx;
        EXPECT_EQ(size.height, c.expected.height) << c.cy;
    }
}

TEST(FrameLifecycleTest, DestructionWritesTheSizeAndTheDocumentsRadio) {
    test::TempFolder home;
    IniFile ini(home.file("KQ70.ini"));
    AppSettings settings;
    CKQ70Doc doc;
    BuildDefaultImage(PMR446_BAND, doc.GetMainMemory());

    ASSERT_TRUE(FrameLifecycle::OnDestroy(settings, ini, doc, {640, 900}));
    IniFile reread(home.file("KQ70.ini"));
    EXPECT_EQ(reread.readInt("Initialize", "CX", 0), 700); // never below the minimum
    EXPECT_EQ(reread.readInt("Initialize", "CY", 0), 900);
    EXPECT_EQ(reread.readInt("End Status", "Freq.Band", 0), PMR446_BAND);
}

TEST(FrameLifecycleTest, StripStatusBarAndBoxNameThePortAlike) {
    struct Case {
        const char* portName;
        int comPort;
        int portType;
        const char* shown;
    };
    const Case cases[] = {
        {"", 1, 0, "/dev/ttyS0"},
        {"", 3, 1, "/dev/ttyS2 (PGC-30)"},
        {"/dev/serial/by-id/usb-cable", 1, 1, "/dev/serial/by-id/usb-cable (PGC-30)"},
        {"simulated", 1, 1, "Simulated radio"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        test::ChannelViewHarness h(test::pmrImage());
        h.settings.portName = c.portName;
        h.settings.comPort = c.comPort;
        h.settings.portType = c.portType;
        EXPECT_EQ(h.open(1).GetInfoStrip().port.text, c.shown);
        EXPECT_EQ(FrameLifecycle::PortStatus(h.settings), std::string("Port: ") + c.shown);
        CKQ70Doc doc;
        EXPECT_EQ(FrameLifecycle::InformationLines(doc, h.settings).at(2),
                  std::string("Port: ") + c.shown + ", 9600 baud");
    }
}

} // namespace
} // namespace kq70
