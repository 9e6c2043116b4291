// Several programs changing one data file at the same time: each change survives, or the
// program that could not make it says so.

#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "params/HHardwareParams.h"
#include "platform/FileLock.h"
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
#include <unistd.h>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr int WRITERS = 8;
constexpr int ENDS_WITHIN_MS = 60000;
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
