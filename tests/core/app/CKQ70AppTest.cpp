#include "app/CKQ70App.h"
#include "app/DesktopCommandLine.h"
#include "app/Passwords.h"
#include "log/HLogPrint.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

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

TEST(PasswordsTest, EachModeHasItsOwnRule) {
    struct Case {
        const char* entry;
        bool manufacture;
        bool eMode;
        bool adjustment;
    };
    const Case cases[] = {
        {"Quiet Harbours", true, false, false},   {"quiet harbours", false, false, false},
        {"Quiet Harbours ", false, false, false}, {"lomari-ke", false, true, false},
        {"LoMaRi-Ke", false, true, false},        {"lomari ke", false, false, false},
        {"lomari-ke1", false, false, false},      {"MUL-PEK", false, false, true},
        {"mul-pek", false, false, true},          {"mUl-PeK", false, false, true},
        {"MUL-PEKXYZ", false, false, true},       {"MUL PEK", false, false, false},
        {"MUL-PE", false, false, false},          {"", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(passwords::isManufacturePhrase(c.entry), c.manufacture) << c.entry;
        EXPECT_EQ(passwords::isEModeWord(c.entry), c.eMode) << c.entry;
        EXPECT_EQ(passwords::isAdjustmentKeyword(c.entry), c.adjustment) << c.entry;
    }
}

TEST(PasswordsTest, StartupKeepsAModeOnlyWithItsPassword) {
    struct Case {
        int requested;
        std::optional<std::string> entry; // nothing: Cancel
        int result;
        bool warning;
    };
    const Case cases[] = {
        {ACCESS_MANUFACTURE, "Quiet Harbours", ACCESS_MANUFACTURE, true},
        {ACCESS_MANUFACTURE, "lomari-ke", ACCESS_NORMAL, false},
        {ACCESS_MANUFACTURE, std::nullopt, ACCESS_NORMAL, false},
        {ACCESS_E_MODE, "LOMARI-KE", ACCESS_E_MODE, false},
        {ACCESS_E_MODE, "Quiet Harbours", ACCESS_NORMAL, false},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        prompt.expectPassword(c.entry);
        if (c.warning) {
            prompt.expectMessage(std::string(Strings::get(IDS_MANUFACTURE_MODE_WARNING)),
                                 MessageAnswer::Ok, MessageIcon::Information, MessageButtons::Ok);
        }
        AccessMode mode(c.requested);
        confirmStartupAccessMode(mode, prompt);
        EXPECT_EQ(mode.value(), c.result) << c.entry.value_or("<cancel>");
    }
    ScriptedPrompt silent; // normal mode asks nothing
    AccessMode normal;
    confirmStartupAccessMode(normal, silent);
    EXPECT_EQ(normal.value(), ACCESS_NORMAL);
}

// What the command line's --mode option runs: each mode with its own word, and nothing asked
// for normal mode or a mode the program does not have.
TEST(PasswordsTest, AModeAskedForByNumberIsGrantedWithItsOwnWord) {
    struct Case {
        int wanted;
        std::optional<std::optional<std::string>> entry; // outer nothing: no question
        bool granted;
    };
    const Case cases[] = {
        {ACCESS_NORMAL, std::nullopt, true},
        {ACCESS_MANUFACTURE, "Quiet Harbours", true},
        {ACCESS_ADJUSTMENT, "mul-PEK", true},
        {ACCESS_ADJUSTMENT, "Quiet Harbours", false},
        {ACCESS_E_MODE, std::optional<std::string>{}, false},
        {3, std::nullopt, false},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        if (c.entry) {
            prompt.expectPassword(*c.entry);
        }
        if (c.wanted == ACCESS_MANUFACTURE) {
            prompt.expectMessage(std::string(Strings::get(IDS_MANUFACTURE_MODE_WARNING)),
                                 MessageAnswer::Ok, MessageIcon::Information, MessageButtons::Ok);
        }
        AccessMode mode(ACCESS_E_MODE);
        EXPECT_EQ(grantAccessMode(mode, c.wanted, prompt), c.granted) << c.wanted;
        EXPECT_EQ(mode.value(), c.granted ? c.wanted : ACCESS_NORMAL) << c.wanted;
    }
}

TEST(AccessModeTest, TheWholeCommandLineIsCompared) {
    struct Case {
        const char* line;
        int mode;
    };
    const Case cases[] = {
        {"/manu", 1},  {"/MANU", 1},     {"-manu", 1},
        {"-MANU", 1},  {"/Manu", 0},     {"/manu radio.k70", 0},
        {" /manu", 0}, {"/E", 4},        {"/e", 4},
        {"-E", 4},     {"-e", 4},        {"/E x", 0},
        {"", 0},       {"radio.k70", 0}, {"--manu", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AccessMode::fromCommandLine(c.line), c.mode) << '"' << c.line << '"';
    }
}

} // namespace
} // namespace kq70
