#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "output/ListingPages.h"
#include "support/CliFixture.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::Args;
using test::CliRun;
using test::TempFolder;

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

Args withMode(Args args, int mode) {
    return mode == ACCESS_NORMAL ? args : test::inManufactureMode(args);
}

class ListingCommandsTest : public test::CliFixture {
protected:
    std::string builtInFile(int band) {
        RadioImage image;
        BuildDefaultImage(band, image);
        return dataFile("band" + std::to_string(band) + ".k70", image);
    }
};

// What is listed is the listing pages' rule; here both commands print or save exactly that, in
// both modes.
TEST_F(ListingCommandsTest, ExportAndListingInBothModes) {
    const std::string input = builtInFile(12);
    for (const int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE}) {
        const std::string what = input + " mode " + std::to_string(mode);
        const std::string csv = files.file("out.csv");
        const CliRun exported = run(withMode({"export-csv", input, csv}, mode));
        ASSERT_EQ(exported.code, 0) << what << exported.err;
        EXPECT_EQ(exported.out, "Saved " + csv + "\n");
        const std::string written = TempFolder::readText(csv);
        // The source's name, not the output's, heads the CSV.
        const std::string name = input.substr(input.rfind('/') + 1);
        EXPECT_NE(written.find("\"File Name\",\"" + name + "\"\r\n"), std::string::npos) << what;
        EXPECT_EQ(written.find("\"***Hardware Parameters***\"") != std::string::npos,
                  mode == ACCESS_MANUFACTURE)
            << what;

        const CliRun listing = run(withMode({"listing", input}, mode));
        ASSERT_EQ(listing.code, 0) << what << listing.err;
        EXPECT_EQ(listing.out, expectedListing(input, mode)) << what;
    }
}

TEST_F(ListingCommandsTest, FailuresExitWithTheProgramsMessage) {
    const std::string input = builtInFile(12);
    const std::string existing = files.file("kept.csv");
    TempFolder::writeText(existing, "kept\r\n");
    struct Case {
        Args args;
        std::string message;
    };
    const Case cases[] = {
        {{"export-csv", files.file("none.k70"), existing}, "Problem opening file"},
        {{"export-csv", input, files.file("gone/out.csv")},
         "Problem opening file\n" + files.file("gone/out.csv")},
        {{"export-csv", input, "/dev/full"}, "Problem opening file\n/dev/full"},
        {{"listing", files.file("none.k70")}, "Problem opening file"},
    };
    for (const Case& c : cases) {
        const CliRun failed = run(c.args);
        EXPECT_EQ(failed.code, 1) << c.args[1];
        EXPECT_NE(failed.err.find(c.message), std::string::npos) << c.args[1] << "\n" << failed.err;
    }
    EXPECT_EQ(TempFolder::readText(existing), "kept\r\n");
    EXPECT_FALSE(TempFolder::exists(files.file("gone")));
}

} // namespace
} // namespace kq70
