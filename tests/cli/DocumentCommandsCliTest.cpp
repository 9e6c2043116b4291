#include "DocumentSummary.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "params/HHardwareParams.h"
#include "support/CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <unistd.h>

namespace kq70 {
namespace {

using test::CliRun;
using test::contains;
using test::TempFolder;
using Bytes = std::vector<std::uint8_t>;

Bytes builtImage(int band) {
    RadioImage image;
    BuildDefaultImage(band, image);
    return Bytes(image.bytes().begin(), image.bytes().end());
}

class DocumentCommandsCliTest : public test::CliFixture {
protected:
    std::string newDocument(const std::string& name) {
        const std::string path = files.file(name);
        EXPECT_EQ(run({"new", path}).code, 0);
        return path;
    }

    nlohmann::json shown(const std::string& path) {
        const CliRun shownRun = run({"show", "--json", path});
        EXPECT_EQ(shownRun.code, 0) << shownRun.err;
        return nlohmann::json::parse(shownRun.out);
    }
};

// Which template a band takes is the document commands' rule; here the options and what the
// command writes.
TEST_F(DocumentCommandsCliTest, NewMakesTheDocumentTheProgramMakes) {
    const std::string path = files.file("new.k70");
    for (const auto& [args, band] :
         {std::pair<test::Args, int>{{"new", "--force", path}, PMR446_BAND},
          {{"new", "--force", "--band", "4", path}, 4}}) {
        const CliRun made = run(args);
        ASSERT_EQ(made.code, 0) << made.err;
        EXPECT_EQ(made.out, "Wrote " + path + " (10787 bytes)\n");
        EXPECT_TRUE(TempFolder::readBytes(path) == builtImage(band)) << band;
    }
    // Without a template the built image became the band's template, as File > New does.
    EXPECT_TRUE(TempFolder::readBytes(home.file("default_pmr.k70")) == builtImage(PMR446_BAND));
    // What the display type sets is the document commands' rule; here that --lcd reaches it.
    const std::string lcd = files.file("lcd.k70");
    ASSERT_EQ(run({"new", "--lcd", "1", lcd}).code, 0);
    const auto lcdShown = shown(lcd);
    EXPECT_EQ(lcdShown["hardware"][HW_LCD_TYPE], 1);
    EXPECT_EQ(lcdShown["size"], 10787) << "show --json gives the file's size";
}

TEST_F(DocumentCommandsCliTest, NewRefusesWithoutTouchingFiles) {
    const std::string existing = files.file("mine.k70");
    TempFolder::writeBytes(existing, Bytes(IMAGE_SIZE, 0x5A));
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    };
    const Case cases[] = {
        {{"new", "--band", "2", files.file("b2.k70")},
         1,
         "kq70-cli: band 2 is not defined; use 0, 1, 4, 5, 6, 8, 9, 12 or 13\n"},
        {{"new", existing}, 1, "kq70-cli: " + existing + " exists; give --force to replace it\n"},
        {{"new", files.file("radio.bin")},
         1,
         "kq70-cli: the new file " + files.file("radio.bin") + " must end in .k70\n"},
        {{"new", "--band", "14", files.file("b14.k70")}, 2, "--band: Value 14 not in range"},
    };
    for (const Case& c : cases) {
        const CliRun refused = run(c.args);
        EXPECT_EQ(refused.code, c.code) << c.args[1];
        EXPECT_TRUE(contains(refused.err, c.err)) << refused.err;
    }
    EXPECT_TRUE(TempFolder::readBytes(existing) == Bytes(IMAGE_SIZE, 0x5A));
    for (const char* name : {"b2.k70", "radio.bin", "b14.k70"}) {
        EXPECT_FALSE(TempFolder::exists(files.file(name))) << name;
    }
}

TEST_F(DocumentCommandsCliTest, ShowSummaryListsTheProgrammedChannels) {
    const std::string path = newDocument("radio.k70");
    const std::string patch = files.file("dcs.json");
    TempFolder::writeText(patch, R"({"channels": [
        {"index": 1, "txToneMode": 2, "txToneCode": 19, "txDcsInverted": 1, "tag": "DCS"}]})");
    ASSERT_EQ(run({"apply", path, patch}).code, 0);
    const CliRun summary = run({"show", path});
    ASSERT_EQ(summary.code, 0) << summary.err;
    for (const std::string line : {
             "Frequency band    PMR446 (12)\n",
             "Radio channel      16CH: capacity 16, 1 active group, 0 channels left\n",
             "  2      1  446.01875  446.01875  OFF      D023I    \"DCS     \"\n",
             " 16      1  446.09375  446.09375  107.2    107.2    \"PMR8 CT \"\n",
         }) {
        EXPECT_TRUE(contains(summary.out, line)) << line << summary.out;
    }
    EXPECT_FALSE(contains(summary.out, "\n 17 ")) << "channel 17 is not in use";
}

TEST_F(DocumentCommandsCliTest, ShowOfABadFileSaysWhyAndPrintsNothing) {
    const std::string shortFile = files.file("short.k70");
    TempFolder::writeBytes(shortFile, Bytes(IMAGE_SIZE - 1, 0));
    for (const std::string& path : {shortFile, files.file("absent.k70")}) {
        const CliRun failed = run({"show", "--json", path});
        EXPECT_EQ(failed.code, 1);
        EXPECT_EQ(failed.out, "");
        EXPECT_NE(failed.err, "");
    }
}

