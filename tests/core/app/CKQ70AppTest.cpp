#include "app/CKQ70App.h"
#include "app/ProgramFolder.h"
#include "log/HLogPrint.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

TEST(AppSettingsTest, LoadNormalisesAndStartupWritesThePortBack) {
    struct Case {
        const char* stored;
        int portType;
        int comPort;
        int baudRate;
        const char* writtenPort;
    };
    const Case cases[] = {
        {"PORT_TYPE=2\nCOM_PORT=0\nBAUDRATE=57600\n", 0, 1, 9600, "COM_PORT=1"},
        {"PORT_TYPE=1\nCOM_PORT=300\nBAUDRATE=38400\n", 1, 255, 38400, "COM_PORT=255"},
        {"PORT_TYPE=-1\nCOM_PORT=7\nBAUDRATE=19200\n", 0, 7, 19200, "COM_PORT=7"},
        {"", 0, 1, 9600, "COM_PORT=1"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TempFolder::writeText(folder.file("KQ70.ini"), std::string("[Initialize]\n") + c.stored +
                                                           "CX=500\nCY=900\n[ITEM]\nITEM3=0\n");
        HLogPrint log;
        ScriptedPrompt prompt;
        CKQ70App app(folder.path(), log, prompt);
        ASSERT_EQ(app.InitInstance(""), CKQ70App::StartResult::Started);
        const AppSettings& settings = app.settings();
        EXPECT_EQ(settings.portType, c.portType) << c.stored;
        EXPECT_EQ(settings.comPort, c.comPort) << c.stored;
        EXPECT_EQ(settings.baudRate, c.baudRate) << c.stored;
        EXPECT_EQ(settings.cx, 700) << "raised to the minimum";
        EXPECT_EQ(settings.cy, 900);
        EXPECT_EQ(settings.items[2], 0);
        EXPECT_EQ(settings.items[16], 1);
        EXPECT_EQ(settings.endBand, 13);

        const IniFile written(folder.file("KQ70.ini"));
        EXPECT_EQ(written.readInt("Initialize", "COM_PORT", -1), c.comPort);
        EXPECT_EQ(written.readInt("Initialize", "PORT_TYPE", -1), c.portType);
        EXPECT_NE(TempFolder::readText(folder.file("KQ70.ini")).find(c.writtenPort),
                  std::string::npos);
        // The baud rate is written only when the main window closes.
        if (std::string(c.stored).find("57600") != std::string::npos) {
            EXPECT_EQ(written.readInt("Initialize", "BAUDRATE", -1), 57600);
        }
    }
}

TEST(AppSettingsTest, ExitAndFrameValuesAndRecentFiles) {
    TempFolder folder;
    IniFile ini(folder.file("KQ70.ini"));
    AppSettings settings;
    settings.items[0] = 0;
    settings.baudRate = 38400;
    settings.portName = "/dev/ttyUSB0";
    for (const char* path : {"/a.k70", "/b.k70", "/c.k70", "/a.k70", "/d.k70", "/e.k70"}) {
        settings.addRecentFile(path);
    }
    EXPECT_EQ(settings.recentFiles,
              (std::vector<std::string>{"/e.k70", "/d.k70", "/a.k70", "/c.k70"}));
    ASSERT_TRUE(settings.writeItems(ini));
    ASSERT_TRUE(settings.writeFrameValues(ini, 4, 1));
    ASSERT_TRUE(settings.writeRecentFiles(ini));

    AppSettings loaded;
    loaded.load(ini);
    EXPECT_EQ(loaded.items[0], 0);
    EXPECT_EQ(loaded.baudRate, 38400);
    EXPECT_EQ(loaded.portName, "/dev/ttyUSB0");
    EXPECT_EQ(loaded.endBand, 4);
    EXPECT_EQ(loaded.endLcdType, 1);
    EXPECT_EQ(ini.readInt("End Status", "ProductType", -1), 0);
    EXPECT_EQ(loaded.recentFiles, settings.recentFiles);
}

TEST(CKQ70AppTest, CommandLineDecidesModeAndFileToOpen) {
    struct Case {
        const char* line;
        std::optional<std::string> password; // asked only for modes 1 and 4
        bool asked;
        int mode;
        const char* file;
    };
    const Case cases[] = {
        {"", std::nullopt, false, ACCESS_NORMAL, ""},
        {"/home/u/radio.k70", std::nullopt, false, ACCESS_NORMAL, "/home/u/radio.k70"},
        {"-E", "lomari-ke", true, ACCESS_E_MODE, ""},
        {"-manu", "wrong", true, ACCESS_NORMAL, ""},
        {"-manu radio.k70", std::nullopt, false, ACCESS_NORMAL, "-manu radio.k70"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        HLogPrint log;
        ScriptedPrompt prompt;
        if (c.asked) {
            prompt.expectPassword(c.password);
        }
        CKQ70App app(folder.path(), log, prompt);
        ASSERT_EQ(app.InitInstance(c.line), CKQ70App::StartResult::Started);
        EXPECT_EQ(app.accessMode().value(), c.mode) << c.line;
        EXPECT_EQ(app.fileToOpen(), c.file) << c.line;
        EXPECT_EQ(app.helpPath(), folder.file("KQ70.chm"));
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
    app.settings().items[16] = 0;
    app.ExitInstance();
    EXPECT_EQ(IniFile(folder.file("KQ70.ini")).readInt("ITEM", "ITEM17", -1), 0);
    EXPECT_EQ(IniFile(folder.file("KQ70.ini")).readInt("ITEM", "ITEM1", -1), 1);
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
    app.accessMode().set(ACCESS_NORMAL);
    EXPECT_TRUE(app.UnlockAdjustmentMode());
    EXPECT_EQ(app.accessMode().value(), ACCESS_ADJUSTMENT);
}

TEST(ProgramFolderTest, PrecedenceOfTheSources) {
    struct Case {
        ProgramFolderInputs inputs;
        const char* expected;
    };
    const Case cases[] = {
        {{"/opt/h", "/env", "/exe", "/xdg", "/home/u"}, "/opt/h"},
        {{std::nullopt, "/env", "/exe", "/xdg", "/home/u"}, "/env"},
        {{std::nullopt, std::nullopt, "/exe", "/xdg", "/home/u"}, "/exe"},
        {{std::nullopt, std::nullopt, std::nullopt, "/xdg", "/home/u"}, "/xdg/kq70"},
        {{std::nullopt, std::nullopt, std::nullopt, std::nullopt, "/home/u"},
         "/home/u/.local/share/kq70"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolveProgramFolder(c.inputs), c.expected);
    }
    TempFolder folder;
    EXPECT_TRUE(ensureFolder(folder.file("a/b/c")));
    EXPECT_TRUE(TempFolder::exists(folder.file("a/b/c")));
    TempFolder::writeText(folder.file("plain"), "x");
    EXPECT_FALSE(ensureFolder(folder.file("plain")));
    EXPECT_FALSE(ensureFolder(folder.file("plain/sub")));
}

} // namespace
} // namespace kq70
