#include "channel/HChannelData.h"
#include "support/ChannelViewHarness.h"
#include "support/CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace kq70 {
namespace {

using test::Args;
using test::CliRun;
using test::TempFolder;

Args operator+(Args first, const Args& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class GridCommandTest : public test::CliFixture {
protected:
    std::string newFile(const std::string& name, const Args& options) {
        const std::string path = files.file(name);
        EXPECT_EQ(run(Args{"new"} + options + Args{path}).code, 0);
        return path;
    }

    nlohmann::json gridJson(const Args& args) {
        const CliRun grid = run(Args{"grid", "--json"} + args);
        EXPECT_EQ(grid.code, 0) << grid.err;
        return nlohmann::json::parse(grid.out, nullptr, false);
    }
};

TEST_F(GridCommandTest, BuiltInImagesInModesZeroAndOne) {
    struct Case {
        Args newOptions;
        Args mode;
        const char* firstFrequency;
        bool txShown;
    };
    const Case cases[] = {
        {{"--band", "12"}, {}, "CH1 (446.00625)", false},
        {{"--band", "0"}, test::inManufactureMode({}), "436.00000", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newOptions[1] + (c.mode.empty() ? "" : " manufacture"));
        const std::string path = newFile("band" + c.newOptions[1] + ".k70", c.newOptions);
        const nlohmann::json grid = gridJson(c.mode + Args{path});
        ASSERT_FALSE(grid.is_discarded());
        EXPECT_EQ(grid["columns"][5]["hidden"], !c.txShown);
        ASSERT_FALSE(grid["rows"].empty());
        EXPECT_EQ(grid["rows"][0]["cells"][4], c.firstFrequency);
    }
}

TEST_F(GridCommandTest, TableWithStripAndStatus) {
    const std::string path = newFile("pmr.k70", {"--band", "12"});
    const CliRun p = run({"grid", path});
    ASSERT_EQ(p.code, 0) << p.err;
    EXPECT_EQ(p.err, "");
    EXPECT_NE(p.out.find("Chn  (Frequency)      Code No.(Value)"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("  9  CH1 (446.00625)  No.10 (C-67.0)"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("Band:          PMR446\n"), std::string::npos);
    EXPECT_EQ(p.out.find("TAG"), std::string::npos) << "hidden columns are not printed";
    EXPECT_TRUE(p.out.ends_with("\nF1 for Help   F3 for DCS Complement   F10 for Menus\n"));
    EXPECT_NE(p.out.find("\nPrinter:\n"), std::string::npos) << "no printer, no trailing blanks";
}

TEST_F(GridCommandTest, GroupsOfA256ChannelRadio) {
    const std::string path = dataFile("groups.k70", test::imageWithGroups({16, 0, 4}));
    const nlohmann::json grid = gridJson(test::inManufactureMode({"--group", "3", path}));
    EXPECT_EQ(grid["group"], 2);
    ASSERT_EQ(grid["rows"].size(), 4u);
    EXPECT_EQ(grid["rows"][0]["channel"], 17);
    EXPECT_EQ(grid["groups"].size(), 2u);
}

// A stored frequency the grid cannot show (440 MHz on a PMR446 radio) is shown and listed as
// the grid shows it once the program has opened the file; the file itself is left alone.
TEST_F(GridCommandTest, GridAndListingSayWhenShowingWouldChangeTheImage) {
    RadioImage image = test::pmrImage();
    HChannelData data;
    data.extract(image);
    data.setValue(1, rxFrequency, 440000000);
    data.store(image);
    const std::string path = dataFile("offplan.k70", image);
    const auto before = TempFolder::readBytes(path);
    for (const char* command : {"grid", "listing"}) {
        const CliRun shown = run({command, path});
        EXPECT_EQ(shown.code, 0) << command;
        EXPECT_EQ(shown.out.find("440.00000"), std::string::npos) << command;
        EXPECT_NE(shown.err.find("nothing was written"), std::string::npos) << shown.err;
        EXPECT_TRUE(TempFolder::readBytes(path) == before) << command;
    }
}

TEST_F(GridCommandTest, Refusals) {
    const std::string path = newFile("r.k70", {"--band", "12"});
    EXPECT_EQ(run({"grid", "--mode", "1", path}).code, 1);
    EXPECT_EQ(run({"grid", files.file("missing.k70")}).code, 1);
    EXPECT_EQ(run({"grid", "--group", "17", path}).code, 2);
}

} // namespace
} // namespace kq70
