// kq70-cli grid as a dealer's script runs it: the real program as a process.
#include "channel/HChannelData.h"
#include "doc/DataFile.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <sys/wait.h>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr const char* MANUFACTURE = "--mode 1 --mode-password 'Quiet Harbours'";

struct Process {
    int code = -1;
    std::string out;
    std::string err;
};

class GridCommandTest : public ::testing::Test {
protected:
    Process cli(const std::string& arguments) {
        const std::string errFile = files.file("stderr.txt");
        const std::string command = std::string(KQ70_CLI_PATH) + " --home '" + home.path() + "' " +
                                    arguments + " 2>'" + errFile + "' </dev/null";
        Process result;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            ADD_FAILURE() << "cannot run " << command;
            return result;
        }
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            result.out.append(buffer, n);
        }
        result.code = WEXITSTATUS(::pclose(pipe));
        result.err = TempFolder::readText(errFile);
        return result;
    }

    std::string newFile(const std::string& name, const std::string& options) {
        const std::string path = files.file(name);
        EXPECT_EQ(cli("new " + options + " '" + path + "'").code, 0);
        return path;
    }

    std::string writeImage(const std::string& name, const RadioImage& image) {
        const std::string path = files.file(name);
        test::ScriptedPrompt prompt;
        EXPECT_TRUE(WriteDataFile(path, image, prompt));
        return path;
    }

    nlohmann::json gridJson(const std::string& arguments) {
        const Process p = cli("grid --json " + arguments);
        EXPECT_EQ(p.code, 0) << p.err;
        return nlohmann::json::parse(p.out, nullptr, false);
    }

    TempFolder home;
    TempFolder files;
};

TEST_F(GridCommandTest, BuiltInImagesInModesZeroAndOne) {
    struct Case {
        const char* newOptions;
        const char* mode;
        const char* firstFrequency;
        bool txShown;
    };
    const Case cases[] = {
        {"--band 12", "", "CH1 (446.00625)", false},
        {"--band 12", MANUFACTURE, "446.00625", true},
        {"--band 5", "", "446.00625", false}, // not a PMR446 radio: no channel names
        {"--band 0", MANUFACTURE, "436.00000", true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.newOptions) + " " + c.mode);
        const std::string path = newFile("built" + std::to_string(n++) + ".k70", c.newOptions);
        const auto before = TempFolder::readBytes(path);
        const nlohmann::json grid = gridJson(std::string(c.mode) + " '" + path + "'");
        ASSERT_FALSE(grid.is_discarded());
        ASSERT_EQ(grid["columns"].size(), 22u);
        EXPECT_EQ(grid["columns"][4]["header"][0], "RX/TX Channel");
        EXPECT_EQ(grid["columns"][4]["width"], 2010);
        EXPECT_EQ(grid["columns"][5]["hidden"], !c.txShown);
        EXPECT_EQ(grid["columns"][1]["hidden"], true);
        ASSERT_FALSE(grid["rows"].empty());
        const auto& first = grid["rows"][0];
        EXPECT_EQ(first["channel"], 1);
        ASSERT_EQ(first["cells"].size(), 22u);
        EXPECT_EQ(first["cells"][0], "  1");
        EXPECT_EQ(first["cells"][4], c.firstFrequency);
        for (const int check : {8, 11, 12, 13, 17, 21}) {
            const std::string text = first["cells"][static_cast<std::size_t>(check)];
            EXPECT_TRUE(text == " " || text == "-") << check;
        }
        EXPECT_EQ(grid["status"], "F1 for Help   F3 for DCS Complement   F10 for Menus");
        EXPECT_TRUE(grid["strip"]["channelCount"]["shown"]);
        EXPECT_EQ(grid["group"], 0);
        EXPECT_TRUE(TempFolder::readBytes(path) == before) << "grid writes nothing";
    }
}

