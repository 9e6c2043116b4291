#include "app/HWinIniReader.h"
#include "log/HLogPrint.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::TempFolder;

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
