#include "DiffCommand.h"

#include "channel/HChannelData.h"
#include "doc/DefaultImages.h"
#include "params/HPowerSaveParams.h"
#include "support/CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <memory>

namespace kq70 {
namespace {

using test::CliRun;
using test::TempFolder;

class DiffCommandTest : public test::CliFixture {
protected:
    DiffCommandTest() {
        BuildDefaultImage(12, base);
        auto channels = std::make_unique<HChannelData>();
        channels->extract(base);
        channels->store(base);
        changed = base;
        channels->extract(changed);
        channels->setValue(4, txToneMode, 1);
        channels->setValue(4, txToneCode, 1000);
        channels->store(changed);
        HPowerSaveParams powerSave;
        powerSave.extract(changed);
        powerSave.set(HPowerSaveParams::TRANSMIT_TIMER, 3);
        powerSave.store(changed);
        changed.setByte(0x2A08, static_cast<std::uint8_t>(changed.byteAt(0x2A08) ^ 0xFF));
    }

    RadioImage base;
    RadioImage changed;
};

TEST_F(DiffCommandTest, ExitCodesAreDiffs) {
    const std::string a = dataFile("a.k70", base);
    const std::string same = dataFile("same.k70", base);
    const std::string b = dataFile("b.k70", changed);
    const std::string shortFile = files.file("short.k70");
    TempFolder::writeBytes(shortFile, std::vector<std::uint8_t>(10786, 0));
    const std::string missing = files.file("missing.k70");
    // Not every message of the file checks names the file: the command does.
    const auto unread = [](const std::string& path) {
        return "cannot compare: " + path + " could not be read";
    };
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err; // a part of the error stream
    };
    const std::vector<Case> cases = {
        {{"diff", a, same}, 0, ""},
        {{"diff", a, b}, 1, ""},
        {{"diff", b, a, "--json"}, 1, ""},
        {test::inManufactureMode({"diff", a, b}), 1, ""},
        {{"diff", a, missing}, 2, unread(missing)},
        {{"diff", shortFile, a}, 2, unread(shortFile)},
        {{"diff", a, b, "--mode", "1", "--mode-password", "wrong"}, 2, ""},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.args);
        EXPECT_EQ(result.code, c.code) << c.args.back() << ": " << result.err;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
        if (c.code == 0) {
            EXPECT_EQ(result.out, "");
        }
    }
}

TEST_F(DiffCommandTest, PrintsWhatThePagesAndTheGridShow) {
    const CliRun text = run({"diff", dataFile("a.k70", base), dataFile("b.k70", changed)});
    EXPECT_EQ(text.code, 1);
    EXPECT_EQ(text.out, "[Power Saving]\n"
                        "Transmit Timer: \"1   min\" -> \"3   min\"\n"
                        "[Channels]\n"
                        "CH5 Sub Audio Enc: \"-----\" -> \"C- (100.0)\"\n"
                        "[Not shown]\n"
                        "Bytes that differ: 1\n");

    const CliRun json = run({"diff", files.file("b.k70"), files.file("a.k70"), "--json"});
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_FALSE(document["equal"].get<bool>());
    EXPECT_EQ(document["unshownBytes"], 1);
    ASSERT_EQ(document["entries"].size(), 2u);
    EXPECT_EQ(document["entries"][1]["a"], "C- (100.0)");
    EXPECT_EQ(document["entries"][1]["channel"], 5);
}

} // namespace
} // namespace kq70
