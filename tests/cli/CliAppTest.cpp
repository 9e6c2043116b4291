#include "CliApp.h"
#include "image/RadioImage.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

namespace kq70 {
namespace {

using test::TempFolder;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun runInProcess(std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(args, in, out, err, false);
    return {code, out.str(), err.str()};
}

TEST(CliAppTest, CheckReportsGoodFilesAndTheMessageForBadOnes) {
    TempFolder home;
    TempFolder files;
    struct Case {
        const char* name;
        std::size_t size; // 0: no file
        int code;
        std::string out;
        std::string err;
    };
    const std::string folder = files.path();
    const Case cases[] = {
        {"radio.k70", 10787, 0, "OK 10787 bytes\n", ""},
        {"old.W70", 10768, 0, "OK 10768 bytes\n", ""},
        {"radio.txt", 10787, 1, "", "Problem opening file\nFile Name = " + folder + "/radio.txt\n"},
        {"short.k70", 10786, 1, "",
         "The File cannot be Opened.\nThe File's format is invalid or not Supported\n"},
        {"absent.k70", 0, 1, "", "Problem opening file\nFile Name = " + folder + "/absent.k70\n"},
    };
    for (const Case& c : cases) {
        const std::string path = files.file(c.name);
        if (c.size > 0) {
            TempFolder::writeBytes(path, std::vector<std::uint8_t>(c.size, 0x11));
        }
        const CliRun run = runInProcess({"--home", home.path(), "check", path});
        EXPECT_EQ(run.code, c.code) << c.name;
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.err, c.err) << c.name;
    }
}

TEST(CliAppTest, VersionHelpAndBadUsage) {
    const CliRun version = runInProcess({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("kq70-cli ", 0), 0u);
    EXPECT_NE(version.out.find("KQ70 Ver1.01"), std::string::npos);

    const CliRun help = runInProcess({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("check"), std::string::npos);

    EXPECT_NE(runInProcess({"check"}).code, 0) << "a missing file argument is a usage error";
    EXPECT_NE(runInProcess({"--log-level", "9", "check", "x.k70"}).code, 0);
    EXPECT_NE(runInProcess({"frobnicate"}).code, 0);
}

TEST(CliAppTest, LogLevelWritesIntoTheProgramFolder) {
    TempFolder home;
    TempFolder files;
    const std::string path = files.file("radio.k70");
    TempFolder::writeBytes(path, std::vector<std::uint8_t>(IMAGE_SIZE, 0));
    ASSERT_EQ(runInProcess({"--home", home.path(), "--log-level", "6", "check", path}).code, 0);
    EXPECT_TRUE(TempFolder::exists(home.file("kq70-cli.log")));
}

// The real program, as a user's script runs it.
TEST(CliAppTest, ProgramExitCodes) {
    TempFolder home;
    TempFolder files;
    const std::string good = files.file("good.k70");
    TempFolder::writeBytes(good, std::vector<std::uint8_t>(IMAGE_SIZE, 0));
    const std::string base = std::string(KQ70_CLI_PATH) + " --home '" + home.path() + "' check ";
    EXPECT_EQ(WEXITSTATUS(std::system((base + "'" + good + "' >/dev/null").c_str())), 0);
    EXPECT_EQ(
        WEXITSTATUS(std::system((base + "'" + files.file("none.k70") + "' 2>/dev/null").c_str())),
        1);
}

} // namespace
} // namespace kq70
