#include "app/CKQ70App.h"
#include "app/DesktopCommandLine.h"
#include "log/HLogPrint.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

// The application over a folder of its own, not started yet.
struct AppInFolder {
    TempFolder folder;
    HLogPrint log;
    ScriptedPrompt prompt;
    CKQ70App app{folder.path(), log, prompt};
};

TEST(CKQ70AppTest, CommandLineDecidesModeAndFileToOpen) {
    struct Case {
        const char* line;
        std::optional<std::string> password; // nothing: no question
        int mode;
        const char* file;
    };
    const Case cases[] = {
        {"", std::nullopt, ACCESS_NORMAL, ""},
        {"-E", "lomari-ke", ACCESS_E_MODE, ""},
        {"\"/home/u/my radio.k70\"", std::nullopt, ACCESS_NORMAL, "/home/u/my radio.k70"},
    };
    for (const Case& c : cases) {
        AppInFolder a;
        if (c.password) {
            a.prompt.expectPassword(c.password);
        }
        ASSERT_EQ(a.app.InitInstance(c.line), CKQ70App::StartResult::Started);
        EXPECT_EQ(a.app.GetAccessMode().value(), c.mode) << c.line;
        EXPECT_EQ(a.app.GetFileToOpen(), c.file) << c.line;
        EXPECT_EQ(a.app.GetHelpPath(), a.folder.file("KQ70.chm"));
    }
}

// The desktop program joins its arguments into one command line; the start-up reads the mode
// and the file back from it word for word.
TEST(CKQ70AppTest, JoinedArgumentsAreReadBackAsTheyWere) {
    struct Case {
        std::vector<std::string> words;
        int mode;
        std::string file;
    };
    const Case cases[] = {
        {{"/manu"}, ACCESS_MANUFACTURE, ""},
        {{"/home/u/my radio.k70"}, ACCESS_NORMAL, "/home/u/my radio.k70"},
        {{"-E", "a b.k70"}, ACCESS_NORMAL, "a b.k70"},
        {{"x.k70", "y.k70"}, ACCESS_NORMAL, "x.k70"},
    };
    for (const Case& c : cases) {
        const std::string line = CKQ70App::JoinCommandLine(c.words);
        EXPECT_EQ(AccessMode::fromCommandLine(line), c.mode) << line;
        EXPECT_EQ(CKQ70App::FileToOpen(line), c.file) << line;
    }
}

TEST(CKQ70AppTest, SecondInstanceOnTheSameFolderIsRefused) {
    AppInFolder first;
    ASSERT_EQ(first.app.InitInstance(""), CKQ70App::StartResult::Started);
    {
        CKQ70App second(first.folder.path(), first.log, first.prompt);
        EXPECT_EQ(second.InitInstance(""), CKQ70App::StartResult::AlreadyRunning);
    }
    TempFolder other;
    CKQ70App elsewhere(other.path(), first.log, first.prompt);
    EXPECT_EQ(elsewhere.InitInstance(""), CKQ70App::StartResult::Started);
}

TEST(CKQ70AppTest, ExitWritesItemsAndLogs) {
    AppInFolder a;
    TempFolder::writeText(a.folder.file("INI_LOG.ini"),
                          "[LOG_INFO]\nDEF_LOG_NAME=app.log\nLOG_LEVEL0=3\n");
    ASSERT_EQ(a.app.InitInstance(""), CKQ70App::StartResult::Started);
    a.app.GetSettings().items[16] = 0;
    a.app.ExitInstance();
    EXPECT_EQ(IniFile(a.folder.file("KQ70.ini")).readInt("ITEM", "ITEM17", -1), 0);
    EXPECT_NE(TempFolder::readText(a.folder.file("app.log")).find("[D1] ExitInstance()  (File:["),
              std::string::npos);
}

TEST(CKQ70AppTest, AdjustmentUnlockOnlyFromNormalMode) {
    AppInFolder a;
    a.prompt.expectPassword("lomari-ke").expectPassword("MUL-PEK");
    ASSERT_EQ(a.app.InitInstance("/e"), CKQ70App::StartResult::Started);
    EXPECT_FALSE(a.app.UnlockAdjustmentMode()) << "E mode never asks";
    a.app.GetAccessMode().set(ACCESS_NORMAL);
    EXPECT_TRUE(a.app.UnlockAdjustmentMode());
    EXPECT_EQ(a.app.GetAccessMode().value(), ACCESS_ADJUSTMENT);
}

TEST(DesktopCommandLineTest, OwnOptionsAreTakenAnywhereAndTheRestKeepsItsOrder) {
    struct Case {
        std::vector<std::string> args;
        std::optional<std::string> home;
        bool help, version, exitWhenShown;
        std::vector<std::string> rest;
        std::string error;
    };
    const Case cases[] = {
        {{}, {}, false, false, false, {}, ""},
        {{"radio.k70"}, {}, false, false, false, {"radio.k70"}, ""},
        {{"-manu", "--home", "/h", "x.K70"}, "/h", false, false, false, {"-manu", "x.K70"}, ""},
        {{"--home=/a b", "--exit-when-shown"}, "/a b", false, false, true, {}, ""},
        {{"--version", "/E"}, {}, false, true, false, {"/E"}, ""},
        {{"--help"}, {}, true, false, false, {}, ""},
        // A value that looks like an option is still the value.
        {{"--home", "--help"}, "--help", false, false, false, {}, ""},
        {{"--home"}, {}, false, false, false, {}, "--home needs DIR"},
        {{"--version=2"}, {}, false, false, false, {}, "--version takes no value"},
        {{"--doc", "html"}, {}, false, false, false, {}, "--doc takes man"},
        // Only whole option names count: the rest is a file or a mode switch.
        {{"--homework", "-home"}, {}, false, false, false, {"--homework", "-home"}, ""},
    };
    for (const Case& c : cases) {
        const DesktopCommandLine line = parseDesktopCommandLine(c.args);
        const std::string name = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(line.home, c.home) << name;
        EXPECT_EQ(line.help, c.help) << name;
        EXPECT_EQ(line.version, c.version) << name;
        EXPECT_EQ(line.exitWhenShown, c.exitWhenShown) << name;
        EXPECT_EQ(line.error, c.error) << name;
        if (c.error.empty()) {
            EXPECT_EQ(line.rest, c.rest) << name;
        }
    }
}

TEST(DesktopCommandLineTest, HelpListsEveryListedOptionAndNoToolOption) {
    const std::string help = desktopHelpText();
    for (const DesktopOption& option : desktopOptions()) {
        EXPECT_EQ(help.find(std::string(option.name) + " ") != std::string::npos, option.listed)
            << option.name;
    }
    for (const DesktopOperand& operand : desktopOperands()) {
        EXPECT_NE(help.find("  " + std::string(operand.name) + " "), std::string::npos);
    }
    std::size_t start = 0;
    while (start < help.size()) {
        const std::size_t end = help.find('\n', start);
        EXPECT_LE(end - start, 79u) << help.substr(start, end - start);
        start = end + 1;
    }
}

} // namespace
} // namespace kq70