TEST_F(DocumentCommandsCliTest, ApplyWritesInPlaceOrToTheOutput) {
    const std::string path = newDocument("radio.k70");
    const Bytes original = TempFolder::readBytes(path);
    const std::string patch = files.file("patch.json");
    TempFolder::writeText(patch, R"({"groups": [{"index": 0, "tag": "SITE"}]})");

    const std::string output = files.file("out.k70");
    const CliRun toOutput = run({"apply", path, patch, "-o", output});
    ASSERT_EQ(toOutput.code, 0) << toOutput.err;
    EXPECT_EQ(toOutput.out, "Wrote " + output + "\n");
    EXPECT_TRUE(TempFolder::readBytes(path) == original) << "-o leaves the source alone";
    EXPECT_EQ(shown(output)["groups"][0]["tag"], "SITE    ");

    ASSERT_EQ(run({"apply", path, patch}).code, 0);
    EXPECT_TRUE(TempFolder::readBytes(path) == TempFolder::readBytes(output));
}

TEST_F(DocumentCommandsCliTest, RefusedPatchesLeaveEveryFileAsItWas) {
    const std::string path = newDocument("radio.k70");
    const Bytes original = TempFolder::readBytes(path);
    const std::string output = files.file("out.k70");
    struct Case {
        const char* name;
        const char* text; // nullptr: no such file
        std::string err;
    };
    const Case cases[] = {
        {"unknown.json", R"({"scan": {"6": 3}, "colour": "red"})",
         "unknown.json: colour: unknown key"},
        {"broken.json", R"({"scan": )", "broken.json: line 1, column 10: syntax error"},
        {"absent.json", nullptr, "cannot read the patch"},
    };
    for (const Case& c : cases) {
        const std::string patch = files.file(c.name);
        if (c.text != nullptr) {
            TempFolder::writeText(patch, c.text);
        }
        for (const test::Args& args :
             {test::Args{"apply", path, patch}, test::Args{"apply", path, patch, "-o", output}}) {
            const CliRun refused = run(args);
            EXPECT_EQ(refused.code, 1) << c.name;
            EXPECT_EQ(refused.out, "");
            EXPECT_TRUE(contains(refused.err, c.err)) << refused.err;
            EXPECT_TRUE(contains(refused.err, "nothing was written\n")) << refused.err;
            EXPECT_TRUE(TempFolder::readBytes(path) == original) << c.name;
            EXPECT_FALSE(TempFolder::exists(output)) << c.name;
        }
    }
}

// Only a regular patch file of sensible size is read: a device could be read until memory
// runs out (a FIFO, which would wait for a writer for ever, is SpecialFileTest's).
TEST_F(DocumentCommandsCliTest, PatchesThatAreNoOrdinaryFileAreRefusedBeforeReading) {
    const std::string path = newDocument("radio.k70");
    const Bytes original = TempFolder::readBytes(path);
    const std::string large = files.file("large.json");
    TempFolder::writeText(large, "{}");
    ASSERT_EQ(::truncate(large.c_str(), 16 * 1024 * 1024 + 1), 0);
    struct Case {
        std::string patch;
        std::string err;
    };
    const Case cases[] = {
        {"/dev/zero", "the patch /dev/zero is not a regular file; nothing was written\n"},
        {large, "the patch " + large + " is larger than 16 MB; nothing was written\n"},
    };
    for (const Case& c : cases) {
        const CliRun refused = run({"apply", path, c.patch});
        EXPECT_EQ(refused.code, 1) << c.patch;
        EXPECT_TRUE(contains(refused.err, c.err)) << refused.err;
        EXPECT_TRUE(TempFolder::readBytes(path) == original) << c.patch;
    }
    // Exactly 16 MB is still read, to its last byte.
    const std::string limit = files.file("limit.json");
    std::string text(16 * 1024 * 1024, ' ');
    text.replace(0, 2, "{}");
    text.back() = 'x';
    TempFolder::writeText(limit, text);
    const CliRun read = run({"apply", path, limit});
    EXPECT_EQ(read.code, 1);
    EXPECT_TRUE(contains(read.err, "line 1, column 16777216: syntax error")) << read.err;
}

// The template kept in the program folder is a convenience: a folder that cannot be written
// costs a warning, not the new document.
TEST_F(DocumentCommandsCliTest, NewWithAnUnwritableProgramFolderStillWritesTheFile) {
    const std::string blocker = files.file("not-a-folder");
    TempFolder::writeText(blocker, "x");
    const std::string path = files.file("new.k70");
    const CliRun made = test::runCliWith({"new", path}, blocker + "/kq70");
    EXPECT_EQ(made.code, 0) << made.err;
    EXPECT_TRUE(TempFolder::readBytes(path) == builtImage(PMR446_BAND));
    const std::string& warning = made.err;
    EXPECT_EQ(warning.rfind("kq70-cli: warning: ", 0), 0u) << warning;
    EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1) << warning;
}

TEST(DocumentSummaryTest, ToneTexts) {
    struct Case {
        int mode;
        int code;
        bool inverted;
        const char* text;
    };
    const Case cases[] = {
        {0, 670, false, "OFF"},  {1, 670, false, " 67.0"}, {1, 2541, false, "254.1"},
        {2, 19, false, "D023N"}, {2, 19, true, "D023I"},   {2, 0x1FF, false, "D777N"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toneText(c.mode, c.code, c.inverted), c.text);
    }
}

} // namespace
} // namespace kq70
