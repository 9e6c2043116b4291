#include "output/HCsvFileWriter.h"

#include "support/CliRun.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {
namespace {

using test::filesIn;
using test::ScriptedPrompt;
using test::TempFolder;

// A writer that writes to `path` without asking.
void aimAt(HTextFileWriter& writer, const std::string& path) {
    writer.setSetting(HTextFileWriter::DIALOG, "OFF");
    writer.setSetting(HTextFileWriter::FILE_PATH, path);
}

// Write hooks that let `allowed` writes through and then fail as a full disk does.
FileWriteHooks diskFullAfter(int allowed) {
    auto count = std::make_shared<int>(0);
    return FileWriteHooks{[count, allowed](int fd, const void* data, std::size_t size) -> ssize_t {
                              if ((*count)++ >= allowed) {
                                  errno = ENOSPC;
                                  return -1;
                              }
                              return ::write(fd, data, size);
                          },
                          {}};
}

TEST(HCsvFileWriterTest, LineRule) {
    struct Case {
        std::vector<std::string> cells;
        std::string separator;
        std::string quotes;
        std::string dataEnd;
        std::string expected;
    };
    const Case cases[] = {
        {{"Chn", "SC"}, ",", "\"", "\r\n", "\"Chn\",\"SC\"\r\n"},
        {{""}, ",", "\"", "\r\n", "\"\"\r\n"},
        {{"say \"hi\"", "1,2"}, ",", "\"", "\r\n", "\"say \"hi\"\",\"1,2\"\r\n"},
        {{" v ", "Enable "}, ",", "\"", "\r\n", "\" v \",\"Enable \"\r\n"},
        {{}, ",", "\"", "\r\n", "\r\n"},
        {{"a", "b", "c"}, ";", "'", "\n", "'a';'b';'c'\n"},
        {{"a", "b"}, "\t", "", "|", "a\tb|"},
    };
    ScriptedPrompt prompt;
    for (const Case& c : cases) {
        HCsvFileWriter writer(prompt);
        writer.setSetting(HCsvFileWriter::SEPARATOR, c.separator);
        writer.setSetting(HCsvFileWriter::QUOTES, c.quotes);
        writer.setSetting(HCsvFileWriter::DATA_END, c.dataEnd);
        EXPECT_EQ(writer.csvLine(c.cells), c.expected);
    }
}

// Records what the save dialog was asked for and answers with a path or Cancel.
class RecordingPrompt : public ScriptedPrompt {
public:
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        requests.push_back(request);
        return ScriptedPrompt::saveFileDialog(request);
    }
    std::vector<FileDialogRequest> requests;
};

TEST(HCsvFileWriterTest, SaveDialogChoosesThePathAndCancelWritesNothing) {
    TempFolder folder;
    RecordingPrompt prompt;
    prompt.expectSaveFile(std::nullopt).expectSaveFile(folder.file("chosen.csv"));
    {
        HCsvFileWriter writer(prompt);
        EXPECT_FALSE(writer.open());
        EXPECT_EQ(writer.errorCode(), "None") << "a cancelled dialog is no failure";
        EXPECT_FALSE(writer.isOpen());
    }
    EXPECT_TRUE(filesIn(folder.path()).empty());
    {
        HCsvFileWriter writer(prompt);
        ASSERT_TRUE(writer.open());
        EXPECT_EQ(writer.getSetting(HTextFileWriter::FILE_PATH), folder.file("chosen.csv"));
        ASSERT_TRUE(writer.writeRow({"x"}));
        ASSERT_TRUE(writer.close());
    }
    ASSERT_EQ(prompt.requests.size(), 2u);
    EXPECT_EQ(prompt.requests[0].defaultExtension, "csv");
    EXPECT_EQ(prompt.requests[0].filter, "text Files(*.csv)|*.csv||");
    EXPECT_TRUE(prompt.requests[0].overwritePrompt);
    EXPECT_EQ(TempFolder::readText(folder.file("chosen.csv")), "\"x\"\r\n");
}

