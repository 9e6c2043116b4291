#include "frame/FleetRecord.h"

#include "frame/FleetDownload.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr const char* SHA = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
const std::string HEADER =
    "\"Date and time\",\"Data file\",\"SHA-256\",\"Port\",\"Serial number\",\"Result\","
    "\"Seconds\"\r\n";

FleetRadioResult result(std::string port, std::string serial, FleetOutcome outcome,
                        std::string message = {}) {
    FleetRadioResult r;
    r.port = std::move(port);
    r.serialNumber = std::move(serial);
    r.outcome = outcome;
    r.message = std::move(message);
    r.finished = true;
    r.start = std::chrono::system_clock::now();
    r.seconds = 18.66;
    return r;
}

// The record without its date cells, which depend on the clock and the zone.
std::string withoutDates(const std::string& text) {
    return std::regex_replace(text, std::regex(R"re("\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}",)re"),
                              "DATE,");
}

TEST(FleetRecordTest, EachRunAppendsOneLinePerRadioUnderOneHeader) {
    TempFolder folder;
    const std::string data = folder.file("radio.k70");
    const std::string record = FleetRecord::PathFor(data);
    EXPECT_EQ(record, folder.file("radio.k70.record.csv"));

    ASSERT_EQ(FleetRecord::Append(record, data, SHA,
                                  {result("/dev/ttyUSB0", "45250142", FleetOutcome::Verified),
                                   result("/dev/ttyUSB1", "45250143", FleetOutcome::Failed,
                                          "Hardware Type Mismatched!")}),
              std::nullopt);
    ASSERT_EQ(FleetRecord::Append(
                  record, data, SHA,
                  {result("/dev/ttyUSB2", "", FleetOutcome::NotAnswering),
                   result("COM \"3\"\nx", "45250145", FleetOutcome::Cancelled),
                   result("/dev/ttyUSB4", "45250146", FleetOutcome::WrittenWithoutVerify)}),
              std::nullopt);

    const auto line = [](const std::string& cells) {
        return "DATE,\"radio.k70\",\"" + std::string(SHA) + "\"," + cells + ",\"18.7\"\r\n";
    };
    EXPECT_EQ(withoutDates(TempFolder::readText(record)),
              HEADER + line(R"("/dev/ttyUSB0","45250142","Verified")") +
                  line(R"("/dev/ttyUSB1","45250143","Failed: Hardware Type Mismatched!")") +
                  line(R"("/dev/ttyUSB2","","Not answering")") +
                  // A quote in a cell is doubled and a line break becomes a blank.
                  line(R"("COM ""3"" x","45250145","Cancelled")") +
                  line(R"("/dev/ttyUSB4","45250146","Written without verify")"));
}

// An empty file gets the header; a file whose last line was cut short gets a line end first,
// so the new line is a line of its own; nothing already there changes.
TEST(FleetRecordTest, AppendsAfterWhatTheFileHolds) {
    TempFolder folder;
    const std::pair<std::string, std::string> cases[] = {
        {"", HEADER}, {HEADER, ""}, {HEADER + "\"cut", "\r\n"}};
    for (const auto& [before, lead] : cases) {
        const std::string record = folder.file("record.csv");
        TempFolder::writeText(record, before);
        ASSERT_EQ(FleetRecord::Append(record, "/a/b/x.k70", SHA,
                                      {result("p", "1", FleetOutcome::Verified)}),
                  std::nullopt);
        const std::string text = TempFolder::readText(record);
        ASSERT_TRUE(text.starts_with(before + lead)) << text;
        EXPECT_TRUE(text.ends_with("\"Verified\",\"18.7\"\r\n")) << text;
    }
}

TEST(FleetRecordTest, AFailedAppendSaysWhyAndLeavesNothingBehind) {
    TempFolder folder;
    for (const std::string& record :
         {folder.path(), folder.file("missing/record.csv"), std::string("/dev/null")}) {
        const auto message =
            FleetRecord::Append(record, "x.k70", SHA, {result("p", "1", FleetOutcome::Verified)});
        ASSERT_TRUE(message.has_value()) << record;
        EXPECT_TRUE(
            message->starts_with("The programming record " + record + " could not be written: "))
            << *message;
    }
    EXPECT_FALSE(TempFolder::exists(folder.file("missing")));
}

} // namespace
} // namespace kq70
