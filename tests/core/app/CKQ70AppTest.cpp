#include "app/CKQ70App.h"
#include "log/HLogPrint.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

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
        TempFolder folder;
        HLogPrint log;
        ScriptedPrompt prompt;
        if (c.password) {
            prompt.expectPassword(c.password);
        }
        CKQ70App app(folder.path(), log, prompt);
        ASSERT_EQ(app.InitInstance(c.line), CKQ70App::StartResult::Started);
        EXPECT_EQ(app.GetAccessMode().value(), c.mode) << c.line;
        EXPECT_EQ(app.GetFileToOpen(), c.file) << c.line;
        EXPECT_EQ(app.GetHelpPath(), folder.file("KQ70.chm"));
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
    TempFolder folder;
    HLogPrint log;
    ScriptedPrompt prompt;
    CKQ70App first(folder.path(), log, prompt);
    ASSERT_EQ(first.InitInstance(""), CKQ70App::StartResult::Started);
    {
        CKQ70App second(folder.path(), log, prompt);
        EXPECT_EQ(second.InitInstance(""), CKQ70App::StartResult::AlreadyRunning);
    }
    TempFolder other;
    CKQ70App elsewhere(other.path(), log, prompt);
    EXPECT_EQ(elsewhere.InitInstance(""), CKQ70App::StartResult::Started);
}

TEST(CKQ70AppTest, ExitWritesItemsAndLogs) {
    TempFolder folder;
    TempFolder::writeText(folder.file("INI_LOG.ini"), "[LOG_INFO]\nDEF_LOG_NAME=app.log\n"
                                                      "LOG_LEVEL0=3\n");
    HLogPrint log;
    ScriptedPrompt prompt;
    CKQ70App app(folder.path(), log, prompt);
    ASSERT_EQ(app.InitInstance(""), CKQ70App::StartResult::Started);
    app.GetSettings().items[16] = 0;
    app.ExitInstance();
    EXPECT_EQ(IniFile(folder.file("KQ70.ini")).readInt("ITEM", "ITEM17", -1), 0);
    EXPECT_NE(TempFolder::readText(folder.file("app.log")).find("[D1] ExitInstance()  (File:["),
              std::string::npos);
}

TEST(CKQ70AppTest, AdjustmentUnlockOnlyFromNormalMode) {
    TempFolder folder;
    HLogPrint log;
    ScriptedPrompt prompt;
    prompt.expectPassword("lomari-ke").expectPassword("MUL-PEK");
    CKQ70App app(folder.path(), log, prompt);
    ASSERT_EQ(app.InitInstance("/e"), CKQ70App::StartResult::Started);
    EXPECT_FALSE(app.UnlockAdjustmentMode()) << "E mode never asks";
    app.GetAccessMode().set(ACCESS_NORMAL);
    EXPECT_TRUE(app.UnlockAdjustmentMode());
    EXPECT_EQ(app.GetAccessMode().value(), ACCESS_ADJUSTMENT);
}

} // namespace
} // namespace kq70
