#include "doc/DataFile.h"
#include "image/RadioImage.h"
#include "support/CliRun.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

// The data file's messages are stop messages naming the file.
void expectStop(ScriptedPrompt& prompt, int id, const std::string& path = {}) {
    prompt.expectMessage(substitute1(Strings::get(id), path), MessageAnswer::Ok, MessageIcon::Stop);
}

TEST(DataFileTest, ReadAcceptsBothLayoutsAndRefusesEveryOtherSize) {
    struct Case {
        std::size_t size;
        bool accepted;
    };
    const Case cases[] = {{10787, true},  {10768, true}, {10786, false},
                          {20000, false}, {0, false},    {10769, false}};
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("radio.k70");
        const auto bytes = test::bytePattern(c.size, 3);
        TempFolder::writeBytes(path, bytes);
        const RadioImage before = test::patternImage(200);
        RadioImage image = before;
        ScriptedPrompt prompt;
        if (!c.accepted) {
            expectStop(prompt, IDS_PROBLEM_READING_FILE, path);
        }
        EXPECT_EQ(ReadDataFile(path, image, prompt), c.accepted) << c.size;
        if (!c.accepted) {
            EXPECT_TRUE(image == before) << "a refused file leaves the image untouched";
            continue;
        }
        // The older layout leaves the trailer extension as it was.
        RadioImage expected = before;
        std::copy(bytes.begin(), bytes.end(), expected.data());
        EXPECT_TRUE(image == expected) << c.size;
    }
}

TEST(DataFileTest, ReadOfMissingOrUnnamedFileShowsProblemOpening) {
    TempFolder folder;
    for (const std::string& path : {std::string(), folder.file("absent.k70")}) {
        ScriptedPrompt prompt;
        expectStop(prompt, IDS_PROBLEM_OPENING_FILE, path);
        RadioImage image;
        EXPECT_FALSE(ReadDataFile(path, image, prompt));
    }
}

TEST(DataFileTest, OpenCheckMapsToTheRightMessage) {
    TempFolder folder;
    struct Case {
        const char* name;
        std::size_t size; // 0: no file at all
        int status;
        int message;
    };
    const Case cases[] = {
        {"good.k70", 10787, DATA_FILE_OK, 0},
        {"legacy.W70", 10768, DATA_FILE_OK, 0},
        {"good.txt", 10787, DATA_FILE_CANNOT_OPEN, IDS_PROBLEM_OPENING_FILE},
        {"short.k70", 10786, DATA_FILE_BAD_SIZE, IDS_FILE_FORMAT_INVALID},
        {"absent.k70", 0, DATA_FILE_CANNOT_OPEN, IDS_PROBLEM_OPENING_FILE},
    };
    for (const Case& c : cases) {
        const std::string path = folder.file(c.name);
        if (c.size > 0) {
            TempFolder::writeBytes(path, test::bytePattern(c.size, 1));
        }
        EXPECT_EQ(OpenCheckStatus(path), c.status) << c.name;
        ScriptedPrompt prompt;
        if (c.message != 0) {
            expectStop(prompt, c.message, path);
        }
        ShowOpenStatusMessage(c.status, path, prompt);
    }
    EXPECT_EQ(OpenStatusMessageId(DATA_FILE_CANNOT_READ), IDS_PROBLEM_READING_FILE);
    EXPECT_EQ(CheckReadable(""), DATA_FILE_CANNOT_OPEN);
    EXPECT_EQ(CheckReadable(folder.path()), DATA_FILE_CANNOT_OPEN) << "a folder is no data file";
}

TEST(DataFileTest, ExtensionAndDefaultNameTestsAreByteWise) {
    for (const char* path : {"a.W70", "a.K70", "a.w70", "a.k70", "/x/y/.k70"}) {
        EXPECT_TRUE(HasDataFileExtension(path)) << path;
    }
    for (const char* path : {"a.kk70", "a.K7", "k70", "", "a.k70 ", "a.W7O"}) {
        EXPECT_FALSE(HasDataFileExtension(path)) << path;
    }
    for (const char* path : {"default_pmr.k70", "/home/u/kq70/defaultVC.k70", "NotDefined",
                             "dir/defaultU350.k70", "defaultUH.k70"}) {
        EXPECT_TRUE(IsDefaultFileName(path)) << path;
    }
    for (const char* path : {"Default_pmr.k70", "default_pmr.K70", "default_pmr.k70/x",
                             "mydefault_pmr.k70", "defaultVC.k70.bak", ""}) {
        EXPECT_FALSE(IsDefaultFileName(path)) << path;
    }
}

TEST(DataFileTest, WriteProducesTheWholeImageAndReadsBack) {
    TempFolder folder;
    const std::string path = folder.file("out.k70");
    const RadioImage image = test::patternImage(9);
    ScriptedPrompt prompt;
    ASSERT_TRUE(WriteDataFile(path, image, prompt));
    RadioImage back; // a file of any other size would be refused
    ASSERT_TRUE(ReadDataFile(path, back, prompt));
    EXPECT_TRUE(back == image);
    EXPECT_EQ(test::filesIn(folder.path()).size(), 1u) << "no temporary file is left behind";
}

