// Outputs of kq70-cli never replace the command's own input, never replace a read-only file,
// and follow a symbolic link to its target even when the target is not there yet.

#include "SimulatorSeed.h"
#include "support/BuiltPrograms.h"
#include "support/CliFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr const char* READ_ONLY = "The File's attribute is Read_Only.";
constexpr const char* OWN_INPUT = "is also read by this command";

class OutputGuardTest : public test::CliFixture {
protected:
    OutputGuardTest() {
        test::writeDataFile(data, makeSimulatorSeedImage());
        test::writeDataFile(patchNamedK70, makeSimulatorSeedImage());
        TempFolder::writeText(readOnlyCsv, "kept\r\n");
        test::writeDataFile(readOnlyK70, makeSimulatorSeedImage());
        EXPECT_EQ(::chmod(readOnlyCsv.c_str(), 0444), 0);
        EXPECT_EQ(::chmod(readOnlyK70.c_str(), 0444), 0);
        EXPECT_EQ(::symlink(data.c_str(), linkToData.c_str()), 0);
    }

    const std::string data = files.file("radio.k70");
    const std::string patchNamedK70 = files.file("patch.k70");
    const std::string readOnlyCsv = files.file("locked.csv");
    const std::string readOnlyK70 = files.file("locked.k70");
    const std::string linkToData = files.file("link.csv");
};

TEST_F(OutputGuardTest, AnOutputOverAnInputOrAReadOnlyFileIsRefused) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
        std::string untouched;
    };
    const Case cases[] = {
        {{"export-csv", data, data}, OWN_INPUT, data},
        {{"export-csv", data, linkToData}, OWN_INPUT, data},
        {{"export-csv", data, readOnlyCsv}, READ_ONLY, readOnlyCsv},
        {{"new", "--force", readOnlyK70}, READ_ONLY, readOnlyK70},
        {{"apply", data, patchNamedK70, "-o", patchNamedK70}, OWN_INPUT, patchNamedK70},
        {{"upload", "--sim", "--sim-instant", "--sim-image", data, data},
         "simulated radio's",
         data},
    };
    for (const Case& c : cases) {
        const auto before = TempFolder::readBytes(c.untouched);
        const test::CliRun refused = run(c.args);
        EXPECT_EQ(refused.code, 1) << c.args.front() << ": " << refused.err;
        EXPECT_TRUE(test::contains(refused.err, c.message))
            << c.args.front() << ": " << refused.err;
        EXPECT_EQ(TempFolder::readBytes(c.untouched), before) << c.args.front();
    }
}

// A listing or summary appended to the data file it shows would spoil it.
TEST_F(OutputGuardTest, TheStandardOutputRedirectedIntoTheInputIsRefused) {
    const auto before = TempFolder::readBytes(data);
    for (const char* command : {"listing", "show"}) {
        const std::string shell =
            test::cliProgram() + " " + command + " '" + data + "' >>'" + data + "' 2>/dev/null";
        const int status = std::system(shell.c_str());
        EXPECT_EQ(WEXITSTATUS(status), 1) << command;
        EXPECT_EQ(TempFolder::readBytes(data), before) << command;
    }
}

// A link whose target does not exist yet: the file is made where the link points, and the
// link stays a link.
TEST_F(OutputGuardTest, ADanglingLinkIsWrittenThroughToItsTarget) {
    ASSERT_EQ(::mkdir(files.file("real").c_str(), 0700), 0);
    struct Case {
        std::vector<std::string> args;
        std::string link;
        std::string target;
    };
    const Case cases[] = {
        {{"new", files.file("new.k70")}, files.file("new.k70"), "real/made.k70"},
        {{"export-csv", data, files.file("out.csv")}, files.file("out.csv"), "real/out.csv"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(::symlink(c.target.c_str(), c.link.c_str()), 0);
        const test::CliRun made = run(c.args);
        EXPECT_EQ(made.code, 0) << made.err;
        struct stat info {};
        ASSERT_EQ(::lstat(c.link.c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << c.link << " was replaced";
        ASSERT_EQ(::stat(files.file(c.target).c_str(), &info), 0) << c.target;
        EXPECT_GT(info.st_size, 0);
    }
}

} // namespace
} // namespace kq70
