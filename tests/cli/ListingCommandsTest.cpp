#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "output/ListingPages.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr const char* MANUFACTURE_PASSWORD = "Quiet Harbours";

struct ProcessRun {
    int code;
    std::string out;
    std::string err;
};

// kq70-cli as a separate process; the error stream goes to a file.
ProcessRun runProcess(const std::string& arguments, const TempFolder& scratch) {
    const std::string errPath = scratch.file("stderr.txt");
    const std::string command =
        std::string(KQ70_CLI_PATH) + " " + arguments + " 2>'" + errPath + "'";
    ProcessRun run{-1, {}, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = TempFolder::readText(errPath);
    return run;
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

// The pages the core makes for `path`, as kq70-cli listing prints them.
std::string expectedListing(const std::string& path, int mode) {
    test::ScriptedPrompt quiet;
    CKQ70Doc doc;
    EXPECT_TRUE(ReadDataFile(path, doc.GetMainMemory(), quiet));
    const ListingPages pages(doc, mode, path, quiet);
    std::string text;
    for (int n = 0; n < pages.pageCount(); ++n) {
        text += n != 0 ? "\f\n" : "";
        for (const std::string& line : pages.page(n)) {
            text += line + "\n";
        }
    }
    return text;
}

std::string modeArguments(int mode) {
    return mode == ACCESS_NORMAL
               ? std::string()
               : " --mode 1 --mode-password '" + std::string(MANUFACTURE_PASSWORD) + "'";
}

class ListingCommandsTest : public ::testing::Test {
protected:
    // A data file of a built-in image stamped for `band`.
    std::string builtInFile(int band) {
        RadioImage image;
        BuildDefaultImage(band, image);
        const std::string path = files.file("band" + std::to_string(band) + ".k70");
        test::ScriptedPrompt quiet;
        EXPECT_TRUE(WriteDataFile(path, image, quiet));
        return path;
    }

    std::string cli(const std::string& arguments) {
        return "--home " + quoted(home.path()) + " " + arguments;
    }

    TempFolder home;
    TempFolder files;
};

TEST_F(ListingCommandsTest, ProcessesOnBuiltInAndUploadedImagesInBothModes) {
    std::vector<std::string> inputs{builtInFile(12), builtInFile(0)};
    const std::string uploaded = files.file("uploaded.k70");
    const ProcessRun upload =
        runProcess(cli("upload --sim --sim-instant " + quoted(uploaded)), files);
    ASSERT_EQ(upload.code, 0) << upload.err;
    inputs.push_back(uploaded);

    for (const std::string& input : inputs) {
        for (const int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE}) {
            const std::string what = input + " mode " + std::to_string(mode);
            const std::string csv = files.file("out.csv");
            const ProcessRun exported = runProcess(
                cli("export-csv " + quoted(input) + " " + quoted(csv) + modeArguments(mode)),
                files);
            ASSERT_EQ(exported.code, 0) << what << exported.err;
            EXPECT_EQ(exported.out, "Saved " + csv + "\n");
            const std::string written = TempFolder::readText(csv);
            const std::string fileRow =
                "\"File Name\",\"" + input.substr(input.rfind('/') + 1) + "\"\r\n";
            EXPECT_TRUE(
                written.starts_with("\"***  Orvalis QM-724 PMR446  ***\",\"\"\r\n" + fileRow))
                << what;
            EXPECT_EQ(written.find("\"***Hardware Parameters***\"") != std::string::npos,
                      mode == ACCESS_MANUFACTURE)
                << what;
            EXPECT_TRUE(written.ends_with("\"\"\r\n")) << what;

            const ProcessRun listing =
                runProcess(cli("listing " + quoted(input) + modeArguments(mode)), files);
            ASSERT_EQ(listing.code, 0) << what << listing.err;
            EXPECT_EQ(listing.out, expectedListing(input, mode)) << what;
            // The VHF image has no programmed channel, so no channel page.
            EXPECT_EQ(listing.out.find("\n\f\n") != std::string::npos, input != inputs[1]) << what;
        }
    }
}

// A stored frequency the grid cannot show (440 MHz on a PMR446 radio) is listed as the grid
// shows it once the program has opened the file; the file itself is left alone.
TEST_F(ListingCommandsTest, ListsTheTextsTheGridShows) {
    RadioImage image;
    BuildDefaultImage(12, image);
    HChannelData data;
    data.extract(image);
    data.setValue(1, rxFrequency, 440000000);
    data.store(image);
    const std::string input = files.file("offplan.k70");
    test::ScriptedPrompt quiet;
    ASSERT_TRUE(WriteDataFile(input, image, quiet));
    const std::string before = TempFolder::readText(input);
    const std::string csv = files.file("out.csv");
    for (const std::string& arguments :
         {"export-csv " + quoted(input) + " " + quoted(csv), "listing " + quoted(input)}) {
        const ProcessRun run = runProcess(cli(arguments), files);
        ASSERT_EQ(run.code, 0) << arguments << run.err;
        const std::string listed =
            arguments.starts_with("listing") ? run.out : TempFolder::readText(csv);
        EXPECT_EQ(listed.find("440.00000"), std::string::npos) << arguments;
        EXPECT_NE(run.err.find("changes"), std::string::npos) << arguments << run.err;
        EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << run.err;
    }
    EXPECT_EQ(TempFolder::readText(input), before);
}

TEST_F(ListingCommandsTest, FailuresExitWithTheProgramsMessage) {
    const std::string input = builtInFile(12);
    const std::string existing = files.file("kept.csv");
    TempFolder::writeText(existing, "kept\r\n");
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"export-csv " + quoted(files.file("none.k70")) + " " + quoted(existing),
         "Problem opening file"},
        {"export-csv " + quoted(input) + " " + quoted(files.file("gone/out.csv")),
         "Problem opening file\n" + files.file("gone/out.csv")},
        {"export-csv " + quoted(input) + " " + quoted(existing) + " --mode 1 --mode-password wrong",
         "the password for access mode 1 is wrong"},
        {"export-csv " + quoted(input) + " /dev/full", "Problem opening file\n/dev/full"},
        {"listing " + quoted(files.file("none.k70")), "Problem opening file"},
    };
    for (const Case& c : cases) {
        const ProcessRun run = runProcess(cli(c.arguments), files);
        EXPECT_EQ(run.code, 1) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
    }
    EXPECT_EQ(TempFolder::readText(existing), "kept\r\n");
    EXPECT_FALSE(TempFolder::exists(files.file("gone")));
}

} // namespace
} // namespace kq70