TEST(DataFileTest, FailedWritesLeaveTheOldFileByteIdentical) {
    const RadioImage image = test::patternImage(77);
    const auto oldBytes = test::bytePattern(IMAGE_SIZE, 5);

    // Writes that fail part-way: a disk that fills up, then one whose flush fails.
    FileWriteHooks fullDisk;
    fullDisk.write = [written = std::size_t{0}](int fd, const void* data,
                                                std::size_t size) mutable -> ssize_t {
        if (written >= 4000) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t chunk = std::min<std::size_t>(size, 1000);
        written += chunk;
        return ::write(fd, data, chunk);
    };
    FileWriteHooks flushFails;
    flushFails.sync = [](int) {
        errno = EIO;
        return -1;
    };

    for (const FileWriteHooks* hooks : {&fullDisk, &flushFails}) {
        TempFolder folder;
        const std::string path = folder.file("keep.k70");
        TempFolder::writeBytes(path, oldBytes);
        ScriptedPrompt prompt;
        expectStop(prompt, IDS_PROBLEM_WRITING_FILE);
        EXPECT_FALSE(WriteDataFile(path, image, prompt, *hooks));
        EXPECT_EQ(TempFolder::readBytes(path), oldBytes);
        EXPECT_EQ(test::filesIn(folder.path()).size(), 1u) << "the temporary file is removed";
    }
}

TEST(DataFileTest, WriteIntoAVanishedFolderShowsProblemOpening) {
    std::string path;
    {
        TempFolder folder;
        path = folder.file("gone.k70");
    }
    ScriptedPrompt prompt;
    expectStop(prompt, IDS_PROBLEM_OPENING_FILE_FOR_WRITING, path);
    EXPECT_FALSE(WriteDataFile(path, RadioImage(), prompt));
    EXPECT_FALSE(TempFolder::exists(path));
}

TEST(DataFileTest, NewFileTakesTheUmaskWhichIsLeftAlone) {
    for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{0}}) {
        TempFolder folder;
        const mode_t before = ::umask(mask);
        ScriptedPrompt prompt;
        const bool written = WriteDataFile(folder.file("new.k70"), RadioImage(), prompt);
        const mode_t after = ::umask(before);
        ASSERT_TRUE(written);
        EXPECT_EQ(after, mask) << "the process umask is not changed";
        struct stat info {};
        ASSERT_EQ(::stat(folder.file("new.k70").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666u & ~mask) << std::oct << mask;
    }
}

// Saving over something that is not a data file (a FIFO, a device, a folder), directly or
// through a link, must not replace it with a regular file.
TEST(DataFileTest, WriteOverANonRegularPathIsRefusedAndLeavesItAlone) {
    TempFolder folder;
    const std::string fifo = folder.file("pipe.k70");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string linkToFifo = folder.file("link.k70");
    ASSERT_EQ(::symlink(fifo.c_str(), linkToFifo.c_str()), 0);
    const std::string directory = folder.file("folder.k70");
    ASSERT_EQ(::mkdir(directory.c_str(), 0700), 0);
    const std::string linkToDevice = folder.file("null.k70");
    ASSERT_EQ(::symlink("/dev/null", linkToDevice.c_str()), 0);

    const std::pair<std::string, std::string> targets[] = {
        {fifo, fifo}, {linkToFifo, fifo}, {directory, directory}, {linkToDevice, "/dev/null"}};
    for (const auto& [path, node] : targets) {
        struct stat before {};
        ASSERT_EQ(::stat(node.c_str(), &before), 0);
        ScriptedPrompt prompt;
        expectStop(prompt, IDS_PROBLEM_OPENING_FILE_FOR_WRITING, path);
        EXPECT_FALSE(WriteDataFile(path, RadioImage(), prompt)) << path;
        struct stat after {};
        ASSERT_EQ(::stat(node.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << path;
    }
    EXPECT_EQ(test::filesIn(folder.path()).size(), 4u) << "no temporary file is left behind";
}

TEST(DataFileTest, WritableCheck) {
    TempFolder folder;
    const std::string missing = folder.file("new.k70");
    const std::string normal = folder.file("normal.k70");
    const std::string readOnly = folder.file("locked.k70");
    TempFolder::writeBytes(normal, test::bytePattern(10, 1));
    TempFolder::writeBytes(readOnly, test::bytePattern(10, 1));
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);

    ScriptedPrompt prompt;
    EXPECT_TRUE(CheckWritable(missing, prompt));
    EXPECT_TRUE(CheckWritable(normal, prompt));
    prompt.expectMessage("The File's attribute is Read_Only.\r\nFile Name = " + readOnly,
                         MessageAnswer::Ok, MessageIcon::Stop);
    EXPECT_FALSE(CheckWritable(readOnly, prompt));
}

} // namespace
} // namespace kq70