TEST_F(GridCommandTest, TableWithStripAndStatus) {
    const std::string path = newFile("pmr.k70", "--band 12");
    const Process p = cli("grid '" + path + "'");
    ASSERT_EQ(p.code, 0) << p.err;
    EXPECT_EQ(p.err, "");
    EXPECT_NE(p.out.find("Chn  (Frequency)      Code No.(Value)"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("  9  CH1 (446.00625)  No.10 (C-67.0)"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("Band:          PMR446\n"), std::string::npos);
    EXPECT_NE(p.out.find("Channels:      16CH\n"), std::string::npos);
    EXPECT_EQ(p.out.find("TAG"), std::string::npos) << "hidden columns are not printed";
    const std::string status = "\nF1 for Help   F3 for DCS Complement   F10 for Menus\n";
    ASSERT_GT(p.out.size(), status.size());
    EXPECT_EQ(p.out.substr(p.out.size() - status.size()), status);
    EXPECT_NE(p.out.find("\nPrinter:\n"), std::string::npos) << "no printer, no trailing blanks";
}

TEST_F(GridCommandTest, UploadedSimulatorImages) {
    const std::string path = files.file("uploaded.k70");
    const Process upload = cli("upload --sim --sim-instant '" + path + "'");
    ASSERT_EQ(upload.code, 0) << upload.err;
    for (const std::string mode : {"", MANUFACTURE}) {
        const nlohmann::json grid = gridJson(mode + " '" + path + "'");
        ASSERT_FALSE(grid.is_discarded());
        ASSERT_FALSE(grid["rows"].empty());
        for (const auto& row : grid["rows"]) {
            ASSERT_EQ(row["cells"].size(), 22u);
        }
        EXPECT_EQ(grid["strip"]["bandName"]["text"], "PMR446");
    }
}

TEST_F(GridCommandTest, GroupsOfA256ChannelRadio) {
    RadioImage image;
    {
        const std::string made = newFile("groups-src.k70", "--band 12");
        test::ScriptedPrompt prompt;
        ASSERT_TRUE(ReadDataFile(made, image, prompt));
    }
    test::setHardwareValue(image, HW_RADIO_CHANNEL, 6);
    HChannelData data;
    data.extract(image);
    data.groups().setCount(0, 16);
    data.groups().setCount(1, 0);
    data.groups().setCount(2, 4);
    data.store(image);
    const std::string path = writeImage("groups.k70", image);
    const nlohmann::json grid = gridJson(std::string(MANUFACTURE) + " --group 3 '" + path + "'");
    EXPECT_EQ(grid["group"], 2);
    ASSERT_EQ(grid["rows"].size(), 4u);
    EXPECT_EQ(grid["rows"][0]["channel"], 17);
    ASSERT_EQ(grid["groups"].size(), 2u);
    EXPECT_EQ(grid["groups"][1]["text"], "Group 3");
    EXPECT_TRUE(grid["strip"]["channelsLeft"]["shown"]);
    EXPECT_EQ(grid["strip"]["channelsLeft"]["text"], "236 Channels Left");
    EXPECT_FALSE(grid["strip"]["channelCount"]["shown"]);
    EXPECT_EQ(grid["status"],
              "F1 for Help   F2 for Next Group  F3 for DCS Complement   F10 for Menus");
    // An unused group: the view takes the next used one.
    EXPECT_EQ(gridJson(std::string(MANUFACTURE) + " --group 2 '" + path + "'")["group"], 2);
}

TEST_F(GridCommandTest, SaysWhenShowingWouldChangeTheImage) {
    RadioImage image;
    {
        const std::string made = newFile("plan-src.k70", "--band 12");
        test::ScriptedPrompt prompt;
        ASSERT_TRUE(ReadDataFile(made, image, prompt));
    }
    HChannelData data;
    data.extract(image);
    data.setValue(1, rxFrequency, 440000000);
    data.store(image);
    const std::string path = writeImage("offplan.k70", image);
    const auto before = TempFolder::readBytes(path);
    const Process normal = cli("grid '" + path + "'");
    EXPECT_EQ(normal.code, 0);
    EXPECT_NE(normal.err.find("changes"), std::string::npos) << normal.err;
    EXPECT_NE(normal.err.find("nothing was written"), std::string::npos) << normal.err;
    const Process service = cli("grid " + std::string(MANUFACTURE) + " '" + path + "'");
    EXPECT_EQ(service.err.find("changes"), std::string::npos) << service.err;
    EXPECT_NE(service.out.find("440.00000"), std::string::npos);
    EXPECT_TRUE(TempFolder::readBytes(path) == before);
}

TEST_F(GridCommandTest, Refusals) {
    const std::string path = newFile("r.k70", "--band 12");
    EXPECT_EQ(cli("grid --mode 1 '" + path + "'").code, 1);
    EXPECT_EQ(cli("grid '" + files.file("missing.k70") + "'").code, 1);
    EXPECT_EQ(cli("grid --group 17 '" + path + "'").code, 2);
    EXPECT_EQ(cli("grid --mode 3 '" + path + "'").code, 2);
}

} // namespace
} // namespace kq70
