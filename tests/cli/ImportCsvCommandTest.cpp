#include "support/CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace kq70 {
namespace {

using test::CliRun;
using test::filesIn;
using test::TempFolder;

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

class ImportCsvCommandTest : public test::CliFixture {
protected:
    ImportCsvCommandTest() {
        EXPECT_EQ(run({"new", radio}).code, 0);
        EXPECT_EQ(run({"export-csv", radio, csv}).code, 0);
        exportedCsv = TempFolder::readText(csv);
        radioBytes = TempFolder::readBytes(radio);
    }

    void writeCsv(const std::string& text) const { TempFolder::writeText(csv, text); }

    const std::string radio = files.file("radio.k70");
    const std::string csv = files.file("radio.csv");
    std::string exportedCsv;
    std::vector<std::uint8_t> radioBytes;
};

// A good CSV is written over FILE (or into OUT) whole, leaving no other file behind; the
// output says what became of the channels the CSV does not list.
TEST_F(ImportCsvCommandTest, AGoodCsvIsWrittenWholeAndSaysWhatItDidWithUnlistedChannels) {
    writeCsv(replaced(exportedCsv, "\"  3\",\"CH3 (446.03125)\",\"-----\"",
                      "\"  3\",\"CH3 (446.03125)\",\"No.12 (C-71.9)\""));
    const std::string out = files.file("out.k70");
    const CliRun toOut = run({"import-csv", radio, csv, "-o", out});
    EXPECT_EQ(toOut.code, 0) << toOut.err;
    EXPECT_EQ(TempFolder::readBytes(radio), radioBytes);
    EXPECT_NE(TempFolder::readBytes(out), radioBytes);

    writeCsv(replaced(
        exportedCsv,
        "\"  7\",\"CH7 (446.08125)\",\"-----\",\"-\",\"-\",\"-\",\"-\",\"3\",\"-\",\"-\"\r\n", ""));
    const CliRun kept = run({"import-csv", radio, csv});
    EXPECT_EQ(kept.code, 0) << kept.err;
    EXPECT_EQ(kept.out, "Wrote " + radio +
                            "\n1 programmed channel(s) not in the CSV were kept "
                            "(--unlisted unprogram makes them unused): 7\n");
    const CliRun unused = run({"import-csv", radio, csv, "--unlisted", "unprogram", "--json"});
    EXPECT_EQ(unused.code, 0) << unused.err;
    const auto json = nlohmann::json::parse(unused.out);
    EXPECT_EQ(json["unlisted"], "unprogrammed");
    EXPECT_EQ(json["unlistedChannels"], nlohmann::json::array({7}));
    EXPECT_EQ(filesIn(files.path()),
              (std::vector<std::string>{"out.k70", "radio.csv", "radio.k70"}));
}

// A CSV with bad cells writes nothing: every error on the error stream (as JSON with --json),
// exit code 1, the file untouched and no output file made.
TEST_F(ImportCsvCommandTest, ABadCsvWritesNothingAndListsEveryError) {
    // Which cells are bad, and in which words, is the CSV import's rule.
    const std::string bad =
        replaced(exportedCsv, "\"  5\",\"CH5 (446.05625)\",\"-----\",\"-\",\"-\",\"-\",\"-\",\"3\"",
                 "\"  5\",\"CH5 (446.05625)\",\"-----\",\"-\",\"-\",\"-\",\"-\",\"20\"");
    writeCsv(bad);
    const std::string out = files.file("out.k70");
    const CliRun text = run({"import-csv", radio, csv, "-o", out});
    EXPECT_EQ(text.code, 1);
    EXPECT_NE(text.err.find(": line 56, SQ: \"20\" is not a squelch level 0-15"), std::string::npos)
        << text.err;
    EXPECT_NE(text.err.find("nothing was written"), std::string::npos);

    const CliRun json = run({"import-csv", radio, csv, "--json"});
    EXPECT_EQ(json.code, 1);
    const auto errors = nlohmann::json::parse(json.err)["errors"];
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0]["line"], 56);
    EXPECT_EQ(errors[0]["column"], "SQ");
    EXPECT_EQ(TempFolder::readBytes(radio), radioBytes);
    EXPECT_FALSE(TempFolder::exists(out));

    // The service modes' CSV is read in its mode (a wrong mode password is the transfer test's).
    EXPECT_EQ(run(test::inManufactureMode({"export-csv", radio, csv})).code, 0);
    const CliRun service = run(test::inManufactureMode({"import-csv", radio, csv}));
    EXPECT_EQ(service.code, 0) << service.err;
    EXPECT_EQ(TempFolder::readBytes(radio), radioBytes);
}

} // namespace
} // namespace kq70
