#include "app/AppSettings.h"
#include "app/CKQ70App.h"
#include "app/HWinIniReader.h"
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

class HWinIniReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        TempFolder::writeText(folder.file("KQ70Win.ini"),
                              "[Limits]\nbig=25\nzero=0\nnegative=-5\nmid=7\ntext=abc\n"
                              "digits=12abc\n[Names]\ncaption= Channel  \n");
        log.enableChannel(4, LOG_D4, folder.file("dialog.log"));
    }
    TempFolder folder;
    HLogPrint log;
};

TEST_F(HWinIniReaderTest, GetIniIntAppliesOnlyTheBoundsThatAreSet) {
    HWinIniReader reader(folder.path(), log, 4);
    struct Case {
        const char* key;
        int minimum;
        int maximum;
        int expected;
    };
    const Case cases[] = {
        {"big", 1, 10, 10},      {"zero", 1, 10, 1},   {"mid", 1, 10, 7},
        {"negative", 0, 10, -5}, {"big", 0, 0, 25},    {"big", 30, 0, 30},
        {"text", 0, 0, 0},       {"digits", 0, 0, 12}, {"negative", -3, 0, -3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reader.GetIniInt("Limits", c.key, c.minimum, c.maximum), c.expected)
            << c.key << " [" << c.minimum << "," << c.maximum << "]";
    }
    EXPECT_TRUE(reader.GetMissing().empty());
    EXPECT_FALSE(reader.GetReadError());
}

TEST_F(HWinIniReaderTest, FailedReadsAreCollectedAndLogged) {
    HWinIniReader reader(folder.path(), log, 4);
    EXPECT_EQ(reader.GetIniInt("Limits", "absent", 1, 10), -1);
    EXPECT_FALSE(reader.GetReadError()) << "only a string read sets the read-error flag";
    EXPECT_EQ(reader.GetIniString("Nowhere", "caption"), "");
    EXPECT_TRUE(reader.GetReadError());
    EXPECT_EQ(reader.GetMissing(),
              (std::vector<std::string>{"Limits", "absent", "Nowhere", "caption"}));
    EXPECT_EQ(reader.GetIniString("names", "CAPTION"), "Channel");

    const std::string text = TempFolder::readText(folder.file("dialog.log"));
    const std::string failed = "[WR] [FILE:" + reader.GetPath() +
                               "][SEC:Limits][KEY:absent]\x92l\x82\xaa\x93\xc7\x82\xdd\x8e\xe6"
                               "\x82\xea\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
                               "B (File:[";
    const std::string read = "[D2] [FILE:" + reader.GetPath() +
                             "][SEC:names][KEY:CAPTION]Channel\x82\xf0\x93\xc7\x82\xdd\x8fo\x82"
                             "\xb5\x82\xdc\x82\xb5\x82\xbd (File:[";
    EXPECT_NE(text.find(failed), std::string::npos) << text;
    EXPECT_NE(text.find(read), std::string::npos) << text;
}

TEST(HWinIniReaderPathTest, PathIsTheFolderWithOneSlash) {
    HLogPrint log;
    EXPECT_EQ(HWinIniReader("/tmp/x", log, 0).GetPath(), "/tmp/x/KQ70Win.ini");
    EXPECT_EQ(HWinIniReader("/tmp/x/", log, 0).GetPath(), "/tmp/x/KQ70Win.ini");
}

} // namespace
} // namespace kq70
