#include "log/HLogPrint.h"
#include "app/LogSettingsFile.h"
#include "log/HVersionInfo.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

namespace kq70 {
namespace {

using test::TempFolder;

std::vector<std::string> linesOf(const std::string& path) {
    std::istringstream in(TempFolder::readText(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Runs `body(t)` on `count` threads at once and waits for them all.
template <typename Body> void onThreads(int count, Body body) {
    std::vector<std::thread> threads;
    for (int t = 0; t < count; ++t) {
        threads.emplace_back(body, t);
    }
    for (auto& thread : threads) {
        thread.join();
    }
}

void writeLogSettings(const TempFolder& folder, const std::string& body) {
    TempFolder::writeText(folder.file("INI_LOG.ini"), "[LOG_INFO]\n" + body);
}

TEST(HLogPrintTest, ChannelLevelFiltersMessagesAndPicksTags) {
    TempFolder folder;
    writeLogSettings(folder, "DEF_LOG_NAME=trace.log\nLOG_LEVEL0=3\n");
    HLogPrint log;
    log.start(readLogSettings(folder.path()), HVersionInfo());
    const std::string logPath = folder.file("trace.log");

    struct Case {
        int level;
        bool written;
        const char* tag;
    };
    const Case cases[] = {{LOG_ER, true, "[ER]"}, {LOG_D1, true, "[D1]"}, {LOG_D2, false, ""},
                          {7, false, ""},         {0, false, ""},         {-1, false, ""}};
    for (const Case& c : cases) {
        const auto count = linesOf(logPath).size();
        log.print(c.level, 0, "src/x.cpp", 42, "message %d", c.level);
        const auto lines = linesOf(logPath);
        ASSERT_EQ(lines.size(), count + (c.written ? 1 : 0)) << "level " << c.level;
        if (c.written) {
            EXPECT_NE(lines.back().find(std::string(" ") + c.tag + " message"), std::string::npos)
                << lines.back();
        }
    }
}

TEST(HLogPrintTest, LineHasTimeTagMessageAndCallSite) {
    TempFolder folder;
    HLogPrint log;
    log.enableChannel(5, LOG_D4, folder.file("five.log"));
    log.print(LOG_D2, 5, "/src/core/doc/CKQ70Doc.cpp", 77, "[%s]%03d", "SendMessage", 25);
    const std::string text = TempFolder::readText(folder.file("five.log"));
    const std::regex line(R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\.\d{3} \[D2\] \[SendMessage\]025 )"
                          R"(\(File:\[/src/core/doc/CKQ70Doc\.cpp\] Line:\[77\]\)\n)");
    EXPECT_TRUE(std::regex_match(text, line)) << text;
}

TEST(HLogPrintTest, ChannelNamesDefaultToTheDefaultLogName) {
    TempFolder folder;
    writeLogSettings(folder,
                     "DEF_LOG_NAME=main.log\nLOG_LEVEL0=6\nLOG_LEVEL1=6\nLOG_NAME1=one.log\n"
                     "LOG_LEVEL2=2\n");
    HLogPrint log;
    log.start(readLogSettings(folder.path()), HVersionInfo());
    EXPECT_EQ(log.path(99), folder.file("main.log"));

    log.print(LOG_WR, 2, "f", 1, "from channel two");
    log.print(LOG_WR, 1, "f", 1, "from channel one");
    log.print(LOG_WR, 99, "f", 1, "from channel 99, which is off");
    const std::string mainLog = TempFolder::readText(folder.file("main.log"));
    EXPECT_NE(mainLog.find("from channel two"), std::string::npos);
    EXPECT_EQ(mainLog.find("from channel one"), std::string::npos);
    EXPECT_EQ(mainLog.find("channel 99"), std::string::npos);
    EXPECT_NE(TempFolder::readText(folder.file("one.log")).find("from channel one"),
              std::string::npos);
}

TEST(HLogPrintTest, LogStaysOffWithoutDefaultName) {
    for (const std::string& settings : {std::string(), std::string("[LOG_INFO]\nLOG_LEVEL0=6\n"),
                                        std::string("[LOG_INFO]\nDEF_LOG_NAME=\nLOG_LEVEL0=6\n")}) {
        TempFolder folder;
        if (!settings.empty()) {
            TempFolder::writeText(folder.file("INI_LOG.ini"), settings);
        }
        HLogPrint log;
        log.start(readLogSettings(folder.path()), HVersionInfo());
        EXPECT_FALSE(log.accepts(LOG_ER, 0)) << settings;
        log.print(LOG_ER, 0, "f", 1, "nothing");
        log.end();
        const auto files = std::distance(std::filesystem::directory_iterator(folder.path()),
                                         std::filesystem::directory_iterator());
        EXPECT_EQ(files, settings.empty() ? 0 : 1) << "no log file may appear";
    }
}

TEST(HLogPrintTest, BannersCarryVersionsAndEndOnce) {
    TempFolder folder;
    writeLogSettings(folder, "DEF_LOG_NAME=kq.log\nLOG_LEVEL0=3\n");
    {
        HLogPrint log;
        log.start(readLogSettings(folder.path()), HVersionInfo::FromBuild());
        log.end();
        log.print(LOG_ER, 0, "f", 1, "after the end");
    } // the destructor must not write a second end banner
    const auto lines = linesOf(folder.file("kq.log"));
    ASSERT_EQ(lines.size(), 2u);
    const std::string begins = "[D1] **************The log output begins.[Ver.1.01][Inner Ver." +
                               HVersionInfo::FromBuild().GetFileVersion() +
                               "] ***************** (File:[";
    EXPECT_NE(lines[0].find(begins), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("(File:[src/core/log/HLogPrint.cpp] Line:["), std::string::npos)
        << "call sites are relative to the repository: " << lines[0];
    EXPECT_NE(lines[1].find("[D1] **************The log output ended.***************** (File:["),
              std::string::npos)
        << lines[1];
}

TEST(HLogPrintTest, OutOfRangeChannelsAndUnwritableFilesAreHarmless) {
    TempFolder folder;
    HLogPrint log;
    log.enableChannel(-1, 6, folder.file("x.log"));
    log.enableChannel(LOG_CHANNELS, 6, folder.file("x.log"));
    EXPECT_FALSE(log.accepts(LOG_ER, -1));
    EXPECT_FALSE(log.accepts(LOG_ER, LOG_CHANNELS));
    log.print(LOG_ER, LOG_CHANNELS, "f", 1, "dropped");
    EXPECT_FALSE(TempFolder::exists(folder.file("x.log")));

    log.enableChannel(3, 6, folder.file("missing-folder/x.log"));
    log.print(LOG_ER, 3, "f", 1, "dropped silently"); // and without a crash
}

// Several radio jobs at once: each thread's lines carry its own tag, a nested tag gives way
// to the outer one again, and a thread without one logs plain lines. Long lines from many
// threads never interleave: each comes back whole.
TEST(HLogPrintTest, EachThreadsLinesCarryItsOwnTagAndComeBackWhole) {
    TempFolder folder;
    HLogPrint log;
    log.enableChannel(0, LOG_D4, folder.file("tags.log"));
    const std::string payload(300, 'x');
    onThreads(4, [&log, &payload](int t) {
        const LogThreadTag tag("/dev/pts/" + std::to_string(t));
        for (int i = 0; i < 50; ++i) {
            if (i == 10) {
                const LogThreadTag inner("inner");
                log.print(LOG_D3, 0, "f", 1, "%d nested", t);
            }
            log.print(LOG_D3, 0, "f", 1, "%d line %s", t, payload.c_str());
        }
    });
    log.print(LOG_D3, 0, "f", 1, "untagged");
    EXPECT_TRUE(LogThreadTag::current().empty());

    std::map<std::string, int> counts;
    for (const auto& line : linesOf(folder.file("tags.log"))) {
        const std::size_t start = line.find("[D3] ") + 5;
        counts[line.substr(start, line.find(" (File:") - start)] += 1;
    }
    std::map<std::string, int> expected = {{"untagged", 1}};
    for (const std::string t : {"0", "1", "2", "3"}) {
        expected["[/dev/pts/" + t + "] " + t + " line " + payload] = 50;
        expected["[inner] " + t + " nested"] = 1;
    }
    EXPECT_EQ(counts, expected);
}

// A worker logs while the window switches channels: levels and file names change under the
// writers' feet (run it in the sanitizer trees to see a race).
TEST(HLogPrintTest, LoggingWhileAnotherThreadChangesTheChannel) {
    TempFolder folder;
    HLogPrint log;
    log.enableChannel(0, LOG_D4, folder.file("a.log"));
    std::atomic<bool> stop = false;
    std::thread changer([&] {
        for (int i = 0; !stop; ++i) {
            log.enableChannel(0, i % 3 == 0 ? 0 : LOG_D4,
                              folder.file(i % 2 == 0 ? "a.log" : "b.log"));
            (void)log.path(0);
        }
    });
    onThreads(2, [&log](int t) {
        for (int i = 0; i < 300; ++i) {
            if (log.accepts(LOG_D2, 0)) {
                log.print(LOG_D2, 0, "f", t, "writer %d line %d", t, i);
            }
            log.print(LOG_ER, 0, "f", t, "writer %d error %d", t, i);
        }
    });
    stop = true;
    changer.join();

    std::size_t total = 0;
    const std::regex line(
        R"(\S+ \S+ \[(D2|ER)\] writer [01] (line|error) \d+ \(File:\[.*\] Line:\[\d+\]\))");
    for (const char* name : {"a.log", "b.log"}) {
        if (!TempFolder::exists(folder.file(name))) {
            continue;
        }
        for (const std::string& text : linesOf(folder.file(name))) {
            EXPECT_TRUE(std::regex_match(text, line)) << text;
            ++total;
        }
    }
    EXPECT_LE(total, 1200u);
}

} // namespace
} // namespace kq70
