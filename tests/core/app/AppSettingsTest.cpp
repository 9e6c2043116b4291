#include "app/AppSettings.h"
#include "app/CKQ70App.h"
#include "app/ProgramFolder.h"
#include "log/HLogPrint.h"
#include "platform/IniFile.h"
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
    };
    const Case cases[] = {
        {"PORT_TYPE=2\nCOM_PORT=0\nBAUDRATE=57600\n", 0, 1, 9600},
        {"PORT_TYPE=1\nCOM_PORT=300\nBAUDRATE=38400\n", 1, 255, 38400},
        {"PORT_TYPE=-1\nCOM_PORT=7\nBAUDRATE=19200\n", 0, 7, 19200},
        {"", 0, 1, 9600},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TempFolder::writeText(folder.file("KQ70.ini"), std::string("[Initialize]\n") + c.stored +
                                                           "CX=500\nCY=900\n[ITEM]\nITEM3=0\n");
        HLogPrint log;
        ScriptedPrompt prompt;
        CKQ70App app(folder.path(), log, prompt);
        ASSERT_EQ(app.InitInstance(""), CKQ70App::StartResult::Started);
        const AppSettings& settings = app.GetSettings();
        EXPECT_EQ(settings.portType, c.portType) << c.stored;
        EXPECT_EQ(settings.comPort, c.comPort) << c.stored;
        EXPECT_EQ(settings.baudRate, c.baudRate) << c.stored;
        EXPECT_EQ(settings.cx, 700) << "raised to the minimum";

        const IniFile written(folder.file("KQ70.ini"));
        EXPECT_EQ(written.readInt("Initialize", "COM_PORT", -1), c.comPort);
        EXPECT_EQ(written.readInt("Initialize", "PORT_TYPE", -1), c.portType);
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
    EXPECT_EQ(loaded.recentFiles, settings.recentFiles);
}

TEST(AppSettingsTest, VerifyAfterDownloadIsOnUnlessSwitchedOff) {
    struct Case {
        const char* stored;
        bool verify;
    };
    const Case cases[] = {
        {"", true},           {"VERIFY=0\n", false},  {"VERIFY=00\n", false},
        {"VERIFY=2\n", true}, {"VERIFY=off\n", true}, {"VERIFY=\n", true},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TempFolder::writeText(folder.file("KQ70.ini"), std::string("[Initialize]\n") + c.stored);
        AppSettings settings;
        settings.load(IniFile(folder.file("KQ70.ini")));
        EXPECT_EQ(settings.verifyDownload, c.verify) << c.stored;
    }
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
