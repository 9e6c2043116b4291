#include "TransferCommands.h"

#include "SimulatorSeed.h"
#include "platform/SerialDevice.h"
#include "platform/SerialPortEnumerator.h"
#include "support/CliFixture.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/stat.h>

namespace kq70 {
namespace {

using test::CliRun;
using test::contains;
using test::TempFolder;
using TransferCommandsTest = test::CliFixture;

TEST_F(TransferCommandsTest, UploadAndDownloadWithTheSimulatedRadio) {
    const std::string path = files.file("radio.k70");
    const CliRun upload = run({"upload", "--sim", "--sim-instant", "--baud", "38400", path});
    ASSERT_EQ(upload.code, 0) << upload.err;
    EXPECT_EQ(upload.out, "Saved " + path + "\n");
    const RadioImage uploaded = test::readDataFile(path);
    EXPECT_EQ(test::firstDifference(uploaded, makeSimulatorSeedImage(), 0, 0x0174), "");
    // The port name the desktop program keeps for the simulated radio names it here too (at the
    // wire's pace).
    const std::string again = files.file("again.k70");
    ASSERT_EQ(run({"upload", "--port", "simulated", "--baud", "38400", again}).code, 0);
    EXPECT_TRUE(test::readDataFile(again) == uploaded);

    const CliRun download = run({"download", "--sim", "--sim-instant", "--yes", path});
    EXPECT_EQ(download.code, 0) << download.err;
    EXPECT_TRUE(contains(download.err, text::DOWNLOAD_COMPLETE));
}

TEST_F(TransferCommandsTest, DownloadAsksOnTheTerminalUnlessToldYes) {
    const std::string path = dataFile("radio.k70", makeSimulatorSeedImage());
    const CliRun refused = run({"download", "--sim", "--sim-instant", path});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(contains(refused.err, "nothing was sent to the radio"));

    const CliRun answered = run({"download", "--sim", "--sim-instant", path}, "y\n", true);
    EXPECT_EQ(answered.code, 0) << answered.err;
}

// The read-back after a download follows VERIFY in KQ70.ini unless the command line says (how
// the setting is read is the settings' own rule).
TEST_F(TransferCommandsTest, DownloadVerifiesByTheSettingUnlessTold) {
    const std::string path = dataFile("radio.k70", makeSimulatorSeedImage());
    struct Case {
        const char* stored; // KQ70.ini's [Initialize] lines
        const char* flag;   // or --yes again, for none
        bool verified;
    };
    const std::vector<Case> cases = {
        {"VERIFY=0\n", "--yes", false},
        {"VERIFY=0\n", "--verify", true},
        {"", "--no-verify", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored) + c.flag);
        TempFolder::writeText(home.file("KQ70.ini"), std::string("[Initialize]\n") + c.stored);
        const CliRun result = run({"download", "--sim", "--sim-instant", "--yes", c.flag, path});
        EXPECT_EQ(result.code, 0) << result.err;
        EXPECT_EQ(contains(result.err, text::NOW_VERIFYING), c.verified) << result.err;
    }
    EXPECT_EQ(run({"download", "--sim", "--yes", "--verify", "--no-verify", path}).code, 2);
}

// A refused access mode stops before the radio; a radio that refuses the job is reached.
TEST_F(TransferCommandsTest, FailedJobsExitWithOneAndTheProgramsWords) {
    RadioImage otherProduct = makeSimulatorSeedImage();
    otherProduct.setBe16(PRODUCT_CODE_OFFSET, 0xC084);
    RadioImage protectedRadio = makeSimulatorSeedImage();
    test::setProgrammingPassword(protectedRadio, "1234AB");
    const std::string other = dataFile("c084.k70", otherProduct);
    const std::string locked = dataFile("locked.k70", protectedRadio);
    const std::string out = files.file("out.k70");
    const auto upload = [&out](const std::string& radio, std::vector<std::string> more) {
        std::vector<std::string> args = {"upload", "--sim", "--sim-instant", "--sim-image", radio};
        args.insert(args.end(), more.begin(), more.end());
        args.push_back(out);
        return args;
    };
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
        bool radioReached;
    };
    const std::vector<Case> cases = {
        {upload(other, {}), 1, std::string(text::HARDWARE_TYPE_MISMATCHED), true},
        {upload(locked, {"--password", "1234ab"}), 0, std::string(text::UPLOAD_COMPLETE), true},
        {{"upload", "--port", files.file("no-such-port"), out},
         1,
         std::string(text::PORT_OPEN_ERROR),
         false},
        {upload(locked, {"--mode", "1"}), 1, "access mode 1 needs its password", false},
        {upload(locked, {"--mode", "1", "--mode-password", "quiet harbours"}), 1,
         "the password for access mode 1 is wrong", false},
        // Manufacture mode skips the radio's programming password.
        {upload(locked, test::inManufactureMode({})), 0, std::string(text::UPLOAD_COMPLETE), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::remove(out.c_str());
        const CliRun result = run(c.args);
        EXPECT_EQ(result.code, c.code) << result.err;
        EXPECT_TRUE(contains(result.err, c.message)) << result.err;
        EXPECT_EQ(contains(result.err, text::SWITCH_RADIO_ON_TO_START), c.radioReached)
            << result.err;
        EXPECT_EQ(TempFolder::exists(out), c.code == 0) << "a failed upload writes no file";
    }
}

// Where the upload could not be saved is found out before the radio is read.
TEST_F(TransferCommandsTest, AnOutputPathThatCannotBeSavedStopsTheUploadBeforeTheRadio) {
    const std::string blocker = files.file("not-a-folder");
    TempFolder::writeText(blocker, "x");
    const std::string readOnly = dataFile("readonly.k70", RadioImage());
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const auto cannotSave = [](const std::string& path, const std::string& why) {
        return "kq70-cli: cannot save to " + path + ": " + why;
    };
    const std::pair<std::string, std::string> cases[] = {
        {files.path(), cannotSave(files.path(), "it is not a regular file")},
        {blocker + "/radio.k70",
         cannotSave(blocker + "/radio.k70", "the folder " + blocker + " cannot be written")},
        {readOnly, "The File's attribute is Read_Only."},
    };
    for (const auto& [path, message] : cases) {
        const CliRun result = run({"upload", "--sim", "--sim-instant", path});
        EXPECT_EQ(result.code, 1) << path;
        EXPECT_TRUE(contains(result.err, message)) << result.err;
        EXPECT_FALSE(contains(result.err, text::SWITCH_RADIO_ON_TO_START)) << result.err;
    }
}

// A save that fails after the radio was read (here: a name too long for the temporary file
// beside it) keeps the data in the program folder and says where.
TEST_F(TransferCommandsTest, AnUploadThatCannotBeSavedGoesToARecoveryFile) {
    const std::string path = files.file(std::string(250, 'r') + ".k70");
    const CliRun result = run({"upload", "--sim", "--sim-instant", path});
    EXPECT_EQ(result.code, 1);
    const std::string said =
        "kq70-cli: the radio's data could not be saved to " + path + "; it was saved to ";
    const std::size_t at = result.err.find(said);
    ASSERT_NE(at, std::string::npos) << result.err;
    const std::size_t from = at + said.size();
    const std::string recovery = result.err.substr(from, result.err.find('\n', from) - from);
    EXPECT_EQ(recovery.rfind(home.path() + "/upload-", 0), 0u) << recovery;
    EXPECT_EQ(
        test::firstDifference(test::readDataFile(recovery), makeSimulatorSeedImage(), 0, 0x0174),
        "");
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
        test::Args args = {"recover", "--sim", "--sim-instant", "--sim-image", damaged};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliRun result = run(c.inManufactureMode ? test::inManufactureMode(args) : args,
                                  c.input, !c.input.empty());
        EXPECT_EQ(result.code, c.code) << result.err;
        EXPECT_EQ(contains(result.err, text::ADJ_RECOVERY_COMPLETE), c.code == 0) << result.err;
        EXPECT_EQ(contains(result.err, text::SWITCH_RADIO_ON_TO_START), c.code != 2)
            << "a refused command line stops before the radio";
    }
}

} // namespace
} // namespace kq70
