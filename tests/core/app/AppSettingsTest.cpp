#include "app/AppSettings.h"

#include "platform/IniFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::TempFolder;

TEST(AppSettingsTest, VerifyAfterDownloadIsOnUnlessSwitchedOff) {
    struct Case {
        const char* stored;
        bool verify;
    };
    const Case cases[] = {
        {"", true},
        {"VERIFY=1\n", true},
        {"VERIFY=0\n", false},
        {"verify=0\n", false},
        {"VERIFY=00\n", false},
        {"VERIFY=2\n", true},
        {"VERIFY=off\n", true},
        {"VERIFY=\n", true},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TempFolder::writeText(folder.file("KQ70.ini"), std::string("[Initialize]\n") + c.stored);
        AppSettings settings;
        settings.load(IniFile(folder.file("KQ70.ini")));
        EXPECT_EQ(settings.verifyDownload, c.verify) << c.stored;
    }

    // Written back as 1 or 0, every other line kept.
    TempFolder folder;
    const std::string path = folder.file("KQ70.ini");
    TempFolder::writeText(path, "[Initialize]\nBAUDRATE=19200\nVERIFY=1\n[ITEM]\nITEM3=0\n");
    IniFile ini(path);
    AppSettings settings;
    settings.load(ini);
    settings.verifyDownload = false;
    ASSERT_TRUE(settings.writeVerifyDownload(ini));
    EXPECT_EQ(ini.readString("Initialize", "VERIFY", "?"), "0");
    EXPECT_EQ(ini.readInt("Initialize", "BAUDRATE", -1), 19200);
    EXPECT_EQ(ini.readInt("ITEM", "ITEM3", -1), 0);
    AppSettings reloaded;
    reloaded.load(ini);
    EXPECT_FALSE(reloaded.verifyDownload);
}

} // namespace
} // namespace kq70
