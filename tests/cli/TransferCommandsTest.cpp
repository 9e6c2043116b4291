#include "TransferCommands.h"

#include "CliApp.h"
#include "SimulatorSeed.h"
#include "doc/DataFile.h"
#include "params/HHardwareParams.h"
#include "platform/SerialDevice.h"
#include "platform/SerialPortEnumerator.h"
#include "support/CliRun.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/stat.h>

namespace kq70 {
namespace {

using test::CliRun;

using test::TempFolder;

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

class TransferCommandsTest : public ::testing::Test {
protected:
    CliRun run(std::vector<std::string> args, const std::string& input = {},
               bool interactive = false) {
        return test::runCliWith(std::move(args), home.path(), input, interactive);
    }

    // A data file holding `image`.
    std::string dataFile(const std::string& name, const RadioImage& image) {
        test::ScriptedPrompt quiet;
        const std::string path = files.file(name);
        EXPECT_TRUE(WriteDataFile(path, image, quiet));
        return path;
    }

    TempFolder home;
    TempFolder files;
};

TEST_F(TransferCommandsTest, UploadAndDownloadWithTheSimulatedRadio) {
    const std::string path = files.file("radio.k70");
    const CliRun upload = run({"upload", "--sim", "--sim-instant", "--baud", "38400", path});
    ASSERT_EQ(upload.code, 0) << upload.err;
    EXPECT_EQ(upload.out, "Saved " + path + "\n");
    // The progress line is ended before the message.
    EXPECT_TRUE(contains(upload.err, "\n" + std::string(text::UPLOAD_COMPLETE) + "\n"));
    RadioImage uploaded;
    test::ScriptedPrompt quiet;
    ASSERT_TRUE(ReadDataFile(path, uploaded, quiet));
    EXPECT_EQ(test::firstDifference(uploaded, makeSimulatorSeedImage(), 0, 0x0174), "");
    // The port name the desktop program keeps for the simulated radio names it here too (at the
    // wire's pace).
    const std::string again = files.file("again.k70");
    ASSERT_EQ(run({"upload", "--port", "simulated", "--baud", "38400", again}).code, 0);
    RadioImage uploadedAgain;
    ASSERT_TRUE(ReadDataFile(again, uploadedAgain, quiet));
    EXPECT_TRUE(uploadedAgain == uploaded);

    const CliRun download = run({"download", "--sim", "--sim-instant", "--yes", path});
    EXPECT_EQ(download.code, 0) << download.err;
    EXPECT_TRUE(contains(download.err, text::DOWNLOAD_COMPLETE));
}

TEST_F(TransferCommandsTest, DownloadAsksOnTheTerminalUnlessToldYes) {
    const std::string path = dataFile("radio.k70", makeSimulatorSeedImage());
    const CliRun refused = run({"download", "--sim", "--sim-instant", path});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(contains(refused.err, "nothing was sent to the radio"));
    EXPECT_FALSE(contains(refused.err, text::NOW_DOWNLOADING));

    const CliRun answered = run({"download", "--sim", "--sim-instant", path}, "y\n", true);
    EXPECT_EQ(answered.code, 0) << answered.err;
    EXPECT_TRUE(contains(answered.err, text::DOWNLOAD_COMPLETE));
}

// The read-back after a download follows VERIFY in KQ70.ini unless the command line says (how
// the setting is read is the settings' own rule).
TEST_F(TransferCommandsTest, DownloadVerifiesByTheSettingUnlessTold) {
    const std::string path = dataFile("radio.k70", makeSimulatorSeedImage());
    struct Case {
        const char* stored; // KQ70.ini's [Initialize] lines
        std::vector<std::string> flags;
        bool verified;
    };
    const std::vector<Case> cases = {
        {"VERIFY=0\n", {}, false},
        {"VERIFY=0\n", {"--verify"}, true},
        {"", {"--no-verify"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored) + (c.flags.empty() ? "" : c.flags[0]));
        TempFolder::writeText(home.file("KQ70.ini"), std::string("[Initialize]\n") + c.stored);
        std::vector<std::string> args = {"download", "--sim", "--sim-instant", "--yes"};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        args.push_back(path);
        const CliRun result = run(args);
        EXPECT_EQ(result.code, 0) << result.err;
        EXPECT_EQ(contains(result.err, text::NOW_VERIFYING), c.verified) << result.err;
        EXPECT_TRUE(contains(result.err, text::DOWNLOAD_COMPLETE));
    }
    EXPECT_EQ(run({"download", "--sim", "--yes", "--verify", "--no-verify", path}).code, 2);
}

TEST_F(TransferCommandsTest, FailedJobsExitWithOneAndTheProgramsWords) {
    RadioImage otherProduct = makeSimulatorSeedImage();
    otherProduct.setBe16(PRODUCT_CODE_OFFSET, 0xC084);
    RadioImage protectedRadio = makeSimulatorSeedImage();
    test::setProgrammingPassword(protectedRadio, "1234AB");
    const std::string out = files.file("out.k70");
    const std::vector<std::string> other = {"upload", "--sim", "--sim-instant", "--sim-image",
                                            dataFile("c084.k70", otherProduct)};
    const std::vector<std::string> locked = {"upload",
                                             "--sim",
                                             "--sim-instant",
                                             "--sim-image",
                                             dataFile("locked.k70", protectedRadio),
                                             "--password"};
    const auto with = [](std::vector<std::string> args, std::vector<std::string> more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    const std::vector<Case> cases = {
        {with(other, {out}), 1, std::string(text::HARDWARE_TYPE_MISMATCHED)},
        {with(locked, {"1234ab", out}), 0, std::string(text::UPLOAD_COMPLETE)},
        {{"upload", "--port", files.file("no-such-port"), out},
         1,
         std::string(text::PORT_OPEN_ERROR)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.message);
        std::remove(out.c_str());
        const CliRun result = run(c.args);
        EXPECT_EQ(result.code, c.code) << result.err;
        EXPECT_TRUE(contains(result.err, c.message)) << result.err;
        EXPECT_EQ(TempFolder::exists(out), c.code == 0) << "a failed upload writes no file";
    }
}

TEST_F(TransferCommandsTest, AProtectedAccessModeNeedsItsPassword) {
    RadioImage protectedRadio = makeSimulatorSeedImage();
    test::setProgrammingPassword(protectedRadio, "1234AB");
    const std::string radio = dataFile("locked.k70", protectedRadio);
    const std::string out = files.file("out.k70");
    struct Case {
        std::vector<std::string> modeArgs;
        int code;
        std::string refusal;
    };
    const std::vector<Case> cases = {
        {{"--mode", "1"}, 1, "access mode 1 needs its password"},
        {{"--mode", "1", "--mode-password", "quiet harbours"},
         1,
         "the password for access mode 1 is wrong"},
        // Manufacture mode skips the radio's programming password.
        {{"--mode", "1", "--mode-password", "Quiet Harbours"}, 0, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"upload", "--sim", "--sim-instant", "--sim-image", radio};
        args.insert(args.end(), c.modeArgs.begin(), c.modeArgs.end());
        args.push_back(out);
        const CliRun result = run(args);
        EXPECT_EQ(result.code, c.code) << result.err;
        EXPECT_TRUE(c.refusal.empty() || contains(result.err, c.refusal)) << result.err;
        EXPECT_EQ(contains(result.err, text::SWITCH_RADIO_ON_TO_START), c.code == 0)
            << "a refused mode stops before the radio";
    }
}

TEST_F(TransferCommandsTest, AnUnwritableFileStopsTheUploadBeforeTheRadio) {
    const std::string path = dataFile("readonly.k70", RadioImage());
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const CliRun result = run({"upload", "--sim", "--sim-instant", path});
    EXPECT_EQ(result.code, 1);
    EXPECT_FALSE(contains(result.err, text::SWITCH_RADIO_ON_TO_START)) << result.err;
}

// Where the upload could not be saved is found out before the radio is read.
TEST_F(TransferCommandsTest, AnOutputPathThatCannotBeSavedStopsTheUploadBeforeTheRadio) {
    const std::string blocker = files.file("not-a-folder");
    TempFolder::writeText(blocker, "x");
    struct Case {
        std::string path;
        std::string why;
    };
    const Case cases[] = {
        {files.path(), "it is not a regular file"},
        {"/dev/full", "it is not a regular file"},
        {blocker + "/radio.k70", "the folder " + blocker + " cannot be written"},
    };
    for (const Case& c : cases) {
        const CliRun result = run({"upload", "--sim", "--sim-instant", c.path});
        EXPECT_EQ(result.code, 1) << c.path;
        EXPECT_TRUE(contains(result.err, "kq70-cli: cannot save to " + c.path + ": " + c.why))
            << result.err;
        EXPECT_TRUE(contains(result.err, "; the radio was not read\n")) << result.err;
        EXPECT_FALSE(contains(result.err, text::NOW_UPLOADING)) << result.err;
    }
}

// A save that fails after the radio was read (here: a name too long for the temporary file
// beside it) keeps the data in the program folder and says where.
TEST_F(TransferCommandsTest, AnUploadThatCannotBeSavedGoesToARecoveryFile) {
    const std::string path = files.file(std::string(250, 'r') + ".k70");
    const CliRun result = run({"upload", "--sim", "--sim-instant", path});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(contains(result.err, text::UPLOAD_COMPLETE)) << result.err;
    const std::string said =
        "kq70-cli: the radio's data could not be saved to " + path + "; it was saved to ";
    const std::size_t at = result.err.find(said);
    ASSERT_NE(at, std::string::npos) << result.err;
    const std::size_t from = at + said.size();
    const std::string recovery = result.err.substr(from, result.err.find('\n', from) - from);
    EXPECT_EQ(recovery.rfind(home.path() + "/upload-", 0), 0u) << recovery;
    RadioImage saved;
    test::ScriptedPrompt quiet;
    ASSERT_TRUE(ReadDataFile(recovery, saved, quiet)) << recovery;
    EXPECT_EQ(test::firstDifference(saved, makeSimulatorSeedImage(), 0, 0x0174), "");
    EXPECT_FALSE(TempFolder::exists(path));
}

TEST_F(TransferCommandsTest, CommandLineMistakes) {
    const std::string path = files.file("x.k70");
    const std::vector<std::vector<std::string>> cases = {
        {"upload", path},
        {"upload", "--sim", "--port", "/dev/ttyUSB0", path},
        {"upload", "--port", "/dev/ttyUSB0", "--sim-image", path, path},
        {"upload", "--sim", "--baud", "4800", path},
        {"download", "--sim", "--mode", "3", path},
        {"download", "--sim"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(run(args).code, 2) << args.size();
    }
}

TEST_F(TransferCommandsTest, PortsAreListedWithTheCableMarked) {
    std::ostringstream out;
    TransferCommands::printPorts({{"ttyS0", "/dev/ttyS0", PORT_KIND_RS232},
                                  {"ttyUSB0", "/dev/ttyUSB0", PORT_KIND_USB_CABLE}},
                                 out);
    EXPECT_EQ(out.str(), "/dev/ttyS0\n/dev/ttyUSB0 (PGC-30)\n");

    const CliRun listed = run({"ports"});
    EXPECT_EQ(listed.code, 0);
    EXPECT_EQ(listed.out.empty(), contains(listed.err, "no serial ports found"));
}

// Which copy the radio repairs from, and what a refused answer leaves, is the recovery's own
// rule; here the command's answers (told yes, a file given or typed, neither) and its mode.
TEST_F(TransferCommandsTest, RecoverTakesItsAnswersFromTheCommandLineOrTheTerminal) {
    RadioImage flashDamaged = makeSimulatorSeedImage();
    damageAdjustmentData(flashDamaged, AdjustmentDamage::Flash);
    const std::string damaged = dataFile("flash.k70", flashDamaged);
    const std::string saved = dataFile("saved.k70", makeSimulatorSeedImage());
    const std::vector<std::string> manufacture = {"--mode", "1", "--mode-password",
                                                  "Quiet Harbours"};
    struct Case {
        const char* name;
        std::vector<std::string> extra;
        std::string input; // typed on an interactive terminal; none means not interactive
        int code;
        bool inManufactureMode = true;
    };
    const std::vector<Case> cases = {
        {"saved file given", {"--yes", "--file", saved}, {}, 0},
        {"file typed", {}, "y\n" + saved + "\n", 0},
        {"not told yes", {}, {}, 1},
        {"not in the manufacture mode", {"--yes"}, {}, 2, false},
        {"a file that is not there", {"--file", files.file("missing.k70")}, {}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"recover", "--sim", "--sim-instant", "--sim-image",
                                         damaged};
        if (c.inManufactureMode) {
            args.insert(args.end(), manufacture.begin(), manufacture.end());
        }
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliRun result = run(args, c.input, !c.input.empty());
        EXPECT_EQ(result.code, c.code) << result.err;
        EXPECT_EQ(contains(result.err, text::ADJ_RECOVERY_COMPLETE), c.code == 0) << result.err;
        EXPECT_EQ(contains(result.err, "nothing was written to the radio"), c.code == 1)
            << result.err;
        EXPECT_EQ(contains(result.err, text::SWITCH_RADIO_ON_TO_START), c.code != 2)
            << "a refused command line stops before the radio";
    }
}

} // namespace
} // namespace kq70