TEST(HCsvFileWriterTest, OpenFailuresSetErrorCode00AndTouchNothing) {
    TempFolder folder;
    ::mkdir(folder.file("folder.csv").c_str(), 0755);
    struct Case {
        std::string path;
        std::string openType;
    };
    const Case cases[] = {
        {"", "w"},
        {folder.file("missing/out.csv"), "w"},
        {folder.file("folder.csv"), "w"},
        {"/dev/full", "w"},
        {"/dev/null", "w"},
        {folder.file("out.csv"), "r"},
        {folder.file("out.csv"), "w+"},
    };
    ScriptedPrompt prompt;
    for (const Case& c : cases) {
        HCsvFileWriter writer(prompt);
        aimAt(writer, c.path);
        writer.setSetting(HTextFileWriter::FILE_OPEN_TYPE, c.openType);
        EXPECT_FALSE(writer.open()) << c.path << " " << c.openType;
        EXPECT_EQ(writer.errorCode(), "00") << c.path;
        EXPECT_FALSE(writer.writeRow({"x"}));
    }
    struct stat info {};
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << "a device is never replaced";
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"folder.csv"});
}

TEST(HCsvFileWriterTest, FailedExportLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    const std::string target = folder.file("radio.csv");
    const std::string old = "\"old\",\"file\"\r\n";
    struct Case {
        const char* what;
        FileWriteHooks hooks;
        int rowsWritten; // rows that succeed before the failure; -1: the close fails
    };
    const Case cases[] = {
        {"disk full at the first row", diskFullAfter(0), 0},
        {"disk full half-way", diskFullAfter(3), 3},
        {"flush fails",
         FileWriteHooks{{},
                        [](int) {
                            errno = EIO;
                            return -1;
                        }},
         -1},
    };
    ScriptedPrompt prompt;
    for (const Case& c : cases) {
        TempFolder::writeText(target, old);
        HCsvFileWriter writer(prompt);
        aimAt(writer, target);
        writer.setWriteHooks(c.hooks);
        ASSERT_TRUE(writer.open()) << c.what;
        bool ok = true;
        int written = 0;
        for (int row = 0; row < 6 && ok; ++row) {
            ok = writer.writeRow({"row", std::to_string(row)});
            written += ok ? 1 : 0;
        }
        if (c.rowsWritten >= 0) {
            EXPECT_FALSE(ok) << c.what;
            EXPECT_EQ(written, c.rowsWritten) << c.what;
        } else {
            ASSERT_TRUE(ok) << c.what;
            EXPECT_FALSE(writer.close()) << c.what;
        }
        EXPECT_EQ(writer.errorCode(), "01") << c.what;
        writer.discard();
        EXPECT_EQ(TempFolder::readText(target), old) << c.what;
        EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"radio.csv"}) << c.what;
    }
}

TEST(HCsvFileWriterTest, AbandonedWriterLeavesNoFile) {
    TempFolder folder;
    ScriptedPrompt prompt;
    {
        HCsvFileWriter writer(prompt);
        aimAt(writer, folder.file("new.csv"));
        ASSERT_TRUE(writer.open());
        ASSERT_TRUE(writer.writeRow({"unfinished"}));
    }
    EXPECT_TRUE(filesIn(folder.path()).empty());
}

TEST(HCsvFileWriterTest, FinishedFileReplacesTheOldOneOrAppendsToIt) {
    TempFolder folder;
    const std::string target = folder.file("radio.csv");
    ASSERT_EQ(::symlink(target.c_str(), folder.file("link.csv").c_str()), 0);
    ScriptedPrompt prompt;
    struct Case {
        std::string openType;
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"w", target, "\"new\"\r\n"},
        {"a", target, "old\r\n\"new\"\r\n"},
        {"ab", target, "old\r\n\"new\"\r\n"},
        {"wt", folder.file("link.csv"), "\"new\"\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder::writeText(target, "old\r\n");
        ::chmod(target.c_str(), 0640);
        HCsvFileWriter writer(prompt);
        aimAt(writer, c.path);
        writer.setSetting(HTextFileWriter::FILE_OPEN_TYPE, c.openType);
        ASSERT_TRUE(writer.open()) << c.openType;
        ASSERT_TRUE(writer.writeRow({"new"}));
        ASSERT_TRUE(writer.close());
        EXPECT_EQ(TempFolder::readText(target), c.expected) << c.openType;
        struct stat info {};
        ASSERT_EQ(::lstat(folder.file("link.csv").c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link stays a link";
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u) << "permissions kept";
    }
    EXPECT_EQ(filesIn(folder.path()), (std::vector<std::string>{"link.csv", "radio.csv"}));
}

} // namespace
} // namespace kq70
