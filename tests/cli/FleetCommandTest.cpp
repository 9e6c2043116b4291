#include "FleetCommand.h"

#include "SimulatorSeed.h"
#include "params/HHardwareParams.h"
#include "platform/Sha256.h"
#include "support/CliFixture.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace kq70 {
namespace {

using test::CliRun;
using test::contains;
using test::TempFolder;

class FleetCommandTest : public test::CliFixture {
protected:
    FleetCommandTest() {
        RadioImage document = makeSimulatorSeedImage();
        document.setByte(0x0020, 0xA5);
        test::writeDataFile(path, document);
    }

    const std::string path = files.file("radio.k70");
    const std::string record = files.file("radio.k70.record.csv");
};

// Three simulated radios: a JSON document with one object per radio, each verified with its
// own serial number, and one record line per radio (what a second run appends is the record's
// own test).
TEST_F(FleetCommandTest, SeveralSimulatedRadiosAsJsonAndInTheRecord) {
    const CliRun result = run({"download", "--sim", "3", "--sim-instant", "--yes", "--json", path});
    ASSERT_EQ(result.code, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    ASSERT_EQ(json["radios"].size(), 3u) << result.out;
    EXPECT_EQ(json["radios"][2]["port"], "simulated radio 3");
    EXPECT_EQ(json["summary"], "3 of 3 verified");
    EXPECT_EQ(json["record"], record);
    EXPECT_EQ(json["sha256"], Sha256::hex(TempFolder::readBytes(path)));
    // The radios' lines go to the error stream with --json.
    EXPECT_TRUE(contains(result.err, "simulated radio 2 serial 45250143: Verified")) << result.err;

    // What a record line holds is the record's own test.
    const std::string lines = TempFolder::readText(record);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4);
}

// Without --json: a line per radio, then the summary and where the record is. A radio of
// another band fails each one, and the exit code says so.
TEST_F(FleetCommandTest, LinesAndSummaryOnStdoutAndTheExitCode) {
    RadioImage otherBand = makeSimulatorSeedImage();
    test::setHardwareValue(otherBand, HW_FREQUENCY_BAND, 9);
    const std::string vhf = dataFile("vhf.k70", otherBand);
    const std::string elsewhere = files.file("elsewhere.csv");

    const CliRun failed = run({"download", "--sim", "2", "--sim-instant", "--sim-image", vhf,
                               "--yes", "--no-verify", "--record", elsewhere, path});
    EXPECT_EQ(failed.code, 1);
    const std::string mismatch = "Failed: Frequency Band mismatched!";
    EXPECT_TRUE(contains(failed.out, "simulated radio 1 serial 45250142: " + mismatch))
        << failed.out;
    EXPECT_TRUE(contains(failed.out, "0 of 2 written, 2 failed: simulated radio 1 Frequency "
                                     "Band mismatched!; simulated radio 2 Frequency Band "
                                     "mismatched!\nRecord: " +
                                         elsewhere + "\n"))
        << failed.out;
    const std::string lines = TempFolder::readText(elsewhere);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3);
    EXPECT_FALSE(TempFolder::exists(record));

    // A record that cannot be written is reported; the radios' results are still shown.
    const CliRun unrecorded = run({"download", "--sim", "2", "--sim-instant", "--yes", "--record",
                                   files.file("missing/record.csv"), path});
    EXPECT_EQ(unrecorded.code, 1);
    EXPECT_TRUE(contains(unrecorded.out, "2 of 2 verified\n")) << unrecorded.out;
    EXPECT_TRUE(contains(unrecorded.err, "The programming record")) << unrecorded.err;
}

TEST_F(FleetCommandTest, SeveralRadiosCommandLineMistakes) {
    const std::vector<std::vector<std::string>> cases = {
        {"download", "--sim", "9", path},
        {"download", "--sim", "0", path},
        {"download", "--port", "/dev/ttyUSB0", "--port", "/dev/ttyUSB0", path},
        {"download", "--port", "/dev/ttyUSB0", "--sim", "2", path},
        {"download", "--sim", "2", "--json", "--record"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(run(args).code, 2) << args[1] << " " << args[2] << " " << args[3];
    }
    // --sim before the file is today's single simulated radio, with its own messages.
    const CliRun single = run({"download", "--sim-instant", "--yes", "--sim", path});
    EXPECT_EQ(single.code, 0) << single.err;
    EXPECT_TRUE(contains(single.err, text::DOWNLOAD_COMPLETE));
    EXPECT_FALSE(TempFolder::exists(record));
}

} // namespace
} // namespace kq70
