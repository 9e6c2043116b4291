#include "support/BuiltPrograms.h"
#include "support/CliFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace kq70 {
namespace {

using test::CliRun;
using test::TempFolder;
using CliAppTest = test::CliFixture;

TEST_F(CliAppTest, CheckReportsGoodFilesAndTheMessageForBadOnes) {
    struct Case {
        const char* name;
        std::size_t size;
        int code;
        std::string out;
    };
    // Which files are refused, and in which words, is the data file's rule.
    const Case cases[] = {
        {"radio.k70", 10787, 0, "OK 10787 bytes\n"},
        {"old.W70", 10768, 0, "OK 10768 bytes\n"},
        {"short.k70", 10786, 1, ""},
    };
    for (const Case& c : cases) {
        const std::string path = files.file(c.name);
        TempFolder::writeBytes(path, std::vector<std::uint8_t>(c.size, 0x11));
        const CliRun checked = run({"check", path});
        EXPECT_EQ(checked.code, c.code) << c.name;
        EXPECT_EQ(checked.out, c.out) << c.name;
        EXPECT_EQ(checked.err.empty(), c.code == 0) << c.name;
    }
}

TEST_F(CliAppTest, VersionHelpAndBadUsage) {
    const CliRun version = test::runCliWith({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "kq70-cli (KQ70) " KQ70_TEST_PROJECT_VERSION "\n");

    const CliRun help = test::runCliWith({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("check"), std::string::npos);

    EXPECT_NE(test::runCliWith({"--log-level", "9", "check", "x.k70"}).code, 0);
    EXPECT_NE(test::runCliWith({"frobnicate"}).code, 0);
}

TEST_F(CliAppTest, LogLevelWritesALogWithItsBanners) {
    const std::string path = files.file("radio.k70");
    TempFolder::writeBytes(path, std::vector<std::uint8_t>(IMAGE_SIZE, 0));
    ASSERT_EQ(run({"--log-level", "6", "check", path}).code, 0);
    // The log's own banners are the log's test; the closing one shows the program closed it.
    const std::string log = TempFolder::readText(home.file("kq70-cli.log"));
    EXPECT_NE(log.find("The log output ended."), std::string::npos) << log;
}

// Reading a file needs no settings write: a program folder that cannot be made is no reason
// to refuse a read-only command.
TEST_F(CliAppTest, ReadOnlyCommandsNeedNoUsableProgramFolder) {
    const std::string blocker = files.file("not-a-folder");
    TempFolder::writeText(blocker, "x");
    const std::string unusable = blocker + "/kq70"; // under a file: can never be created
    const std::string path = files.file("radio.k70");
    ASSERT_EQ(run({"new", path}).code, 0);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"check", path}, {"show", path}, {"show", "--json", path}}) {
        const CliRun read = test::runCliWith(args, unusable);
        EXPECT_EQ(read.code, 0) << args[0] << ": " << read.err;
        EXPECT_NE(read.out, "") << args[0];
        EXPECT_EQ(read.err, "") << args[0];
    }
}

// The real program, as a user's script runs it.
// Standard output on a full disk: what was asked for never arrived, so the command failed.
TEST_F(CliAppTest, OutputThatCannotBeWrittenIsAFailure) {
    const std::string path = files.file("radio.k70");
    ASSERT_EQ(run({"new", path}).code, 0);
    const std::string errors = files.file("stderr.txt");
    const std::vector<std::string> commands = {"--version", "show '" + path + "'",
                                               "show --json '" + path + "'", "upload --help"};
    for (const std::string& command : commands) {
        const std::string line = test::cliProgram() + " --home '" + home.path() + "' " + command +
                                 " >/dev/full 2>'" + errors + "'";
        EXPECT_EQ(WEXITSTATUS(std::system(line.c_str())), 1) << command;
        EXPECT_EQ(
            TempFolder::readText(errors).rfind("kq70-cli: the output could not be written", 0), 0u)
            << command << ": " << TempFolder::readText(errors);
    }
}

} // namespace
} // namespace kq70
