// Files that are not what the program expects. A FIFO (or a device, a folder) where the program
// expects a file: every place a file is read or written by name refuses it at once instead of
// waiting for the FIFO's other end. Several programs changing one data file at the same time:
// each change survives, or the program that could not make it says so.

#include "SimulatorSeed.h"
#include "app/AppSettings.h"
#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "frame/DocumentListener.h"
#include "params/HHardwareParams.h"
#include "platform/FileLock.h"
#include "platform/IniFile.h"
#include "support/BuiltPrograms.h"
#include "support/DataFiles.h"
#include "support/RadioSimProcess.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr int ENDS_WITHIN_MS = 60000;

void makeFifo(const std::string& path) {
    ::unlink(path.c_str());
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

// An in-process step that waits on a FIFO ends the whole test program instead of hanging it.
class HangGuard {
public:
    HangGuard() { ::alarm(ENDS_WITHIN_MS / 1000); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

TEST(SpecialFileTest, CommandsRefuseAFifoWhereTheyExpectAFileAndEnd) {
    TempFolder home;
    const std::string good = test::writeDataFile(home.file("good.k70"), makeSimulatorSeedImage());
    TempFolder::writeText(home.file("patch.json"), "{}");
    struct Case {
        const char* place;
        std::string fifo;
        std::vector<std::string> args;
        int code;
        std::string message;
        bool simulator = false; // kq70-radiosim instead of kq70-cli
    };
    const auto in = [&home](const char* name) { return home.file(name); };
    using Args = std::vector<std::string>;
    const auto upload = [](Args more) {
        more.insert(more.begin(), {"upload", "--sim", "--sim-instant"});
        return more;
    };
    const Args align = {"align", "--sim", "--sim-instant", "--mode-password", "MUL-PEK", "--yes"};
    const std::string noAdjustmentFile =
        substitute1(Strings::get(IDS_ALIGNMENT_FILE_NOT_FOUND), "adj_pmr.w70");
    const std::string unopened = "Problem opening file";
    const std::string irregular = "not a regular file";
    const std::string unreadable = "The File cannot be Opened.";
    const Case cases[] = {
        // The upload completes the channel table from the band's template.
        {"band template", in("default_pmr.k70"), upload({in("o1.k70")}), 0, ""},
        {"adjustment default file", in("adj_pmr.w70"), align, 1, noAdjustmentFile},
        {"log file", in("trace.log"), {"check", good}, 0, ""},
        {"simulated radio's image", in("image.k70"),
         upload({"--sim-image", in("image.k70"), in("o2.k70")}), 1, unopened},
        {"simulator's image", in("sim.k70"), {"--image", in("sim.k70")}, 1, unopened, true},
        {"upload output", in("fifo-out.k70"), upload({in("fifo-out.k70")}), 1, irregular},
        {"data file", in("fifo-in.k70"), {"show", in("fifo-in.k70")}, 1, unreadable},
        {"patch", in("fifo.json"), {"apply", good, in("fifo.json")}, 1, irregular},
        {"CSV output", in("fifo.csv"), {"export-csv", good, in("fifo.csv")}, 1, unopened},
        {"settings file", in("KQ70.ini"), upload({in("o3.k70")}), 0, ""},
    };
    TempFolder::writeText(home.file("INI_LOG.ini"),
                          "[LOG_INFO]\nDEF_LOG_NAME=trace.log\nLOG_LEVEL0=6\n");
    for (const Case& c : cases) {
        makeFifo(c.fifo);
        std::vector<std::string> args = c.args;
        if (!c.simulator) {
            args.insert(args.begin(), {"--home", home.path()});
        }
        test::ChildProcess run(c.simulator ? test::radioSimProgram() : test::cliProgram(), args,
                               STDERR_FILENO);
        std::string errors;
        ASSERT_TRUE(run.readToEnd(errors, ENDS_WITHIN_MS)) << c.place << ": hangs\n" << errors;
        EXPECT_EQ(run.finish(0), c.code) << c.place << "\n" << errors;
        EXPECT_NE(errors.find(c.message), std::string::npos) << c.place << "\n" << errors;
        struct stat info {};
        ASSERT_EQ(::lstat(c.fifo.c_str(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode)) << c.place << ": the FIFO was replaced";
        ::unlink(c.fifo.c_str());
    }
}

// The desktop program opens a file named on its command line, a recent file or a dropped one
// through the same loading step, and starts with the band's template.
TEST(SpecialFileTest, TheDocumentsLoadingStepsReportAFifo) {
    TempFolder home;
    makeFifo(home.file("named.k70"));
    makeFifo(home.file("default_pmr.k70"));
    const HangGuard guard;
    CKQ70Doc doc;
    AppSettings settings;
    IniFile settingsFile(home.file("KQ70.ini"));
    DocumentListener listener;
    test::ScriptedPrompt prompt;
    DocumentCommands commands(doc, prompt, home.path(), settings, settingsFile, BuildDefaultImage,
                              listener);

    prompt.expectMessage(
        substitute1(Strings::get(IDS_PROBLEM_OPENING_FILE), home.file("named.k70")));
    commands.NewDocumentWith(home.file("named.k70"), LOAD_NAMED_FILE);
    EXPECT_EQ(doc.GetCurrentFilePath(), NO_FILE_MARKER);

    // The template cannot be read nor be replaced: the built-in image, and a word about it.
    prompt.expectMessage({});
    commands.NewDocumentWith(NO_FILE_MARKER, PMR446_BAND);
    EXPECT_EQ(doc.GetCurrentFilePath(), NO_FILE_MARKER);
    RadioImage builtIn;
    BuildDefaultImage(PMR446_BAND, builtIn);
    EXPECT_EQ(doc.GetMainMemory().bytes()[0x26E8], builtIn.bytes()[0x26E8]);
}

constexpr int WRITERS = 8;
constexpr const char* BUSY = "is being changed by another program";

std::string groupTag(int group) {
    return strprintf("GROUP %d ", group);
}

TEST(ConcurrencyTest, ConcurrentAppliesEachKeepTheirChangeOrSaySo) {
    TempFolder folder;
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    test::setHardwareValue(image, HW_RADIO_CHANNEL, 6); // 256 channels in 16 groups
    const std::string shared = folder.file("shared.k70");
    test::writeDataFile(shared, image);
    for (int g = 0; g < WRITERS; ++g) {
        TempFolder::writeText(
            folder.file(strprintf("g%d.json", g)),
            strprintf(R"({"groups": [{"index": %d, "tag": "%s"}]})", g, groupTag(g).c_str()));
    }

    std::vector<std::unique_ptr<test::ChildProcess>> writers;
    for (int g = 0; g < WRITERS; ++g) {
        writers.push_back(std::make_unique<test::ChildProcess>(
            test::cliProgram(),
            std::vector<std::string>{"--home", folder.path(), "apply", shared,
                                     folder.file(strprintf("g%d.json", g))},
            STDERR_FILENO));
    }
    std::vector<std::string> errors(WRITERS);
    std::vector<int> codes(WRITERS);
    for (int g = 0; g < WRITERS; ++g) {
        ASSERT_TRUE(writers[g]->readToEnd(errors[g], ENDS_WITHIN_MS)) << g;
        codes[g] = writers[g]->finish(0);
    }

    HChannelData channels;
    channels.extract(test::readDataFile(shared));
    int kept = 0;
    for (int g = 0; g < WRITERS; ++g) {
        if (codes[g] == 0) {
            EXPECT_EQ(channels.groups().tag(g), groupTag(g)) << "group " << g << " was lost";
            ++kept;
        } else {
            EXPECT_EQ(codes[g], 1) << errors[g];
            EXPECT_NE(errors[g].find(BUSY), std::string::npos) << errors[g];
        }
    }
    EXPECT_GT(kept, 0);
}

// The desktop program's Save never waits: while another program holds the file for a
// change of its own, the save is refused and the file stays as the other program leaves it.
TEST(ConcurrencyTest, ASaveIsRefusedWhileAnotherProgramChangesTheFile) {
    TempFolder folder;
    test::ScriptedPrompt prompt;
    const std::string path = folder.file("radio.k70");
    CKQ70Doc doc;
    BuildDefaultImage(PMR446_BAND, doc.GetMainMemory());
    ASSERT_TRUE(doc.WriteToFile(path, prompt));
    const auto before = TempFolder::readBytes(path);
    doc.GetMainMemory().setByte(0x0400, 0x42);
    doc.SetDataModified(true);
    {
        const FileLock other = FileLock::acquire(path, std::chrono::milliseconds(0));
        ASSERT_TRUE(other.locked());
        prompt.expectMessage(substitute1(text::FILE_IN_USE, path));
        EXPECT_FALSE(doc.WriteToFile(path, prompt));
        EXPECT_TRUE(doc.GetDataModified());
        EXPECT_EQ(TempFolder::readBytes(path), before);
    }
    EXPECT_TRUE(doc.WriteToFile(path, prompt));
    EXPECT_EQ(TempFolder::readBytes(path)[0x0400], 0x42);
}

} // namespace
} // namespace kq70
